#pragma once
// Which panels make up each of the 32 screens, and which skin file each of the 35 panels
// comes from in the two screen modes.

#include "app/skin/geometry.h"

#include <array>
#include <string>
#include <string_view>

namespace lv::skin {

inline constexpr int kScreenCount = 32;
inline constexpr int kPanelCount = 35;
// The panels of the skinned controls follow the screens' panels in the "640" skin file: the
// list boxes' popup panels and the colour panel's tool bars.
inline constexpr int kAlbumListPanel = 35;
inline constexpr int kFontListPanel = 36;
inline constexpr int kEffectsListPanel = 37;
inline constexpr int kColourBarPanel = 38;       // for the 800 × 600 window
inline constexpr int kLargeColourBarPanel = 39;  // for the 1024 × 768 window
inline constexpr int kAllPanelCount = 40;
inline constexpr int kMaxNestedPanels = 4;

// The skin variant chosen at start-up: "800" for 1024 × 768 windows, "640" for 800 × 600.
enum class SkinVariant { Large = 0, Small = 1 };

// One row of the composition table: the base panel, then up to four (panel, host control)
// pairs; each nested panel sits in the rectangle of its host control.
struct NestedPanel {
    int panel = -1;
    int hostControl = -1;
};
struct ScreenComposition {
    int basePanel = -1;
    std::array<NestedPanel, kMaxNestedPanels> nested;

    int nestedCount() const;
    // The panel at depth `level` (0 base, 1..4 nested) or −1.
    int panelAt(int level) const;
};

// Null composition (base −1) for ids outside 0–31.
const ScreenComposition& ScreenLayout(int screen);
bool IsValidScreen(int screen);

// "ui/button.800" or "ui/button.640"; panels other than 0 and 28 use the "640" file in both.
std::string_view PanelSkinFile(int panel, SkinVariant variant);
// "screen%d.%s" with the panel id and the skin file's extension, beside the skin file.
std::string BackgroundFileName(int panel, std::string_view skinFile);

// How the screen background of a skin file is encoded: a JPEG stream when the skin file's
// extension reads "SFT" (any case), otherwise a Windows bitmap file.
enum class PictureEncoding { Bitmap, Jpeg };
PictureEncoding BackgroundEncoding(std::string_view skinFile);
// Panels from "SFT" files keep push buttons drawn pressed after release.
bool KeepsPressedImage(std::string_view skinFile);

// Window size of the base panels in each variant (the backgrounds of panels 0 and 28).
Size MainWindowSize(SkinVariant variant);

}  // namespace lv::skin
