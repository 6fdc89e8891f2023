#pragma once
// How much picture a file may make a reader allocate. A small hostile file must not take
// gigabytes: pictures of up to kRatioFreeBytes are always allowed (a blank page compresses
// to almost nothing), larger ones need at least one byte of file data for every
// kMaxExpansion bytes of rows, and nothing beyond kPictureBudgetBytes is made at all. Real
// photos stay far inside: a 100-megapixel photo is 300 MB of rows from a file of tens of
// megabytes.

#include "common/file_problem.h"
#include "imagelib/dib.h"

#include <cstdint>

// Fuzzing builds set a lower budget, below the fuzzers' memory limit.
#ifndef LV_PICTURE_BUDGET_BYTES
#define LV_PICTURE_BUDGET_BYTES (std::uint64_t(1) << 30)
#endif

namespace lv {

inline constexpr std::uint64_t kPictureBudgetBytes = LV_PICTURE_BUDGET_BYTES;
inline constexpr std::uint64_t kRatioFreeBytes = std::uint64_t(64) << 20;
inline constexpr std::uint64_t kMaxExpansion = 256;

// The most bytes of rows `fileBytes` bytes of data may make.
std::uint64_t PictureAllowance(std::uint64_t fileBytes);

// TooLarge when `pictureBytes` of rows lie beyond what `fileBytes` may make; else nothing.
FileFailure CheckPictureBudget(std::uint64_t pictureBytes, std::uint64_t fileBytes);

struct FilePicture {
    HDIB picture;
    FileFailure failure;  // when null: TooLarge, Corrupt (impossible size) or OutOfMemory
};

// AllocatePicture for a picture described by a file with `fileBytes` bytes of data for it.
FilePicture AllocateFilePicture(std::int64_t width, std::int64_t height, unsigned bitCount, unsigned clrUsed,
                                std::uint64_t fileBytes);

}  // namespace lv
