#include "effects/neighbourhood.h"

#include "effects/blur.h"
#include "effects/parallel.h"

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

FloatImage Kuwahara(ConstRaster in, double half, int threads)
{
    const int r = std::max(1, int(std::lround(half)));
    const int ch = in.channels;
    // Channels: the colour, then luma and luma squared for the variance.
    FloatImage stats(in.width, in.height, ch + 2);
    for (int y = 0; y < in.height; ++y) {
        const std::uint8_t* s = in.row(y);
        float* d = stats.row(y);
        for (int x = 0; x < in.width; ++x, s += ch, d += ch + 2) {
            for (int c = 0; c < ch; ++c)
                d[c] = s[c];
            const float l = ch == 3 ? 0.114f * s[0] + 0.587f * s[1] + 0.299f * s[2] : float(s[0]);
            d[ch] = l;
            d[ch + 1] = l * l;
        }
    }
    const int h = std::max(1, r / 2);
    BoxBlur(stats, h, threads);
    FloatImage out(in.width, in.height, ch);
    ParallelFor(in.height, ThreadsFor((long long)in.height * in.width * (ch + 2), threads), [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < in.width; ++x) {
                float acc[3] = {0, 0, 0};
                float weights = 0;
                for (int q = 0; q < 4; ++q) {
                    const int qx = std::clamp(x + ((q & 1) ? h : -h), 0, in.width - 1);
                    const int qy = std::clamp(y + ((q & 2) ? h : -h), 0, in.height - 1);
                    const float* m = stats.row(qy) + qx * (ch + 2);
                    const float variance = std::max(0.0f, m[ch + 1] - m[ch] * m[ch]);
                    // Weight 1/(1 + v)^4: calm squares win, but ties blend instead of jumping.
                    const float w1 = 1.0f / (1.0f + variance * 0.02f);
                    const float w = w1 * w1 * w1 * w1;
                    for (int c = 0; c < ch; ++c)
                        acc[c] += w * m[c];
                    weights += w;
                }
                float* o = out.row(y) + x * ch;
                for (int c = 0; c < ch; ++c)
                    o[c] = acc[c] / weights;
            }
    });
    return out;
}

int KuwaharaReach(double half)
{
    const int r = std::max(1, int(std::lround(half)));
    const int h = std::max(1, r / 2);
    return 2 * h + 2;
}

void Sampler::sample(float x, float y, float* out) const
{
    // Clamp to the picture first, then to the raster (which holds the picture's part we need).
    x = std::clamp(x, 0.0f, float(ctx_.fullWidth - 1)) - float(ctx_.originX);
    y = std::clamp(y, 0.0f, float(ctx_.fullHeight - 1)) - float(ctx_.originY);
    x = std::clamp(x, 0.0f, float(raster_.width - 1));
    y = std::clamp(y, 0.0f, float(raster_.height - 1));
    const int x0 = int(x), y0 = int(y);
    const int x1 = std::min(x0 + 1, raster_.width - 1), y1 = std::min(y0 + 1, raster_.height - 1);
    const float fx = x - float(x0), fy = y - float(y0);
    const int ch = raster_.channels;
    const std::uint8_t* r0 = raster_.row(y0);
    const std::uint8_t* r1 = raster_.row(y1);
    for (int c = 0; c < ch; ++c) {
        const float top = r0[x0 * ch + c] + fx * float(r0[x1 * ch + c] - r0[x0 * ch + c]);
        const float bottom = r1[x0 * ch + c] + fx * float(r1[x1 * ch + c] - r1[x0 * ch + c]);
        out[c] = top + fy * (bottom - top);
    }
}

void SampleFloat(const FloatImage& image, float x, float y, float* out)
{
    x = std::clamp(x, 0.0f, float(image.width - 1));
    y = std::clamp(y, 0.0f, float(image.height - 1));
    const int x0 = int(x), y0 = int(y);
    const int x1 = std::min(x0 + 1, image.width - 1), y1 = std::min(y0 + 1, image.height - 1);
    const float fx = x - float(x0), fy = y - float(y0);
    const int ch = image.channels;
    const float* r0 = image.row(y0);
    const float* r1 = image.row(y1);
    for (int c = 0; c < ch; ++c) {
        const float top = r0[x0 * ch + c] + fx * (r0[x1 * ch + c] - r0[x0 * ch + c]);
        const float bottom = r1[x0 * ch + c] + fx * (r1[x1 * ch + c] - r1[x0 * ch + c]);
        out[c] = top + fy * (bottom - top);
    }
}

}  // namespace lv::effects
