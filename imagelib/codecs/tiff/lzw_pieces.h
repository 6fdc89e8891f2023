#pragma once
// A TIFF strip's LZW codes made in pieces of rows, each piece starting a new table, so the
// pieces can be coded at once on several workers and joined bit by bit. The bytes are the
// same for any number of workers.

#include "common/byte_sink.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace lv {

// Symbols per piece: few enough pieces that their extra clear codes cost nothing, enough
// for two or more workers on a photo.
inline constexpr std::size_t kLzwPieceSymbols = std::size_t(2) << 20;

struct LzwStripOutcome {
    enum class Result { Written, Cancelled, Failed } result;
    std::uint64_t bytes;  // written to the sink, when Written
};

// Codes `height` rows of `rowBytes` symbols, which `copyRow(row, to)` puts in file order,
// top row first (from any thread); `checkpoint(first, count)` is asked on the calling thread,
// in order, before rows [first, first + count) are copied, so it may fetch them; false cancels.
// `threads` 0 means one per processor.
LzwStripOutcome WriteLzwStrip(ByteSink& sink, int height, std::size_t rowBytes, int threads,
                              const std::function<void(int row, std::uint8_t* to)>& copyRow,
                              const std::function<bool(int first, int count)>& checkpoint);

}  // namespace lv
