#include "output/animation/animated_gif.h"

#include "imagelib/codecs/gif/gif.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"

#include <vector>

namespace lv::animation {
namespace {

constexpr int kMedianCutMode = 22;
// Above this many pixels in all frames together the shared palette is not worth the memory
// of the stacked picture it is cut from: each frame gets its own.
constexpr std::int64_t kSharedPaletteLimit = 48LL * 1024 * 1024;

void Put16(std::vector<std::uint8_t>& out, int v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void PutPalette(std::vector<std::uint8_t>& out, const HDIB& image)
{
    for (unsigned i = 0; i < 256; ++i) {
        const RgbQuad c = i < image.clrUsed() ? image.colors()[i] : RgbQuad{0, 0, 0, 0};
        out.insert(out.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
    }
}

// All frames stacked into one picture and cut once, so they share its palette.
std::vector<HDIB> SharedPaletteFrames(std::span<const Frame> frames)
{
    const int w = frames[0].picture.width(), h = frames[0].picture.height();
    HDIB stack = DibCreate(w, h * int(frames.size()), 0, false);
    if (!stack)
        return {};
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (!DibPaste(stack, frames[i].picture, 0, int(i) * h))
            return {};
    const HDIB cut = DibMedianCut(stack, kMedianCutMode);
    if (!cut)
        return {};
    std::vector<HDIB> out;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        out.push_back(DibCropPicture(cut, Rect::fromSize(0, int(i) * h, w, h)));
        if (!out.back() || out.back().bitCount() != 8)
            return {};
    }
    return out;
}

}  // namespace

bool WriteAnimatedGif(ByteSink& sink, std::span<const Frame> frames, int loop, bool sharedPalette)
{
    if (frames.empty())
        return false;
    const int w = frames[0].picture.width(), h = frames[0].picture.height();
    for (const Frame& f : frames)
        if (!f.picture || f.picture.width() != w || f.picture.height() != h || f.picture.bitCount() != 24)
            return false;
    if (w > 65535 || h > 65535)
        return false;
    const bool shared = sharedPalette && std::int64_t(w) * h * std::int64_t(frames.size()) <= kSharedPaletteLimit;
    std::vector<HDIB> indexed;
    if (shared)
        indexed = SharedPaletteFrames(frames);
    else
        for (const Frame& f : frames) {
            indexed.push_back(DibMedianCut(f.picture, kMedianCutMode));
            if (!indexed.back() || indexed.back().bitCount() != 8)
                return false;
        }
    if (indexed.size() != frames.size())
        return false;

    std::vector<std::uint8_t> head = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(head, w);
    Put16(head, h);
    head.insert(head.end(), {std::uint8_t(shared ? 0xF7 : 0x70), 0, 0});
    if (shared)
        PutPalette(head, indexed[0]);
    if (loop != 1) {
        const char* app = "NETSCAPE2.0";
        head.insert(head.end(), {0x21, 0xFF, 11});
        head.insert(head.end(), app, app + 11);
        head.insert(head.end(), {3, 1});
        Put16(head, loop == 0 ? 0 : loop - 1);  // the block counts the plays after the first
        head.push_back(0);
    }
    if (!sink.write(head.data(), head.size()))
        return false;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        std::vector<std::uint8_t> block = {0x21, 0xF9, 4, 1 << 2};
        Put16(block, (frames[i].delayMs + 5) / 10);
        block.insert(block.end(), {0, 0, 0x2C});
        Put16(block, 0);
        Put16(block, 0);
        Put16(block, w);
        Put16(block, h);
        block.push_back(shared ? 0 : 0x87);
        if (!shared)
            PutPalette(block, indexed[i]);
        if (!sink.write(block.data(), block.size()) || WriteGifImageData(sink, indexed[i]) != WriteResult::Written)
            return false;
    }
    return sink.writeU8(0x3B);
}

}  // namespace lv::animation
