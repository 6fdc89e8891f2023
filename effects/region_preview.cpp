#include "effects/region_preview.h"

#include "effects/parallel.h"
#include "effects/run_operation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

namespace lv::effects {

namespace {

Rect Clip(Rect r, int width, int height)
{
    return {std::clamp(r.left, 0, width), std::clamp(r.top, 0, height), std::clamp(r.right, 0, width),
            std::clamp(r.bottom, 0, height)};
}

Rect Widen(Rect r, int margin, int width, int height)
{
    const long long m = std::min<long long>(margin, 1 << 20);
    return {int(std::max<long long>(0, r.left - m)), int(std::max<long long>(0, r.top - m)),
            int(std::min<long long>(width, r.right + m)), int(std::min<long long>(height, r.bottom + m))};
}

}  // namespace

OwnedRaster ScaledPart(const HDIB& picture, int workWidth, int workHeight, Rect area, int threads)
{
    const ConstRaster whole = ViewOf(picture);
    const int ch = whole.channels;
    OwnedRaster part(area.width(), area.height(), ch);
    const Raster out = part.view();
    if (workWidth == whole.width && workHeight == whole.height) {
        for (int y = 0; y < out.height; ++y)
            std::memcpy(out.row(y), whole.row(area.top + y) + std::size_t(area.left) * std::size_t(ch), out.rowSamples());
        return part;
    }
    // Working pixel i covers picture columns [i·W/w, (i+1)·W/w).
    const auto first = [](int i, int work, int full) { return int(std::int64_t(i) * full / work); };
    std::vector<int> columns(std::size_t(area.width()) + 1);
    for (int i = 0; i <= area.width(); ++i)
        columns[std::size_t(i)] = first(area.left + i, workWidth, whole.width);
    ParallelFor(out.height, ThreadsFor((long long)out.height * whole.width * ch * whole.height / std::max(1, workHeight), threads),
                [&](int begin, int end) {
                    std::vector<std::uint32_t> sums(out.rowSamples());
                    for (int y = begin; y < end; ++y) {
                        const int y0 = first(area.top + y, workHeight, whole.height);
                        const int y1 = first(area.top + y + 1, workHeight, whole.height);
                        std::fill(sums.begin(), sums.end(), 0u);
                        for (int sy = y0; sy < y1; ++sy) {
                            const std::uint8_t* s = whole.row(sy);
                            for (int x = 0; x < out.width; ++x)
                                for (int px = columns[std::size_t(x)]; px < columns[std::size_t(x) + 1]; ++px)
                                    for (int c = 0; c < ch; ++c)
                                        sums[std::size_t(x * ch + c)] += s[px * ch + c];
                        }
                        std::uint8_t* d = out.row(y);
                        for (int x = 0; x < out.width; ++x) {
                            const std::uint32_t n = std::uint32_t((y1 - y0) * (columns[std::size_t(x) + 1] - columns[std::size_t(x)]));
                            for (int c = 0; c < ch; ++c)
                                d[x * ch + c] = std::uint8_t((sums[std::size_t(x * ch + c)] + n / 2) / n);
                        }
                    }
                });
    return part;
}

RegionPreview::RegionPreview(const HDIB& picture, Rect region, double scale, EffectOptions options)
    : picture_(picture), options_(options)
{
    if (!picture || !picture.hasValidLayout())
        return;
    const double s = std::isfinite(scale) ? std::clamp(scale, 1.0 / 4096, 1.0) : 1.0;
    const int w = picture.width(), h = picture.height();
    workWidth_ = std::clamp(int(std::lround(w * s)), 1, w);
    workHeight_ = std::clamp(int(std::lround(h * s)), 1, h);
    const Rect clipped = Clip(region, w, h);
    // Working pixels touched by the region: floor of the start, ceiling of the end.
    const auto down = [](int v, int work, int full) { return int(std::int64_t(v) * work / full); };
    const auto up = [](int v, int work, int full) { return int((std::int64_t(v) * work + full - 1) / full); };
    area_ = {down(clipped.left, workWidth_, w), down(clipped.top, workHeight_, h), up(clipped.right, workWidth_, w),
             up(clipped.bottom, workHeight_, h)};
}

const PictureStatistics& RegionPreview::statistics()
{
    if (!statistics_)
        statistics_ = GatherStatistics(ViewOf(picture_));
    return *statistics_;
}

void RegionPreview::prepareSource(int margin)
{
    if (margin <= sourceMargin_)
        return;
    // Grow generously so a slider drifting upward doesn't rescale on every move.
    const int grown = sourceMargin_ < 0 ? margin : std::max(margin, 2 * sourceMargin_);
    sourceArea_ = Widen(area_, grown, workWidth_, workHeight_);
    source_ = ScaledPart(picture_, workWidth_, workHeight_, sourceArea_, ResolveThreads(options_.threads));
    sourceMargin_ = grown;
}

RegionResult RegionPreview::compute(std::int32_t operation, const std::int32_t* parameters, std::int32_t count)
{
    // Working buffers that cannot be had mean failure, not a crash.
    try {
        return computeOrThrow(operation, parameters, count);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    sourceMargin_ = -1;  // the cached copy may be half made
    return {};
}

RegionResult RegionPreview::computeOrThrow(std::int32_t operation, const std::int32_t* parameters, std::int32_t count)
{
    RegionResult result;
    const auto call = CheckCall(picture_, operation, parameters, count);
    if (!call || area_.width() <= 0 || area_.height() <= 0)
        return result;
    Context ctx;
    ctx.fullWidth = workWidth_;
    ctx.fullHeight = workHeight_;
    ctx.scale = (double(workWidth_) / picture_.width() + double(workHeight_) / picture_.height()) / 2;
    ctx.threads = ResolveThreads(options_.threads);
    const int margin = call->spec->margin ? call->spec->margin(call->parameters, ctx) : 0;
    prepareSource(margin);
    ctx.originX = sourceArea_.left;
    ctx.originY = sourceArea_.top;
    if (call->spec->usesStatistics)
        ctx.statistics = &statistics();
    // Only the needed margin is computed, even when the cached source holds more.
    const Rect needed = Widen(area_, margin, workWidth_, workHeight_);
    const ConstRaster cached = source_.view();
    ConstRaster in = cached;
    in.top = cached.row(needed.top - sourceArea_.top) + std::size_t(needed.left - sourceArea_.left) * std::size_t(cached.channels);
    in.width = needed.width();
    in.height = needed.height();
    ctx.originX = needed.left;
    ctx.originY = needed.top;
    OwnedRaster computed(in.width, in.height, in.channels);
    RunOperation(*call, in, computed.view(), ctx, picture_.width(), picture_.height());

    result.picture = NewPictureLike(picture_, area_.width(), area_.height());
    if (!result.picture)
        return result;
    const ConstRaster done = computed.view();
    const Raster out = ViewOf(result.picture);
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.row(y), done.row(area_.top - needed.top + y) + std::size_t(area_.left - needed.left) * std::size_t(done.channels),
                    out.rowSamples());
    result.area = area_;
    result.workWidth = workWidth_;
    result.workHeight = workHeight_;
    return result;
}

RegionResult ComputeRegion(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                           Rect region, double scale, EffectOptions options)
{
    RegionPreview preview(picture, region, scale, options);
    return preview.compute(operation, parameters, count);
}

}  // namespace lv::effects
