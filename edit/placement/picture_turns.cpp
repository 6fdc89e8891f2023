#include "edit/placement/picture_turns.h"

#include "effects/parallel.h"
#include "imagelib/shared_picture.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

bool turnable(const HDIB& picture)
{
    return picture && (picture.bitCount() == 8 || picture.bitCount() == 24) && picture.width() > 0
           && picture.height() > 0;
}

// Tiles keep both the rows read and the rows written in cache.
constexpr int kTile = 64;

// Bands of source rows go to different threads: they write different columns of the turned
// rows, so the result never depends on the number of threads.
template <int Bytes>
void turnTiles(const HDIB& in, HDIB& out, bool right)
{
    const int w = in.width();
    const int h = in.height();
    const std::uint8_t* const src = in.pixels();
    std::uint8_t* const dst = out.pixels();
    const std::ptrdiff_t srcStride = std::ptrdiff_t(in.stride());
    const std::ptrdiff_t dstStride = std::ptrdiff_t(out.stride());
    const int bands = (h + kTile - 1) / kTile;
    const int threads = effects::ThreadsFor((long long)w * h * Bytes, effects::DefaultThreadCount());
    effects::ParallelFor(bands, threads, [&](int firstBand, int endBand) {
        const int rowsEnd = std::min(h, endBand * kTile);
        for (int r0 = firstBand * kTile; r0 < rowsEnd; r0 += kTile)
            for (int c0 = 0; c0 < w; c0 += kTile) {
                const int r1 = std::min(h, r0 + kTile);
                const int c1 = std::min(w, c0 + kTile);
                for (int c = c0; c < c1; ++c) {
                    // Memory rows: a right turn sends row r, column c to row w-1-c, column r;
                    // a left turn to row c, column h-1-r.
                    std::uint8_t* d = dst + (right ? w - 1 - c : c) * dstStride;
                    const std::uint8_t* from = src + r0 * srcStride + c * Bytes;
                    if (right) {
                        d += r0 * Bytes;
                        for (int r = r0; r < r1; ++r, from += srcStride, d += Bytes)
                            std::memcpy(d, from, Bytes);
                    } else {
                        d += (h - 1 - r0) * Bytes;
                        for (int r = r0; r < r1; ++r, from += srcStride, d -= Bytes)
                            std::memcpy(d, from, Bytes);
                    }
                }
            }
    });
}

}  // namespace

HDIB BlankPictureLike(const HDIB& like, int width, int height)
{
    const std::size_t header = like.pixelOffset();
    const std::uint64_t stride = DibStride(std::uint64_t(width), unsigned(like.bitCount()));
    HDIB out = HDIB::AllocateZeroed(header + std::size_t(stride) * std::size_t(height));
    if (!out)
        return nullptr;
    std::memcpy(out.data(), like.data(), header);
    out.header().biWidth = width;
    out.header().biHeight = height;
    out.header().biSizeImage = std::uint32_t(stride * std::uint64_t(height));
    return out;
}

HDIB FlipPicture(const HDIB& picture, bool horizontal)
{
    if (!turnable(picture))
        return nullptr;
    HDIB out = BlankPictureLike(picture, picture.width(), picture.height());
    if (!out)
        return nullptr;
    const int w = picture.width();
    const int h = picture.height();
    const int bytes = picture.bitCount() / 8;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = picture.row(y);
        std::uint8_t* dst = out.row(horizontal ? y : h - 1 - y);
        if (!horizontal) {
            std::memcpy(dst, src, std::size_t(w) * std::size_t(bytes));
            continue;
        }
        for (int x = 0; x < w; ++x)
            std::memcpy(dst + (w - 1 - x) * bytes, src + x * bytes, std::size_t(bytes));
    }
    return out;
}

HDIB TurnPicture(const HDIB& picture, bool right)
{
    if (!turnable(picture))
        return nullptr;
    HDIB out = BlankPictureLike(picture, picture.height(), picture.width());
    if (!out)
        return nullptr;
    out.header().biXPelsPerMeter = picture.header().biYPelsPerMeter;
    out.header().biYPelsPerMeter = picture.header().biXPelsPerMeter;
    if (picture.bitCount() == 24)
        turnTiles<3>(picture, out, right);
    else
        turnTiles<1>(picture, out, right);
    return out;
}

}  // namespace lv
