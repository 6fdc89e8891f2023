#pragma once
// Allocation, copying and classification of packed-DIB blocks.

#include "common/file_problem.h"
#include "imagelib/dib.h"

#include <cstddef>
#include <cstdint>

namespace lv {

// The allocations below take a `shortage`: when memory runs out it receives
// FileProblem::OutOfMemory with the system's box for the caller to show. Without one the
// shortage is told where it happens (common/memory_shortage.h), as every caller that hands
// no failure on expects.

// A zeroed block of `bytes` + 10 bytes, or null.
HDIB DibAlloc(std::size_t bytes, FileFailure* shortage = nullptr);

// A byte-for-byte copy of the whole block, spare bytes included. Null in, null out.
HDIB DibDuplicate(const HDIB& source, FileFailure* shortage = nullptr);

// Copies `count` bytes of `source` from `offset` into `destination` (allocated when null,
// grown when short) and returns it; a count of 0 means everything from `offset` on.
HDIB DibCopyBytes(HDIB destination, const HDIB& source, std::size_t offset, std::size_t count);

ImageType DibGetType(const HDIB& dib);

// Bytes of pixel rows for a picture of this size, or 0 when the dimensions are refused
// (not positive, above kMaxPictureDimension, or rows beyond kMaxPictureBytes).
std::uint64_t PictureBytes(std::int64_t width, std::int64_t height, unsigned bitCount);

// The one checked path by which pictures are made: validates the size, allocates header,
// a table of `clrUsed` entries, rows and spare bytes through DibAlloc, and fills the header
// (resolution 0). Null when the size is refused or memory runs out.
HDIB AllocatePicture(std::int64_t width, std::int64_t height, unsigned bitCount, unsigned clrUsed,
                     FileFailure* shortage = nullptr);

// Writes the header of a fresh block for a picture of `rowBytes` bytes of rows (resolution 0).
void WritePictureHeader(HDIB& dib, std::int32_t width, std::int32_t height, unsigned bitCount, unsigned clrUsed,
                        std::uint64_t rowBytes);

// A block for a picture made from `source` at another size or depth, through DibAlloc: the
// source's header (resolution included) with the size, depth, table size and image size
// changed. The table and the rows are the caller's to fill. Null when memory runs out.
HDIB DibAllocDerived(const HDIB& source, int width, int height, unsigned bitCount, unsigned clrUsed,
                     FileFailure* shortage = nullptr);

// A grey ramp of `colours` entries from black to white: entry i is i × 255 / (colours − 1).
void FillGreyRamp(RgbQuad* table, unsigned colours);

}  // namespace lv
