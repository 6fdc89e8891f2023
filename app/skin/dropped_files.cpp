#include "app/skin/dropped_files.h"

#include "app/skin/screen_table.h"

namespace lv::skin {

DropDecision DecideDrop(int screen, std::span<const std::string> files)
{
    if (files.empty())
        return {};
    const int secondPanel = ScreenLayout(screen).panelAt(2);
    if (secondPanel == 29 || secondPanel == 31)
        return {DropAction::Refuse, {}};
    if (screen == 30)
        return {DropAction::AddToWebAlbum, {files.begin(), files.end()}};
    return {DropAction::Open, {files.front()}};
}

}  // namespace lv::skin
