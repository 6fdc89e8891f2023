#include "effects/blur.h"
#include "effects/blur_stream.h"

#include "effects/parallel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>
#include <type_traits>

namespace lv::effects {

namespace {

// One extended-box pass along `count` positions `stride` floats apart, for `lanes` lanes
// at each position. Positions outside repeat the border one. The hottest loop of every
// blur: built twice, for processors with and without 256-bit vectors.
__attribute__((target_clones("avx2", "default"))) void BoxLanes(const float* in, float* out, int count, std::size_t stride, std::size_t lanes, BoxPass pass, float* sums)
{
    const int r = pass.radius;
    const float a = pass.endWeight;
    const float norm = 1.0f / (float(2 * r + 1) + 2.0f * a);
    const auto at = [&](int i) { return in + std::size_t(std::clamp(i, 0, count - 1)) * stride; };
    std::fill(sums, sums + lanes, 0.0f);
    for (int j = -r; j <= r; ++j) {
        const float* p = at(j);
        for (std::size_t l = 0; l < lanes; ++l)
            sums[l] += p[l];
    }
    for (int i = 0; i < count; ++i) {
        const float* lo = at(i - r - 1);
        const float* hi = at(i + r + 1);
        const float* drop = at(i - r);
        float* o = out + std::size_t(i) * stride;
        for (std::size_t l = 0; l < lanes; ++l) {
            o[l] = (sums[l] + a * (lo[l] + hi[l])) * norm;
            sums[l] += hi[l] - drop[l];
        }
    }
}

// Runs the passes over a buffer of `count` positions × `lanes` lanes; the result ends in `a`.
void RunPasses(std::vector<float>& a, std::vector<float>& b, std::vector<float>& sums, int count, std::size_t lanes,
               std::span<const BoxPass> passes)
{
    for (const BoxPass& pass : passes) {
        BoxLanes(a.data(), b.data(), count, lanes, lanes, pass, sums.data());
        std::swap(a, b);
    }
}

// Copies `count` pixels of `channels` samples from `from` (pixels `fromStep` samples apart)
// to `to` (pixels `toStep` apart), as floats; the usual channel counts get fixed-size copies.
// Clang clones no templates; there this copy keeps the baseline build.
#if defined(__clang__)
#define LV_TEMPLATE_CLONES
#else
#define LV_TEMPLATE_CLONES __attribute__((target_clones("avx2", "default")))
#endif
template<int Channels, typename Sample>
LV_TEMPLATE_CLONES void TurnFixed(const Sample* from, std::size_t fromStep, float* to, std::size_t toStep, int count)
{
    for (int x = 0; x < count; ++x, from += fromStep, to += toStep)
        for (int c = 0; c < Channels; ++c)
            to[c] = float(from[c]);
}

template<typename Sample>
void Turn(const Sample* from, std::size_t fromStep, float* to, std::size_t toStep, int count, int channels)
{
    switch (channels) {
    case 1:
        return TurnFixed<1>(from, fromStep, to, toStep, count);
    case 3:
        return TurnFixed<3>(from, fromStep, to, toStep, count);
    default:
        for (int x = 0; x < count; ++x, from += fromStep, to += toStep)
            for (int c = 0; c < channels; ++c)
                to[c] = float(from[c]);
    }
}

// sums += row, lane by lane.
__attribute__((target_clones("avx2", "default"))) void Accumulate(float* sums, const float* row, std::size_t lanes)
{
    for (std::size_t l = 0; l < lanes; ++l)
        sums[l] += row[l];
}

// One output row of an extended box from its running sums, then the sums moved one row on.
__attribute__((target_clones("avx2", "default"))) void Step(float* __restrict out, float* __restrict sums,
                                                          const float* lo, const float* hi, const float* drop,
                                                          std::size_t lanes, float a, float norm)
{
    for (std::size_t l = 0; l < lanes; ++l) {
        out[l] = (sums[l] + a * (lo[l] + hi[l])) * norm;
        sums[l] += hi[l] - drop[l];
    }
}

// Pixels of `channels` bytes, packed, to pixels `toStep` bytes apart.
void TurnBytes(const std::uint8_t* from, std::uint8_t* to, std::size_t toStep, int count, int channels)
{
    if (channels == 3) {
        for (int x = 0; x < count; ++x, from += 3, to += toStep)
            to[0] = from[0], to[1] = from[1], to[2] = from[2];
        return;
    }
    for (int x = 0; x < count; ++x, from += channels, to += toStep)
        std::memcpy(to, from, std::size_t(channels));
}

__attribute__((target_clones("avx2", "default"))) void Widen(const std::uint8_t* from, float* to, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        to[i] = float(from[i]);
}

// The vertical passes of a band as one downward sweep: each pass keeps only the few rows
// of its input that its box still needs, in a small ring, so all passes run from the
// fastest cache instead of sweeping the whole band once per pass.
template<typename Source>
class VerticalCascade {
public:
    // `band.row(j)` gives row j (0 ≤ j < height) of the band before the vertical passes.
    VerticalCascade(Source& band, int height, std::size_t lanes, std::span<const BoxPass> passes)
        : band_(band), height_(height), lanes_(lanes), passes_(passes), stages_(passes.size())
    {
        for (std::size_t k = 0; k < stages_.size(); ++k) {
            Stage& st = stages_[k];
            // Rows of this pass's output the next pass reads at once; the last pass needs one.
            st.capacity = k + 1 < stages_.size() ? 2 * passes[k + 1].radius + 3 : 1;
            st.ring.resize(std::size_t(st.capacity) * lanes);
            st.sums.resize(lanes);
        }
    }

    // Row y of the last pass's output.
    const float* row(int y)
    {
        if (stages_.empty())
            return band_.row(y);
        ensure(stages_.size(), y);
        return output(stages_.size(), y);
    }

private:
    struct Stage {
        int capacity = 1;
        int produced = 0;
        std::vector<float> ring;
        std::vector<float> sums;
    };

    // Row j (clamped to the band) of stage k's output; stage 0 is the band itself.
    const float* output(std::size_t k, int j)
    {
        j = std::clamp(j, 0, height_ - 1);
        if (k == 0)
            return band_.row(j);
        const Stage& st = stages_[k - 1];
        return st.ring.data() + std::size_t(j % st.capacity) * lanes_;
    }

    // Makes stage k (1-based) produce its rows up to y.
    void ensure(std::size_t k, int y)
    {
        if (k == 0)
            return;
        Stage& st = stages_[k - 1];
        const BoxPass pass = passes_[k - 1];
        const int r = pass.radius;
        const float a = pass.endWeight;
        const float norm = 1.0f / (float(2 * r + 1) + 2.0f * a);
        y = std::min(y, height_ - 1);
        while (st.produced <= y) {
            const int i = st.produced;
            ensure(k - 1, i + r + 1);
            if (i == 0) {
                std::fill(st.sums.begin(), st.sums.end(), 0.0f);
                for (int j = -r; j <= r; ++j)
                    Accumulate(st.sums.data(), output(k - 1, j), lanes_);
            }
            float* o = st.ring.data() + std::size_t(i % st.capacity) * lanes_;
            Step(o, st.sums.data(), output(k - 1, i - r - 1), output(k - 1, i + r + 1), output(k - 1, i - r), lanes_, a, norm);
            ++st.produced;
        }
    }

    Source& band_;
    int height_;
    std::size_t lanes_;
    std::span<const BoxPass> passes_;
    std::vector<Stage> stages_;
};

int Reach(std::span<const BoxPass> passes)
{
    int reach = 0;
    for (const BoxPass& p : passes)
        reach += p.radius + 1;
    return reach;
}

// Columns blurred together: their rows stay in the cache between the passes.
constexpr int kBandPixels = 512;

// The rows of one band of columns after the horizontal passes, made on demand, a strip of
// rows at a time, into a ring just large enough for what the vertical passes still read: the
// band never exists whole, so its rows go from the horizontal passes to the vertical ones
// through the cache instead of through memory.
// Working rows of the horizontal passes, rewritten for every strip: bands made one after
// another on a thread can share them.
struct StripScratch {
    std::vector<float> a, b, sums;
    std::vector<std::uint8_t> bytes;
};

template<typename RowOf>
class HorizontalStrips {
public:
    static constexpr int kStripRows = 16;

    HorizontalStrips(const RowOf& rowOf, int width, int height, int channels, std::span<const BoxPass> across, int ringRows)
        : rowOf_(rowOf), width_(width), height_(height), channels_(channels), across_(across), reach_(Reach(across)),
          capacity_(std::min(height, ringRows + kStripRows))
    {
        ring_.resize(std::size_t(capacity_) * std::size_t(kBandPixels) * std::size_t(channels));
    }

    // Starts the band of columns [x0, x1).
    void startBand(int x0, int x1)
    {
        x0_ = x0;
        x1_ = x1;
        produced_ = 0;
    }
    std::size_t lanes() const { return std::size_t(x1_ - x0_) * std::size_t(channels_); }
    // Working rows to use from now on; null for the strips' own.
    void useScratch(StripScratch* scratch) { scratch_ = scratch ? scratch : &own_; }

    // Row j of the band; rows are asked for roughly in order, never older than the ring holds.
    const float* row(int j)
    {
        while (produced_ <= j)
            produceStrip();
        return ring_.data() + std::size_t(j % capacity_) * lanes();
    }

private:
    // Rows are gathered with enough columns either side for the horizontal passes and turned
    // so the running sums run across many lanes at once.
    void produceStrip()
    {
        const int y0 = produced_;
        const int rows = std::min(kStripRows, height_ - y0);
        const int s0 = std::max(0, x0_ - reach_), s1 = std::min(width_, x1_ + reach_);
        const int segment = s1 - s0;
        const int ch = channels_;
        const std::size_t lanes = std::size_t(rows) * std::size_t(ch);
        StripScratch& w = *scratch_;
        const std::size_t need = std::size_t(std::min(width_, kBandPixels + 2 * reach_)) * std::size_t(kStripRows) * std::size_t(ch);
        if (w.a.size() < need || w.b.size() < need) {
            w.a.resize(need);
            w.b.resize(need);
        }
        w.sums.resize(std::max(w.sums.size(), std::size_t(kStripRows) * std::size_t(ch)));
        using Sample = std::remove_cv_t<std::remove_pointer_t<decltype(rowOf_(0))>>;
        if constexpr (std::is_same_v<Sample, std::uint8_t>) {
            // Bytes are turned as bytes, then widened in one straight run.
            w.bytes.resize(std::max(w.bytes.size(), need));
            for (int r = 0; r < rows; ++r)
                TurnBytes(rowOf_(y0 + r) + std::size_t(s0) * std::size_t(ch), w.bytes.data() + r * ch, lanes, segment, ch);
            Widen(w.bytes.data(), w.a.data(), std::size_t(segment) * lanes);
        } else {
            for (int r = 0; r < rows; ++r)
                Turn(rowOf_(y0 + r) + std::size_t(s0) * std::size_t(ch), std::size_t(ch), w.a.data() + r * ch, lanes, segment, ch);
        }
        RunPasses(w.a, w.b, w.sums, segment, lanes, across_);
        const std::size_t bandLanes = this->lanes();
        for (int r = 0; r < rows; ++r)
            Turn(w.a.data() + std::size_t(x0_ - s0) * lanes + std::size_t(r * ch), lanes,
                 ring_.data() + std::size_t((y0 + r) % capacity_) * bandLanes, std::size_t(ch), x1_ - x0_, ch);
        produced_ += rows;
    }

    const RowOf& rowOf_;
    int width_, height_, channels_;
    std::span<const BoxPass> across_;
    int reach_;
    int capacity_;
    int x0_ = 0, x1_ = 0;
    int produced_ = 0;
    std::vector<float> ring_;
    StripScratch own_;
    StripScratch* scratch_ = &own_;
};

// Blurs in bands of columns, each through its whole height, so no picture-sized buffer is
// needed: per band, the horizontal passes make rows a strip at a time, the vertical passes
// take them as they come, and finished rows go to `deliver(y, firstSample, count, values)`.
// `rowOf(y)` points at row y's samples.
template<typename RowOf, typename Deliver>
void BandedBlur(int width, int height, int channels, const RowOf& rowOf, std::span<const BoxPass> across,
                std::span<const BoxPass> down, int threads, const Deliver& deliver)
{
    const int bands = (width + kBandPixels - 1) / kBandPixels;
    // The first vertical pass reads 2r + 3 rows around the one it makes.
    const int ringRows = down.empty() ? 1 : 2 * down.front().radius + 3;
    ParallelFor(bands, ThreadsFor((long long)width * height * channels, threads), [&](int begin, int end) {
        HorizontalStrips<RowOf> strips(rowOf, width, height, channels, across, ringRows);
        for (int index = begin; index < end; ++index) {
            const int x0 = index * kBandPixels, x1 = std::min(width, x0 + kBandPixels);
            strips.startBand(x0, x1);
            VerticalCascade cascade(strips, height, strips.lanes(), down);
            for (int y = 0; y < height; ++y)
                deliver(y, std::size_t(x0) * std::size_t(channels), strips.lanes(), cascade.row(y));
        }
    });
}

std::array<BoxPass, 3> GaussianPasses(double sigma)
{
    const BoxPass box = BoxForVariance(sigma * sigma / 3.0);
    return {box, box, box};
}

std::span<const BoxPass> PassesOrNone(const std::array<BoxPass, 3>& passes, double sigma)
{
    return sigma > 0.05 ? std::span<const BoxPass>(passes) : std::span<const BoxPass>();
}

// Blurs a float image in place; the source is copied first since bands write back rows
// that neighbouring bands still read.
void BlurFloatInPlace(FloatImage& image, std::span<const BoxPass> across, std::span<const BoxPass> down, int threads)
{
    const FloatImage source = image;
    BandedBlur(image.width, image.height, image.channels, [&source](int y) { return source.row(y); }, across, down, threads,
               [&image](int y, std::size_t first, std::size_t count, const float* v) { std::copy_n(v, count, image.row(y) + first); });
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
    if (image.samples.empty() || (sigmaX <= 0.05 && sigmaY <= 0.05))
        return;
    const auto px = GaussianPasses(sigmaX), py = GaussianPasses(sigmaY);
    BlurFloatInPlace(image, PassesOrNone(px, sigmaX), PassesOrNone(py, sigmaY), threads);
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
    BlurFloatInPlace(image, box, box, threads);
}

void HorizontalBoxBlur(FloatImage& image, double halfLength, int passes, int threads)
{
    if (image.samples.empty() || halfLength <= 0.05)
        return;
    const int r = int(std::floor(halfLength));
    const std::vector<BoxPass> list(std::size_t(passes), BoxPass{r, float(halfLength - r)});
    BlurFloatInPlace(image, list, {}, threads);
}

int BoxReach(double halfLength, int passes)
{
    return halfLength <= 0.05 ? 0 : passes * (int(std::floor(halfLength)) + 1);
}

FloatImage BlurredCopy(ConstRaster raster, double sigma, int threads)
{
    FloatImage image(raster.width, raster.height, raster.channels);
    BlurInto(raster, sigma, threads,
             [&image](int y, std::size_t first, std::size_t count, const float* v) { std::copy_n(v, count, image.row(y) + first); });
    return image;
}

void BlurInto(ConstRaster raster, double sigma, int threads, const BlurredRowSink& sink)
{
    const auto passes = GaussianPasses(sigma);
    const auto used = PassesOrNone(passes, sigma);
    BandedBlur(raster.width, raster.height, raster.channels, [&raster](int y) { return raster.row(y); }, used, used, threads, sink);
}

}  // namespace lv::effects

// --- Streaming ---------------------------------------------------------------------------------

namespace lv::effects {

struct BlurStream::Impl {
    using Strips = HorizontalStrips<RowSource>;
    struct Band {
        RowSource source;
        std::unique_ptr<Strips> strips;
        std::unique_ptr<VerticalCascade<Strips>> cascade;
        int x0 = 0, x1 = 0;
    };

    int width, height, channels, capacity, threads;
    std::vector<BoxPass> across, down;
    std::vector<std::unique_ptr<Band>> bands;
    std::vector<float> ring;
    int made = 0;

    float* ringRow(int y) { return ring.data() + std::size_t(y % capacity) * std::size_t(width) * std::size_t(channels); }
};

// Rows made at once: enough to share the work out, few enough to stay small.
constexpr int kStreamChunk = 32;

BlurStream::BlurStream(int width, int height, int channels, const SourceMaker& makeSource, std::vector<BoxPass> across,
                       std::vector<BoxPass> down, int kept, int threads)
    : impl_(std::make_unique<Impl>())
{
    Impl& s = *impl_;
    s.width = width;
    s.height = height;
    s.channels = channels;
    s.capacity = std::min(height, kept + kStreamChunk);
    s.threads = threads;
    s.across = std::move(across);
    s.down = std::move(down);
    s.ring.resize(std::size_t(s.capacity) * std::size_t(width) * std::size_t(channels));
    // The same bands, strips and cascades as a whole-picture blur, kept alive between rows.
    const int reach = Reach(s.across);
    const int ringRows = s.down.empty() ? 1 : 2 * s.down.front().radius + 3;
    for (int x0 = 0; x0 < width; x0 += kBandPixels) {
        auto band = std::make_unique<Impl::Band>();
        band->x0 = x0;
        band->x1 = std::min(width, x0 + kBandPixels);
        band->source = makeSource(std::max(0, x0 - reach), std::min(width, band->x1 + reach));
        band->strips = std::make_unique<Impl::Strips>(band->source, width, height, channels, s.across, ringRows);
        band->strips->startBand(band->x0, band->x1);
        band->cascade = std::make_unique<VerticalCascade<Impl::Strips>>(*band->strips, height, band->strips->lanes(), s.down);
        s.bands.push_back(std::move(band));
    }
}

BlurStream::~BlurStream() = default;

void BlurStream::makeThrough(int y)
{
    Impl& s = *impl_;
    y = std::min(y, s.height - 1);
    while (s.made <= y)
        makeStep();
}

void BlurStream::makeStep()
{
    Impl& s = *impl_;
    const int to = std::min(s.height, s.made + kStreamChunk);
    const int from = s.made;
    ParallelFor(int(s.bands.size()), ThreadsFor((long long)(to - from) * s.width * s.channels * 4, s.threads), [&](int begin, int end) {
        StripScratch scratch;
        for (int b = begin; b < end; ++b) {
            Impl::Band& band = *s.bands[std::size_t(b)];
            band.strips->useScratch(&scratch);
            const std::size_t first = std::size_t(band.x0) * std::size_t(s.channels);
            const std::size_t count = band.strips->lanes();
            for (int r = from; r < to; ++r)
                std::copy_n(band.cascade->row(r), count, s.ringRow(r) + first);
            band.strips->useScratch(nullptr);
        }
    });
    s.made = to;
}

const float* BlurStream::row(int y) const
{
    return impl_->ringRow(y);
}

std::vector<BoxPass> GaussianBoxes(double sigma)
{
    if (sigma <= 0.05)
        return {};
    const BoxPass box = BoxForVariance(sigma * sigma / 3.0);
    return {box, box, box};
}

}  // namespace lv::effects
