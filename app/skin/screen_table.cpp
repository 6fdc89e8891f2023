#include "app/skin/screen_table.h"

#include "imagelib/codecs/file_names.h"

namespace lv::skin {
namespace {

// Screens 1–9, 11, 12 and 17–25 nest the panel of their own id in control 101.
constexpr ScreenComposition Simple(int screen) { return {0, {{{screen, 101}, {}, {}, {}}}}; }

constexpr std::array<ScreenComposition, kScreenCount> kScreens = {{
    {0, {}},
    Simple(1), Simple(2), Simple(3), Simple(4), Simple(5), Simple(6), Simple(7), Simple(8), Simple(9),
    {0, {{{9, 101}, {10, 180}, {}, {}}}},
    Simple(11), Simple(12),
    {0, {{{12, 101}, {13, 157}, {}, {}}}},
    {0, {{{12, 101}, {14, 157}, {}, {}}}},
    {0, {{{12, 101}, {15, 157}, {}, {}}}},
    {0, {{{12, 101}, {16, 157}, {}, {}}}},
    Simple(17), Simple(18), Simple(19), Simple(20), Simple(21), Simple(22), Simple(23), Simple(24), Simple(25),
    {0, {{{1, 101}, {26, 181}, {}, {}}}},
    {0, {{{9, 101}, {27, 180}, {}, {}}}},
    {28, {}},
    {28, {{{33, 198}, {29, 197}, {}, {}}}},
    {28, {{{32, 198}, {30, 197}, {34, 208}, {}}}},
    {28, {{{32, 198}, {31, 197}, {34, 208}, {}}}},
}};

const ScreenComposition kNoScreen{};

std::string_view Extension(std::string_view path)
{
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return path.substr(dot + 1);
}

std::string_view Directory(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view{} : path.substr(0, slash + 1);
}

bool IsSft(std::string_view skinFile)
{
    return ToLowerAscii(Extension(skinFile)) == "sft";
}

}  // namespace

int ScreenComposition::nestedCount() const
{
    int n = 0;
    while (n < kMaxNestedPanels && nested[n].panel >= 0)
        ++n;
    return n;
}

int ScreenComposition::panelAt(int level) const
{
    if (level == 0)
        return basePanel;
    return level >= 1 && level <= nestedCount() ? nested[level - 1].panel : -1;
}

bool IsValidScreen(int screen)
{
    return screen >= 0 && screen < kScreenCount;
}

const ScreenComposition& ScreenLayout(int screen)
{
    return IsValidScreen(screen) ? kScreens[screen] : kNoScreen;
}

std::string_view PanelSkinFile(int panel, SkinVariant variant)
{
    const bool ownsWindow = panel == 0 || panel == 28;
    return ownsWindow && variant == SkinVariant::Large ? "ui/button.800" : "ui/button.640";
}

std::string BackgroundFileName(int panel, std::string_view skinFile)
{
    return std::string(Directory(skinFile)) + "screen" + std::to_string(panel) + "." + std::string(Extension(skinFile));
}

PictureEncoding BackgroundEncoding(std::string_view skinFile)
{
    return IsSft(skinFile) ? PictureEncoding::Jpeg : PictureEncoding::Bitmap;
}

bool KeepsPressedImage(std::string_view skinFile)
{
    return IsSft(skinFile);
}

Size MainWindowSize(SkinVariant variant)
{
    return variant == SkinVariant::Large ? Size{1024, 768} : Size{800, 600};
}

}  // namespace lv::skin
