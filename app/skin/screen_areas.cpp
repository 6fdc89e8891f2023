#include "app/skin/screen_areas.h"

#include "app/skin/screen_table.h"

namespace lv::skin {
namespace {

constexpr std::array<ScreenArea, kScreenCount> kAreas = {
    ScreenArea::Start,    // 0 start
    ScreenArea::Acquire,  // 1 scanner, camera and screen
    ScreenArea::Edit,     // 2 adjust image
    ScreenArea::Edit,     // 3 layers
    ScreenArea::Share,    // 4 e-mail
    ScreenArea::Share,    // 5 printing
    ScreenArea::Acquire,  // 6 photo store download
    ScreenArea::Share,    // 7 slide show
    ScreenArea::Edit,     // 8 selection
    ScreenArea::Edit,     // 9 enhance
    ScreenArea::Edit,     // 10 adjustments
    ScreenArea::Edit,     // 11 text
    ScreenArea::Edit,     // 12 paint
    ScreenArea::Edit,     // 13 brushes
    ScreenArea::Edit,     // 14 retouch
    ScreenArea::Edit,     // 15 clone
    ScreenArea::Edit,     // 16 red eye and eraser
    ScreenArea::Edit,     // 17 fill and stamps
    ScreenArea::Album,    // 18 my albums
    ScreenArea::Projects, // 19 cards
    ScreenArea::Projects, // 20 calendar
    ScreenArea::Projects, // 21 frames
    ScreenArea::Album,    // 22 gallery
    ScreenArea::Projects, // 23 panorama and orientation
    ScreenArea::Share,    // 24 photo store upload
    ScreenArea::Share,    // 25 share
    ScreenArea::Acquire,  // 26 video capture
    ScreenArea::Edit,     // 27 effects
    ScreenArea::Share,    // 28 Internet
    ScreenArea::Share,    // 29 links
    ScreenArea::Share,    // 30 web album
    ScreenArea::Share,    // 31 animations
};

}  // namespace

ScreenArea AreaOfScreen(int screen)
{
    return IsValidScreen(screen) ? kAreas[std::size_t(screen)] : ScreenArea::Start;
}

int AreaButtonControl(ScreenArea area)
{
    switch (area) {
    case ScreenArea::Acquire: return 155;
    case ScreenArea::Album: return 147;
    case ScreenArea::Edit: return 148;
    case ScreenArea::Projects: return 154;
    case ScreenArea::Share: return 151;
    case ScreenArea::Start: break;
    }
    return 0;
}

ScreenArea AreaOfArgument(unsigned argument)
{
    switch (argument) {
    case 2: return ScreenArea::Album;
    case 3: return ScreenArea::Edit;
    case 4: return ScreenArea::Projects;
    case 5: return ScreenArea::Share;
    case 6: return ScreenArea::Acquire;
    default: return ScreenArea::Start;
    }
}

void AreaMemory::noteScreen(int screen)
{
    switch (AreaOfScreen(screen)) {
    case ScreenArea::Edit: lastEdit_ = screen; break;
    case ScreenArea::Projects: lastProjects_ = screen; break;
    default: break;
    }
}

int AreaMemory::targetOf(unsigned argument) const
{
    switch (AreaOfArgument(argument)) {
    case ScreenArea::Acquire: return 1;
    case ScreenArea::Album: return 18;
    case ScreenArea::Edit: return lastEdit_;
    case ScreenArea::Projects: return lastProjects_;
    case ScreenArea::Share: return 25;
    case ScreenArea::Start: break;
    }
    return -1;
}

}  // namespace lv::skin
