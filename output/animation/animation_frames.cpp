#include "output/animation/animation.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"

#include <algorithm>

namespace lv::animation {
namespace {

HDIB As24(const HDIB& picture)
{
    return picture.bitCount() == 24 ? DibDuplicate(picture) : DibPromoteTo24(picture);
}

HDIB Fitted(const HDIB& picture, int width, int height)
{
    HDIB source = As24(picture);
    if (!source)
        return {};
    if (source.width() == width && source.height() == height)
        return source;
    const double scale = std::min(double(width) / source.width(), double(height) / source.height());
    const int w = std::clamp(int(source.width() * scale + 0.5), 1, width);
    const int h = std::clamp(int(source.height() * scale + 0.5), 1, height);
    HDIB scaled = DibResize(source, w, h);
    HDIB canvas = DibCreate(width, height, 0, false);
    if (!scaled || !canvas || !DibPaste(canvas, scaled, (width - w) / 2, (height - h) / 2))
        return {};
    return canvas;
}

HDIB Blend(const HDIB& from, const HDIB& to, int step, int steps)
{
    HDIB out = DibDuplicate(from);
    if (!out)
        return {};
    for (int y = 0; y < out.height(); ++y) {
        std::uint8_t* o = out.row(y);
        const std::uint8_t* b = to.row(y);
        for (int x = 0; x < out.width() * 3; ++x)
            o[x] = std::uint8_t((o[x] * (steps - step) + b[x] * step + steps / 2) / steps);
    }
    return out;
}

}  // namespace

std::string CheckOptions(const AnimationOptions& o, int inputFrames)
{
    if (inputFrames < 1)
        return "A animação não tem quadros.";
    if (o.delayMs < kMinDelayMs || o.delayMs > kMaxDelayMs)
        return "O tempo de cada quadro vai de 20 a 60000 milissegundos.";
    if (o.loop < 0 || o.loop > 65535)
        return "O número de repetições vai de 0 (sempre) a 65535.";
    if (o.fade < 0 || o.fade > kMaxFade)
        return "A transição usa de 0 a 30 quadros intermediários.";
    if ((o.width || o.height) && (o.width < kMinSide || o.height < kMinSide || o.width > kMaxSide || o.height > kMaxSide))
        return "O tamanho da animação vai de 16 × 16 a 4096 × 4096 pixels.";
    if (std::int64_t(inputFrames) + std::int64_t(inputFrames - 1) * o.fade > kMaxFrames)
        return "A animação teria mais de 500 quadros; use menos fotos ou menos quadros intermediários.";
    return {};
}

std::vector<Frame> BuildFrames(std::span<const HDIB> pictures, const AnimationOptions& options)
{
    if (pictures.empty() || !pictures.front())
        return {};
    int width = options.width, height = options.height;
    if (!width || !height) {
        const double shrink = std::min(1.0, double(kMaxSide) / std::max(pictures[0].width(), pictures[0].height()));
        width = std::max(1, int(pictures[0].width() * shrink));
        height = std::max(1, int(pictures[0].height() * shrink));
    }
    const int between = std::max(kMinDelayMs, options.delayMs / (options.fade + 1));
    std::vector<Frame> frames;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        HDIB fitted = pictures[i] ? Fitted(pictures[i], width, height) : HDIB();
        if (!fitted)
            return {};
        if (!frames.empty())
            for (int k = 1, previous = int(frames.size()) - 1; k <= options.fade; ++k) {
                HDIB blend = Blend(frames[std::size_t(previous)].picture, fitted, k, options.fade + 1);
                if (!blend)
                    return {};
                frames.push_back({std::move(blend), between});
            }
        // The fade's last in-between leads into the frame, which keeps its own time.
        frames.push_back({std::move(fitted), options.delayMs});
    }
    return frames;
}

}  // namespace lv::animation
