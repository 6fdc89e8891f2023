#include "effects/blur.h"

#include "effects/parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace lv::effects {

namespace {

// One extended-box pass along `count` positions `stride` floats apart, for the lanes
// [laneBegin, laneEnd) at each position. Positions outside repeat the border one.
void BoxLanes(const float* in, float* out, int count, std::size_t stride, std::size_t laneBegin, std::size_t laneEnd,
              BoxPass pass, float* sums)
{
    const int r = pass.radius;
    const float a = pass.endWeight;
    const float norm = 1.0f / (float(2 * r + 1) + 2.0f * a);
    const auto at = [&](int i) { return in + std::size_t(std::clamp(i, 0, count - 1)) * stride; };
    for (std::size_t l = laneBegin; l < laneEnd; ++l)
        sums[l] = 0;
    for (int j = -r; j <= r; ++j) {
        const float* p = at(j);
        for (std::size_t l = laneBegin; l < laneEnd; ++l)
            sums[l] += p[l];
    }
    for (int i = 0; i < count; ++i) {
        const float* lo = at(i - r - 1);
        const float* hi = at(i + r + 1);
        const float* drop = at(i - r);
        float* o = out + std::size_t(i) * stride;
        for (std::size_t l = laneBegin; l < laneEnd; ++l) {
            o[l] = (sums[l] + a * (lo[l] + hi[l])) * norm;
            sums[l] += hi[l] - drop[l];
        }
    }
}

// Rows are gathered a strip at a time so the running sums run across many lanes at once.
void HorizontalPasses(FloatImage& image, std::span<const BoxPass> passes, int threads)
{
    constexpr int kStripRows = 8;
    const int w = image.width, ch = image.channels;
    const int strips = (image.height + kStripRows - 1) / kStripRows;
    ParallelFor(strips, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
        const std::size_t maxLanes = std::size_t(kStripRows) * std::size_t(ch);
        std::vector<float> a(std::size_t(w) * maxLanes), b(a.size()), sums(maxLanes);
        for (int s = begin; s < end; ++s) {
            const int y0 = s * kStripRows;
            const int rows = std::min(kStripRows, image.height - y0);
            const std::size_t lanes = std::size_t(rows) * std::size_t(ch);
            for (int r = 0; r < rows; ++r) {
                const float* src = image.row(y0 + r);
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < ch; ++c)
                        a[std::size_t(x) * lanes + std::size_t(r * ch + c)] = src[x * ch + c];
            }
            for (const BoxPass& pass : passes) {
                BoxLanes(a.data(), b.data(), w, lanes, 0, lanes, pass, sums.data());
                std::swap(a, b);
            }
            for (int r = 0; r < rows; ++r) {
                float* dst = image.row(y0 + r);
                for (int x = 0; x < w; ++x)
                    for (int c = 0; c < ch; ++c)
                        dst[x * ch + c] = a[std::size_t(x) * lanes + std::size_t(r * ch + c)];
            }
        }
    });
}

void VerticalPasses(FloatImage& image, std::span<const BoxPass> passes, int threads)
{
    const std::size_t lanes = image.rowSamples();
    std::vector<float> other(image.samples.size()), sums(lanes);
    const int bands = int(std::min<std::size_t>(lanes, 64));
    for (const BoxPass& pass : passes) {
        ParallelFor(bands, ThreadsFor((long long)image.samples.size(), threads), [&](int begin, int end) {
            const std::size_t l0 = lanes * std::size_t(begin) / std::size_t(bands);
            const std::size_t l1 = lanes * std::size_t(end) / std::size_t(bands);
            BoxLanes(image.samples.data(), other.data(), image.height, lanes, l0, l1, pass, sums.data());
        });
        std::swap(image.samples, other);
    }
}

std::array<BoxPass, 3> GaussianPasses(double sigma)
{
    const BoxPass box = BoxForVariance(sigma * sigma / 3.0);
    return {box, box, box};
}

}  // namespace

BoxPass BoxForVariance(double variance)
{
    // A box of 2r + 1 samples has variance r(r + 1)/3; the end weights make up the rest.
    const int r = std::max(0, int(std::floor((std::sqrt(12.0 * variance + 1.0) - 1.0) / 2.0)));
    const double rr = r;
    const double inner = rr * (rr + 1.0) * (2.0 * rr + 1.0) / 3.0;
    const double alpha = (variance * (2.0 * rr + 1.0) - inner) / (2.0 * (rr + 1.0) * (rr + 1.0) - 2.0 * variance);
    return {r, float(std::clamp(alpha, 0.0, 1.0))};
}

void GaussianBlur(FloatImage& image, double sigmaX, double sigmaY, int threads)
{
    if (image.samples.empty())
        return;
    if (sigmaX > 0.05)
        HorizontalPasses(image, GaussianPasses(sigmaX), threads);
    if (sigmaY > 0.05)
        VerticalPasses(image, GaussianPasses(sigmaY), threads);
}

int GaussianReach(double sigma)
{
    if (sigma <= 0.05)
        return 0;
    return 3 * (BoxForVariance(sigma * sigma / 3.0).radius + 1);
}

void BoxBlur(FloatImage& image, int radius, int threads)
{
    if (image.samples.empty() || radius <= 0)
        return;
    const BoxPass box[1] = {{radius, 0.0f}};
    HorizontalPasses(image, box, threads);
    VerticalPasses(image, box, threads);
}

void HorizontalBoxBlur(FloatImage& image, double halfLength, int passes, int threads)
{
    if (image.samples.empty() || halfLength <= 0.05)
        return;
    const int r = int(std::floor(halfLength));
    const std::vector<BoxPass> list(std::size_t(passes), BoxPass{r, float(halfLength - r)});
    HorizontalPasses(image, list, threads);
}

int BoxReach(double halfLength, int passes)
{
    return halfLength <= 0.05 ? 0 : passes * (int(std::floor(halfLength)) + 1);
}

FloatImage BlurredCopy(ConstRaster raster, double sigma, int threads)
{
    FloatImage image = ToFloat(raster, threads);
    GaussianBlur(image, sigma, sigma, threads);
    return image;
}

}  // namespace lv::effects
