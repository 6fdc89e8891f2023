#include "effects/kuwahara_stream.h"

#include "effects/neighbourhood.h"
#include "effects/parallel.h"

#include <algorithm>
#include <cmath>

namespace lv::effects {

namespace {

constexpr int kChunk = 32;

}  // namespace

KuwaharaStream::KuwaharaStream(ConstRaster in, double half, bool smooth, int kept, int threads)
    : in_(in), threads_(threads), capacity_(std::min(in.height, kept + kChunk))
{
    std::vector<int> offsets;
    if (smooth) {
        const double h = SmoothSquareOffset(half);
        const int low = int(std::floor(h));
        toHigh_ = float(h - low);
        offsets = toHigh_ < 1e-4f ? std::vector<int>{low} : std::vector<int>{low, low + 1};
    } else {
        const int r = std::max(1, int(std::lround(half)));
        offsets = {std::max(1, r / 2)};
    }
    const int ch = in.channels;
    const BlurStream::SourceMaker statistics = [in, ch](int first, int end) {
        auto row = std::make_shared<std::vector<float>>(std::size_t(in.width) * std::size_t(ch + 2));
        return BlurStream::RowSource([in, ch, first, end, row](int y) {
            KuwaharaStatisticsRow(in.row(y), first, end, ch, row->data());
            return static_cast<const float*>(row->data());
        });
    };
    for (const int h : offsets) {
        const std::vector<BoxPass> box{{h, 0.0f}};
        offsets_.push_back({h, std::make_unique<BlurStream>(in.width, in.height, ch + 2, statistics, box, box,
                                                            2 * h + kChunk + 2, threads)});
    }
    ring_.resize(std::size_t(capacity_) * in.rowSamples());
}

float* KuwaharaStream::ringRow(int y)
{
    return ring_.data() + std::size_t(y % capacity_) * in_.rowSamples();
}

const float* KuwaharaStream::row(int y) const
{
    return ring_.data() + std::size_t(y % capacity_) * in_.rowSamples();
}

void KuwaharaStream::makeThrough(int y)
{
    // A step at a time, so the blurred statistics a step reads are still kept.
    y = std::min(y, in_.height - 1);
    while (made_ <= y)
        makeStep();
}

void KuwaharaStream::makeStep()
{
    const int height = in_.height, width = in_.width, ch = in_.channels;
    const int from = made_, to = std::min(height, made_ + kChunk);
    for (const Offset& o : offsets_)
        o.means->makeThrough(std::min(height - 1, to - 1 + o.h));
    const auto squares = [&](const Offset& o, int r, float* out) {
        KuwaharaSquaresRow(o.means->row(std::clamp(r - o.h, 0, height - 1)), o.means->row(std::clamp(r + o.h, 0, height - 1)),
                           width, ch, o.h, out);
    };
    ParallelFor(to - from, ThreadsFor((long long)(to - from) * width * (ch + 2) * 8, threads_), [&](int begin, int end) {
        std::vector<float> high(offsets_.size() > 1 ? in_.rowSamples() : 0);
        for (int r = from + begin; r < from + end; ++r) {
            float* out = ringRow(r);
            squares(offsets_[0], r, out);
            if (offsets_.size() < 2)
                continue;
            squares(offsets_[1], r, high.data());
            for (std::size_t i = 0; i < high.size(); ++i)
                out[i] += toHigh_ * (high[i] - out[i]);
        }
    });
    made_ = to;
}

}  // namespace lv::effects
