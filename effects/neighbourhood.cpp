#include "effects/neighbourhood.h"

#include "effects/blur.h"
#include "effects/parallel.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

FloatImage GradientMagnitude(const FloatImage& image, int threads)
{
    FloatImage out(image.width, image.height, image.channels);
    ParallelFor(image.height, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            float* o = out.row(y);
            for (int x = 0; x < image.width; ++x)
                for (int c = 0; c < image.channels; ++c) {
                    float gx, gy;
                    Sobel(image, x, y, c, gx, gy);
                    o[x * image.channels + c] = std::sqrt(gx * gx + gy * gy);
                }
        }
    });
    return out;
}

namespace {

// Per pixel: the colour, then luma and luma squared for the variance.
FloatImage KuwaharaStatistics(ConstRaster in)
{
    const int ch = in.channels;
    FloatImage stats(in.width, in.height, ch + 2);
    for (int y = 0; y < in.height; ++y)
        KuwaharaStatisticsRow(in.row(y), 0, in.width, ch, stats.row(y));
    return stats;
}

// The four squares' means at offset `h` around each pixel, weighted toward the calmest.
FloatImage KuwaharaSquares(FloatImage stats, int ch, int h, int threads)
{
    BoxBlur(stats, h, threads);
    const int width = stats.width, height = stats.height;
    FloatImage out(width, height, ch);
    ParallelFor(height, ThreadsFor((long long)height * width * (ch + 2), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            KuwaharaSquaresRow(stats.row(std::clamp(y - h, 0, height - 1)), stats.row(std::clamp(y + h, 0, height - 1)), width, ch,
                               h, out.row(y));
    });
    return out;
}

}  // namespace

double SmoothSquareOffset(double half)
{
    return std::max(1.0, half / 2);
}

void KuwaharaStatisticsRow(const std::uint8_t* s, int first, int end, int ch, float* row)
{
    s += std::size_t(first) * std::size_t(ch);
    float* d = row + std::size_t(first) * std::size_t(ch + 2);
    for (int x = first; x < end; ++x, s += ch, d += ch + 2) {
        for (int c = 0; c < ch; ++c)
            d[c] = s[c];
        const float l = ch == 3 ? 0.114f * s[0] + 0.587f * s[1] + 0.299f * s[2] : float(s[0]);
        d[ch] = l;
        d[ch + 1] = l * l;
    }
}

void KuwaharaSquaresRow(const float* above, const float* below, int width, int ch, int h, float* out)
{
    for (int x = 0; x < width; ++x) {
        float acc[3] = {0, 0, 0};
        float weights = 0;
        for (int q = 0; q < 4; ++q) {
            const int qx = std::clamp(x + ((q & 1) ? h : -h), 0, width - 1);
            const float* m = ((q & 2) ? below : above) + qx * (ch + 2);
            const float variance = std::max(0.0f, m[ch + 1] - m[ch] * m[ch]);
            // Weight 1/(1 + v)^4: calm squares win, but ties blend instead of jumping.
            const float w1 = 1.0f / (1.0f + variance * 0.02f);
            const float w = w1 * w1 * w1 * w1;
            for (int c = 0; c < ch; ++c)
                acc[c] += w * m[c];
            weights += w;
        }
        float* o = out + x * ch;
        for (int c = 0; c < ch; ++c)
            o[c] = acc[c] / weights;
    }
}

FloatImage Kuwahara(ConstRaster in, double half, int threads)
{
    const int r = std::max(1, int(std::lround(half)));
    return KuwaharaSquares(KuwaharaStatistics(in), in.channels, std::max(1, r / 2), threads);
}

int KuwaharaReach(double half)
{
    const int r = std::max(1, int(std::lround(half)));
    const int h = std::max(1, r / 2);
    return 2 * h + 2;
}

FloatImage SmoothKuwahara(ConstRaster in, double half, int threads)
{
    const double h = SmoothSquareOffset(half);
    const int low = int(std::floor(h));
    const float toHigh = float(h - low);
    FloatImage stats = KuwaharaStatistics(in);
    if (toHigh < 1e-4f)
        return KuwaharaSquares(std::move(stats), in.channels, low, threads);
    FloatImage out = KuwaharaSquares(stats, in.channels, low, threads);
    const FloatImage high = KuwaharaSquares(std::move(stats), in.channels, low + 1, threads);
    for (std::size_t i = 0; i < out.samples.size(); ++i)
        out.samples[i] += toHigh * (high.samples[i] - out.samples[i]);
    return out;
}

int SmoothKuwaharaReach(double half)
{
    return 2 * int(std::ceil(SmoothSquareOffset(half))) + 2;
}

void Sampler::sample(float x, float y, float* out) const
{
    // Clamp to the picture first, then to the raster (which holds the picture's part we need).
    x = std::clamp(x, 0.0f, float(ctx_.fullWidth - 1)) - float(ctx_.originX);
    y = std::clamp(y, 0.0f, float(ctx_.fullHeight - 1)) - float(ctx_.originY);
    BilinearRead([this](int row) { return raster_.row(row); }, raster_.width, raster_.height, raster_.channels, x, y, out);
}

void SampleFloat(const FloatImage& image, float x, float y, float* out)
{
    BilinearRead([&image](int row) { return image.row(row); }, image.width, image.height, image.channels, x, y, out);
}

}  // namespace lv::effects
