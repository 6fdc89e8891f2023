#include "effects/enhance_and_effect.h"

#include "effects/run_operation.h"
#include "effects/statistics.h"

#include <new>
#include <stdexcept>

namespace lv::effects {

HDIB DoEnhanceAndEffect(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                        const void* reserved)
{
    return DoEnhanceAndEffect(picture, operation, parameters, count, reserved, EffectOptions{});
}

HDIB DoEnhanceAndEffect(const HDIB& picture, std::int32_t operation, const std::int32_t* parameters, std::int32_t count,
                        const void*, const EffectOptions& options)
{
    const auto call = CheckCall(picture, operation, parameters, count);
    if (!call)
        return {};
    HDIB result = NewPictureLike(picture, picture.width(), picture.height());
    if (!result)
        return {};
    // Working buffers that cannot be had mean failure, not a crash.
    try {
        const ConstRaster in = ViewOf(picture);
        PictureStatistics statistics;
        if (call->spec->usesStatistics)
            statistics = GatherStatistics(in);
        Context ctx;
        ctx.fullWidth = picture.width();
        ctx.fullHeight = picture.height();
        ctx.statistics = &statistics;
        ctx.threads = ResolveThreads(options.threads);
        RunOperation(*call, in, ViewOf(result), ctx, picture.width(), picture.height());
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const std::length_error&) {
        return {};
    }
    return result;
}

}  // namespace lv::effects
