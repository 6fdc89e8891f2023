#include "imagelib/codecs/picture_budget.h"

#include "imagelib/dib_alloc.h"

#include <sys/resource.h>
#include <unistd.h>

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

std::uint64_t MachineMemoryBytes()
{
    const long pages = sysconf(_SC_PHYS_PAGES), pageBytes = sysconf(_SC_PAGESIZE);
    std::uint64_t bytes = pages > 0 && pageBytes > 0 ? std::uint64_t(pages) * std::uint64_t(pageBytes) : UINT64_MAX;
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        rlimit limit{};
        if (getrlimit(resource, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
            bytes = std::min<std::uint64_t>(bytes, limit.rlim_cur);
    }
    return std::min<std::uint64_t>(bytes, LV_DOCUMENT_BUDGET_BYTES);
}

std::uint64_t DocumentAllowance(std::uint64_t fileBytes, std::uint64_t pictures)
{
    const std::uint64_t free = std::min(kRatioFreeBytes, kPictureBudgetBytes);
    const std::uint64_t byPictures = pictures > UINT64_MAX / free ? UINT64_MAX : pictures * free;
    const std::uint64_t byRatio = fileBytes > UINT64_MAX / kMaxExpansion ? UINT64_MAX : fileBytes * kMaxExpansion;
    const std::uint64_t byData = byRatio > UINT64_MAX - byPictures ? UINT64_MAX : byRatio + byPictures;
    return std::min(byData, MachineMemoryBytes());
}

FileFailure CheckDocumentBudget(std::uint64_t pictureBytes, std::uint64_t fileBytes, std::uint64_t pictures)
{
    if (pictureBytes <= DocumentAllowance(fileBytes, pictures))
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
    FileFailure shortage;
    HDIB picture = AllocatePicture(width, height, bitCount, clrUsed, &shortage);
    if (!picture)
        return {{}, std::move(shortage)};
    return {std::move(picture), {}};
}

}  // namespace lv
