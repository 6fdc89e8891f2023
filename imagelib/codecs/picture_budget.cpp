#include "imagelib/codecs/picture_budget.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>

namespace lv {

std::uint64_t PictureAllowance(std::uint64_t fileBytes)
{
    const std::uint64_t byRatio = fileBytes > (kPictureBudgetBytes / kMaxExpansion) ? kPictureBudgetBytes
                                                                                    : fileBytes * kMaxExpansion;
    return std::min(kPictureBudgetBytes, std::max(std::min(kRatioFreeBytes, kPictureBudgetBytes), byRatio));
}

FileFailure CheckPictureBudget(std::uint64_t pictureBytes, std::uint64_t fileBytes)
{
    if (pictureBytes <= PictureAllowance(fileBytes))
        return {};
    return {FileProblem::TooLarge, {}};
}

FilePicture AllocateFilePicture(std::int64_t width, std::int64_t height, unsigned bitCount, unsigned clrUsed,
                                std::uint64_t fileBytes)
{
    const std::uint64_t rows = PictureBytes(width, height, bitCount);
    if (rows == 0) {
        const bool positive = width > 0 && height > 0;
        return {{}, {positive ? FileProblem::TooLarge : FileProblem::Corrupt, {}}};
    }
    if (FileFailure refused = CheckPictureBudget(rows, fileBytes))
        return {{}, std::move(refused)};
    HDIB picture = AllocatePicture(width, height, bitCount, clrUsed);
    if (!picture)
        return {{}, {FileProblem::OutOfMemory, {}}};
    return {std::move(picture), {}};
}

}  // namespace lv
