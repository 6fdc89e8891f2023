#pragma once
// The image window's zoom level z: scale z + 1 for z >= 0 (1x to 16x) and 1 / (1 - z) below
// (1:2 to 1:16). No scaled side may exceed 16384 pixels.

#include "common/geometry.h"

#include <optional>
#include <string>

namespace lv {

inline constexpr int kMaxZoom = 15;
inline constexpr int kMinZoom = -15;
inline constexpr int kMaxScaledExtent = 16384;

// The zoom-set commands of the main window.
inline constexpr int kZoomInCommand = 548;
inline constexpr int kZoomOutCommand = 549;
inline constexpr int kZoomTimesFirst = 551;   // 551..566: 1x..16x
inline constexpr int kZoomFractionFirst = 567;  // 567..582: 1:1..1:16
inline constexpr int kZoomFitCommand = 583;

// Screen pixels covered by `length` document pixels.
inline int ScaledLength(int length, int zoom)
{
    return zoom >= 0 ? length * (zoom + 1) : length / (1 - zoom);
}

// The document pixel under screen offset `offset` (offsets count from the document's edge).
inline int DocumentOffset(int offset, int zoom)
{
    return zoom >= 0 ? offset / (zoom + 1) : offset * (1 - zoom);
}

Size ScaledSize(Size document, int zoom);

// The highest level allowed for the document.
int HighestZoom(Size document);

// The level one step (+1 or -1) away, or nothing when the step is refused.
std::optional<int> SteppedZoom(Size document, int zoom, int step);

// Level to open a document at in an area: fitted (the whole document visible, never
// enlarged) when `fitInWindow`, else 100 %.
int InitialZoom(Size document, Size area, bool fitInWindow);

struct ZoomChoice {
    int zoom = 0;
    bool beep = false;  // the level asked for was too large and was lowered
};

// The level a zoom-set command chooses; `client` is the picture area (client less the ruler
// band). Nothing for a command that is not a zoom command.
std::optional<ZoomChoice> ZoomForCommand(int command, int zoom, Size document, Size client);

// The status readout, string 2344 with the percentage.
int ZoomPercent(int zoom);
std::string ZoomReadout(int zoom);

}  // namespace lv
