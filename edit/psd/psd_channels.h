#pragma once
// Channel data of Photoshop documents: raw rows, PackBits rows with a table of row
// lengths, or deflate streams (with or without per-row differences), of 8 or 16 bits per
// sample. Decoded rows come out as 8-bit samples, top row first.

#include <cstdint>
#include <functional>
#include <span>

namespace lv {

enum PsdCompression : std::uint16_t {
    kPsdRaw = 0,
    kPsdPackBits = 1,
    kPsdZip = 2,
    kPsdZipPredicted = 3,
};

struct PsdPlaneShape {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t depth = 8;    // 8 or 16 bits per sample
    std::uint32_t planes = 1;   // channels stored one after another in the data
};

// The fewest bytes that can hold the planes in this compression (deflate reaches about
// 1:1032 at best); 0 for an unknown compression.
std::uint64_t PsdMinimumEncodedBytes(std::uint16_t compression, const PsdPlaneShape& shape);

// What decoding holds at once besides the picture: every plane inflated, for the deflate
// compressions (their rows are undone in place); 0 for the others, which go row by row.
std::uint64_t PsdDecodedBytes(std::uint16_t compression, const PsdPlaneShape& shape);

// Receives plane `plane`'s row `y` (top first) as `shape.width` 8-bit samples.
using PsdRowSink = std::function<void(std::uint32_t plane, std::uint32_t y, const std::uint8_t* samples)>;

// Decodes `data` (what follows the compression code) and hands every row of the first
// `planesWanted` planes to `sink`. Rows that run short are filled with zeros; false for an
// unknown compression, data shorter than the compression can hold, a deflate stream that
// would expand beyond the picture budget, or a broken stream.
bool DecodePsdPlanes(std::span<const std::uint8_t> data, std::uint16_t compression, const PsdPlaneShape& shape,
                     std::uint32_t planesWanted, const PsdRowSink& sink);

// Unpacks PackBits bytes into `out`, stopping when either runs out; returns the bytes written.
std::size_t UnpackBits(std::span<const std::uint8_t> in, std::span<std::uint8_t> out);

}  // namespace lv
