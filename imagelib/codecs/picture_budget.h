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

// Fuzzing builds set lower budgets, below the fuzzers' memory limit.
#ifndef LV_PICTURE_BUDGET_BYTES
#define LV_PICTURE_BUDGET_BYTES (std::uint64_t(1) << 30)
#endif
#ifndef LV_DOCUMENT_BUDGET_BYTES
#define LV_DOCUMENT_BUDGET_BYTES UINT64_MAX
#endif

namespace lv {

inline constexpr std::uint64_t kPictureBudgetBytes = LV_PICTURE_BUDGET_BYTES;
inline constexpr std::uint64_t kRatioFreeBytes = std::uint64_t(64) << 20;
inline constexpr std::uint64_t kMaxExpansion = 256;

// The most bytes of rows `fileBytes` bytes of data may make.
std::uint64_t PictureAllowance(std::uint64_t fileBytes);

// TooLarge when `pictureBytes` of rows lie beyond what `fileBytes` may make; else nothing.
FileFailure CheckPictureBudget(std::uint64_t pictureBytes, std::uint64_t fileBytes);

// A document of many pictures (layers, masks, their sources) is bounded picture by picture
// above; together they may make what each picture's own data may make, summed, and never
// more than the machine's memory. Counting the pictures together against one picture's
// budget would refuse documents the program itself makes and saves: 32 layers of a
// 12-megapixel photo with their masks are 1.5 GB.
std::uint64_t DocumentAllowance(std::uint64_t fileBytes, std::uint64_t pictures);
FileFailure CheckDocumentBudget(std::uint64_t pictureBytes, std::uint64_t fileBytes, std::uint64_t pictures);

// The physical memory, lowered to the process's address-space or data limit when one is set.
std::uint64_t MachineMemoryBytes();

struct FilePicture {
    HDIB picture;
    FileFailure failure;  // when null: TooLarge, Corrupt (impossible size) or OutOfMemory
};

// AllocatePicture for a picture described by a file with `fileBytes` bytes of data for it.
FilePicture AllocateFilePicture(std::int64_t width, std::int64_t height, unsigned bitCount, unsigned clrUsed,
                                std::uint64_t fileBytes);

}  // namespace lv
