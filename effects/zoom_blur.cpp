// Zoom blur: three passes of a few bilinear reads along the line to the centre. The passes
// run in bands of rows, each band computing only the rows of the earlier passes it reads,
// so no picture-sized intermediate is kept; every read is a function of its position
// alone, so bands give exactly the bytes of a whole-picture pass.

#include "effects/zoom_blur.h"

#include "effects/parallel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lv::effects {

namespace {

constexpr int kSamples = 6;
constexpr int kBandRows = 512;

struct Span {
    int first = 0;  // rows [first, last] in working pixels of the whole picture
    int last = -1;
};

// One pass's reads: for every factor, the columns and weights along a row (the same for
// every row) and, per row, the two rows and their weight.
struct PassGeometry {
    float cx = 0, cy = 0;
    std::vector<float> factors;
    std::vector<int> left, right;  // sample offsets, factor-major
    std::vector<float> fx;
};

PassGeometry Geometry(ConstRaster in, const Context& ctx, float span)
{
    PassGeometry g;
    g.cx = ctx.fullWidth / 2.0f;
    g.cy = ctx.fullHeight / 2.0f;
    g.factors.resize(kSamples);
    for (int i = 0; i < kSamples; ++i)
        g.factors[std::size_t(i)] = std::exp(-span * float(i) / float(kSamples - 1));
    const std::size_t n = std::size_t(in.width) * kSamples;
    g.left.resize(n);
    g.right.resize(n);
    g.fx.resize(n);
    for (int i = 0; i < kSamples; ++i)
        for (int x = 0; x < in.width; ++x) {
            // The same float steps as a single bilinear read (Sampler, BilinearRead).
            const float dx = float(ctx.originX + x) + 0.5f - g.cx;
            float sx = std::clamp(g.cx + dx * g.factors[std::size_t(i)] - 0.5f, 0.0f, float(ctx.fullWidth - 1)) - float(ctx.originX);
            sx = std::clamp(sx, 0.0f, float(in.width - 1));
            const int x0 = int(sx);
            const std::size_t k = std::size_t(i) * std::size_t(in.width) + std::size_t(x);
            g.left[k] = x0 * in.channels;
            g.right[k] = std::min(x0 + 1, in.width - 1) * in.channels;
            g.fx[k] = sx - float(x0);
        }
    return g;
}

// One sample's horizontal reads of the source rows, kept by the row's parity: output rows
// walk their source rows downward, so each is read across once for the two output rows
// that meet it (as the upper row of one and the lower row of the next).
template<int Channels>
class RowReads {
public:
    // One sample to spare: four-lane stores of a three-sample pixel reach one beyond it.
    explicit RowReads(int width) : width_(width)
    {
        for (auto& r : rows_)
            r.resize(std::size_t(width) * Channels + 1);
    }

    const float* across(ConstRaster in, int y, const int* left, const int* right, const float* fx)
    {
        const int slot = y & 1;
        float* h = rows_[slot].data();
        if (source_[slot] == y)
            return h;
        source_[slot] = y;
        const std::uint8_t* s = in.row(y);
        int x = 0;
#if defined(__SSE2__)
        if constexpr (Channels == 3) {
            // Four bytes read from a pixel take the next one's first: not past the row's last.
            const int last = (in.width - 1) * Channels;
            for (; x < width_ && right[x] < last; ++x, h += Channels) {
                const __m128 a = PixelAsFloats(s + left[x]), b = PixelAsFloats(s + right[x]);
                _mm_storeu_ps(h, _mm_add_ps(a, _mm_mul_ps(_mm_set1_ps(fx[x]), _mm_sub_ps(b, a))));
            }
        }
#endif
        for (; x < width_; ++x, h += Channels) {
            const int l = left[x], r = right[x];
            const float w = fx[x];
            for (int c = 0; c < Channels; ++c) {
                const float a = float(s[l + c]), b = float(s[r + c]);
                h[c] = a + w * (b - a);
            }
        }
        return rows_[slot].data();
    }

private:
#if defined(__SSE2__)
    static __m128 PixelAsFloats(const std::uint8_t* p)
    {
        std::int32_t bytes;
        std::memcpy(&bytes, p, sizeof bytes);
        const __m128i zero = _mm_setzero_si128();
        return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero), zero));
    }
#endif

    int width_;
    std::vector<float> rows_[2];
    int source_[2] = {-1, -1};
};

// `out` rows are whole-picture rows outOriginY…; `in` rows start at inOriginY.
template<int Channels>
void ZoomPass(ConstRaster in, int inOriginY, Raster out, int outOriginY, const Context& ctx, const PassGeometry& g)
{
    const int width = out.width;
    const std::size_t samples = std::size_t(width) * Channels;
    ParallelFor(out.height, ThreadsFor((long long)out.height * width * Channels * kSamples, ctx.threads), [&](int begin, int end) {
        std::vector<RowReads<Channels>> reads(kSamples, RowReads<Channels>(width));
        std::vector<float> sums(samples);
        for (int y = begin; y < end; ++y) {
            const float dy = float(outOriginY + y) + 0.5f - g.cy;
            std::fill(sums.begin(), sums.end(), 0.0f);
            float* sum = sums.data();
            for (int i = 0; i < kSamples; ++i) {
                float sy = std::clamp(g.cy + dy * g.factors[std::size_t(i)] - 0.5f, 0.0f, float(ctx.fullHeight - 1)) - float(inOriginY);
                sy = std::clamp(sy, 0.0f, float(in.height - 1));
                const int y0 = int(sy);
                const float fy = sy - float(y0);
                const std::size_t k = std::size_t(i) * std::size_t(width);
                const int* left = &g.left[k];
                const int* right = &g.right[k];
                const float* fx = &g.fx[k];
                const float* upper = reads[std::size_t(i)].across(in, y0, left, right, fx);
                const float* lower = reads[std::size_t(i)].across(in, std::min(y0 + 1, in.height - 1), left, right, fx);
                for (std::size_t n = 0; n < samples; ++n)
                    sum[n] += upper[n] + fy * (lower[n] - upper[n]);
            }
            std::uint8_t* d = out.row(y);
            std::size_t n = 0;
#if defined(__SSE2__)
            // ClampByte of the mean, sixteen samples at a time.
            const __m128 count = _mm_set1_ps(float(kSamples)), half = _mm_set1_ps(0.5f);
            const __m128 zero = _mm_setzero_ps(), top = _mm_set1_ps(255.0f);
            const auto bytes = [&](std::size_t at) {
                const __m128 v = _mm_add_ps(_mm_div_ps(_mm_loadu_ps(sum + at), count), half);
                return _mm_cvttps_epi32(_mm_min_ps(_mm_max_ps(v, zero), top));
            };
            for (; n + 16 <= samples; n += 16) {
                const __m128i low = _mm_packs_epi32(bytes(n), bytes(n + 4)), high = _mm_packs_epi32(bytes(n + 8), bytes(n + 12));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d + n), _mm_packus_epi16(low, high));
            }
#endif
            for (; n < samples; ++n)
                d[n] = ClampByte(sum[n] / float(kSamples));
        }
    });
}

void RunPass(ConstRaster in, int inOriginY, Raster out, int outOriginY, const Context& ctx, const PassGeometry& g)
{
    if (in.channels == 3)
        ZoomPass<3>(in, inOriginY, out, outOriginY, ctx, g);
    else
        ZoomPass<1>(in, inOriginY, out, outOriginY, ctx, g);
}

// Whole-picture rows a pass reads to make `rows`, with two rows to spare, within `limit`.
Span RowsRead(Span rows, float span, const Context& ctx, Span limit)
{
    const double cy = ctx.fullHeight / 2.0, least = std::exp(-double(span));
    const auto source = [&](int y, double t) { return cy + (y + 0.5 - cy) * t - 0.5; };
    const double low = std::min({double(rows.first), source(rows.first, least), source(rows.first, 1.0)});
    const double high = std::max({double(rows.last), source(rows.last, least), source(rows.last, 1.0)});
    return {std::max(limit.first, int(std::floor(low)) - 2), std::min(limit.last, int(std::floor(high)) + 2)};
}

}  // namespace

void RunZoomBlur(ConstRaster in, Raster out, const Parameters& p, const Context& ctx)
{
    // The streak covers this fraction of the way to the centre. Three passes of a few
    // reads, each finer than the last, smooth it as well as hundreds of reads would.
    const float reach = float(0.3 * p.strength(0));
    if (reach <= 0) {
        CopyRaster(in, out);
        return;
    }
    const float span = -std::log(1.0f - reach);
    const PassGeometry first = Geometry(in, ctx, span);
    const PassGeometry second = Geometry(in, ctx, span / kSamples);
    const PassGeometry third = Geometry(in, ctx, span / (kSamples * kSamples));
    const Span picture{ctx.originY, ctx.originY + in.height - 1};
    for (int b = 0; b < out.height; b += kBandRows) {
        const Span band{ctx.originY + b, ctx.originY + std::min(out.height, b + kBandRows) - 1};
        const Span secondRows = RowsRead(band, span / (kSamples * kSamples), ctx, picture);
        const Span firstRows = RowsRead(secondRows, span / kSamples, ctx, picture);
        OwnedRaster firstBand(in.width, firstRows.last - firstRows.first + 1, in.channels);
        OwnedRaster secondBand(in.width, secondRows.last - secondRows.first + 1, in.channels);
        RunPass(in, ctx.originY, firstBand.view(), firstRows.first, ctx, first);
        RunPass(firstBand.view(), firstRows.first, secondBand.view(), secondRows.first, ctx, second);
        Raster outBand = out;
        outBand.top = out.row(b);
        outBand.height = band.last - band.first + 1;
        RunPass(secondBand.view(), secondRows.first, outBand, band.first, ctx, third);
    }
}

}  // namespace lv::effects
