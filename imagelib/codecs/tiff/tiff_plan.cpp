#include "imagelib/codecs/tiff/tiff_plan.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/picture_budget.h"
#include "imagelib/codecs/tiff/lzw.h"

#include <string>

namespace lv {
namespace {

std::optional<TiffStrips> readStrips(ByteSource& source, const TiffInfo& info)
{
    TiffStrips strips;
    auto offsets = ReadTiffValues(source, info.order, info.stripOffsets);
    if (!info.stripOffsets.present() || !offsets || offsets->empty())
        return std::nullopt;
    strips.offsets = std::move(*offsets);
    if (info.stripByteCounts.present()) {
        strips.byteCounts = ReadTiffValues(source, info.order, info.stripByteCounts);
        if (!strips.byteCounts)
            return std::nullopt;
    }
    return strips;
}

}  // namespace

std::optional<TiffPlan> PlanTiffPixels(ByteSource& source, FileFailure& refusal)
{
    std::optional<TiffInfo> found = ReadTiffDirectory(source);
    if (!found)
        return std::nullopt;
    TiffPlan plan;
    plan.info = std::move(*found);
    const TiffInfo& info = plan.info;
    const std::uint64_t depth = std::uint64_t(info.samplesPerPixel) * info.bitsPerSample;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return std::nullopt;
    plan.bits = unsigned(depth);
    if (PictureBytes(info.width, info.height, plan.bits) == 0)
        return std::nullopt;
    if (info.compression != kTiffUncompressed && info.compression != kTiffLzw) {
        refusal = {FileProblem::Unsupported, "TIFF com compressão " + std::to_string(info.compression)};
        return std::nullopt;
    }
    plan.camera = info.camera && plan.bits == 24;
    plan.rowBytes = plan.camera ? 2 * std::size_t(info.width) : (plan.bits * std::size_t(info.width) + 7) / 8;

    // Refuse sizes the file couldn't fill even at LZW's best ratio before allocating them.
    const std::uint64_t capacity = info.compression == kTiffLzw ? source.size() * kLzwMaxExpansion : source.size();
    if (std::uint64_t(plan.rowBytes) * info.height > capacity) {
        refusal = {FileProblem::Truncated, {}};
        return std::nullopt;
    }
    if (FileFailure refused = CheckPictureBudget(PictureBytes(info.width, info.height, plan.bits), source.size())) {
        refusal = std::move(refused);
        return std::nullopt;
    }
    std::optional<TiffStrips> strips = readStrips(source, info);
    if (!strips)
        return std::nullopt;
    plan.strips = std::move(*strips);
    return plan;
}

}  // namespace lv
