#include "app/core/view/zoom.h"

#include "app/core/numbered_text.h"

#include <algorithm>

namespace lv {
namespace {

constexpr int kZoomReadoutString = 2344;

bool fitsLimit(Size document, int zoom)
{
    if (zoom < 0)
        return true;
    const long long factor = zoom + 1;
    return factor * document.width <= kMaxScaledExtent && factor * document.height <= kMaxScaledExtent;
}

// The level a fitting command picks for the picture area.
int fittedZoom(Size document, Size client)
{
    const int width = std::max(document.width, 1);
    const int height = std::max(document.height, 1);
    const int q = std::min(client.width / width, client.height / height);
    if (q >= 1)
        return std::min(q - 1, kMaxZoom);
    const int k = std::max((height - 1) / std::max(client.height, 16), (width - 1) / std::max(client.width, 16));
    return std::max(-k, kMinZoom);
}

}  // namespace

Size ScaledSize(Size document, int zoom)
{
    return {ScaledLength(document.width, zoom), ScaledLength(document.height, zoom)};
}

int HighestZoom(Size document)
{
    const int longest = std::max({document.width, document.height, 1});
    return std::clamp(kMaxScaledExtent / longest - 1, 0, kMaxZoom);
}

std::optional<int> SteppedZoom(Size document, int zoom, int step)
{
    const int next = zoom + step;
    if (next > kMaxZoom || (zoom < kMinZoom + 1 && step < 0))
        return std::nullopt;
    if (!fitsLimit(document, next))
        return std::nullopt;
    return next;
}

int InitialZoom(Size document, Size area, bool fitInWindow)
{
    if (!fitInWindow)
        return 0;
    const int k = std::max(document.height / std::max(area.height, 1), document.width / std::max(area.width, 1));
    return std::max(-k, kMinZoom);
}

std::optional<ZoomChoice> ZoomForCommand(int command, int zoom, Size document, Size client)
{
    int wanted;
    if (command == kZoomInCommand)
        wanted = std::min(zoom + 1, kMaxZoom);
    else if (command == kZoomOutCommand)
        wanted = std::max(zoom - 1, kMinZoom);
    else if (command >= kZoomTimesFirst && command < kZoomTimesFirst + 16)
        wanted = command - kZoomTimesFirst;
    else if (command >= kZoomFractionFirst && command < kZoomFractionFirst + 16)
        wanted = kZoomFractionFirst - command;
    else if (command == kZoomFitCommand)
        wanted = fittedZoom(document, client);
    else
        return std::nullopt;

    if (wanted >= 1 && !fitsLimit(document, wanted))
        return ZoomChoice{HighestZoom(document), true};
    return ZoomChoice{wanted, false};
}

int ZoomPercent(int zoom)
{
    return zoom >= 0 ? (zoom + 1) * 100 : 100 / (1 - zoom);
}

std::string ZoomReadout(int zoom)
{
    return NumberedText(kZoomReadoutString, ZoomPercent(zoom));
}

}  // namespace lv
