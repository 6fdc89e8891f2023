#include "acquire/screen/screen_capture.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <unordered_map>

namespace lv::screen {

CaptureKind CaptureKindFor(int command)
{
    if (command == kCaptureDesktopCommand)
        return CaptureKind::Desktop;
    if (command == kCaptureClientCommand)
        return CaptureKind::ClientArea;
    return CaptureKind::WindowWithFrame;
}

std::optional<Rect> ClipToScreen(const Rect& rect, int screenWidth, int screenHeight)
{
    if (rect.empty())
        return std::nullopt;
    const Rect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, screenWidth),
                             std::min(rect.bottom, screenHeight)};
    if (clipped.empty())
        return std::nullopt;
    return clipped;
}

std::int32_t CapturedPixelsPerMetre(int dotsPerInch)
{
    return std::int32_t((std::int64_t(dotsPerInch) * 10000 + 127) / 254);
}

unsigned PictureDepthForDisplay(int planes, int bitsPerPixel)
{
    const int bits = planes * bitsPerPixel;
    if (bits <= 1)
        return 1;
    if (bits <= 4)
        return 4;
    if (bits <= 8)
        return 8;
    return 24;
}

namespace {

// Hands each screen line (top first) with its picture row (bottom-up) to `put`; stops when it
// says false.
template <class Put>
bool EachLine(HDIB& picture, const std::uint32_t* pixels, std::size_t stride, Put put)
{
    const int height = picture.height();
    for (int line = 0; line < height; ++line)
        if (!put(pixels + std::size_t(line) * stride, picture.row(height - 1 - line)))
            return false;
    return true;
}

HDIB TrueColour(const std::uint32_t* pixels, std::size_t stride, int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 24, 0);
    if (picture)
        EachLine(picture, pixels, stride, [width](const std::uint32_t* in, std::uint8_t* out) {
            for (int x = 0; x < width; ++x) {
                out[3 * x] = std::uint8_t(in[x]);
                out[3 * x + 1] = std::uint8_t(in[x] >> 8);
                out[3 * x + 2] = std::uint8_t(in[x] >> 16);
            }
            return true;
        });
    return picture;
}

// The shown colours as a table; null when the screen showed more than the table holds.
HDIB Indexed(const std::uint32_t* pixels, std::size_t stride, int width, int height, unsigned depth)
{
    const unsigned entries = 1u << depth;
    std::unordered_map<std::uint32_t, unsigned> index;
    HDIB picture = AllocatePicture(width, height, depth, entries);
    if (!picture)
        return picture;
    const bool fits = EachLine(picture, pixels, stride, [&](const std::uint32_t* in, std::uint8_t* out) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = in[x] & 0xFFFFFF;
            auto found = index.find(colour);
            if (found == index.end()) {
                if (index.size() == entries)
                    return false;
                found = index.emplace(colour, unsigned(index.size())).first;
                picture.colors()[found->second] = {std::uint8_t(colour), std::uint8_t(colour >> 8),
                                                   std::uint8_t(colour >> 16), 0};
            }
            AddPackedPixel(out, x, int(depth), found->second);
        }
        return true;
    });
    return fits ? std::move(picture) : HDIB();
}

}  // namespace

HDIB PictureFromScreenPixels(const std::uint32_t* pixels, std::size_t stride, int width, int height,
                             unsigned displayDepth, int dotsPerInch)
{
    HDIB picture;
    if (displayDepth <= 8)
        picture = Indexed(pixels, stride, width, height, displayDepth);
    if (!picture)
        picture = TrueColour(pixels, stride, width, height);
    if (picture) {
        const std::int32_t perMetre = CapturedPixelsPerMetre(dotsPerInch);
        picture.header().biXPelsPerMeter = perMetre;
        picture.header().biYPelsPerMeter = perMetre;
    }
    return picture;
}

int MessageForPick(PickedTarget target)
{
    switch (target) {
    case PickedTarget::Desktop:
        return kDesktopWindowString;
    case PickedTarget::Nothing:
        return kNoWindowString;
    case PickedTarget::Window:
        return 0;
    }
    return 0;
}

}  // namespace lv::screen
