#pragma once
// The Huffman-coded residuals that turn an upsampled picture into 4Base or 16Base.
//
// A table is one byte (entries − 1) and four bytes per entry: code length − 1, the code
// as 16 bits aligned to the top, and the signed difference it stands for. The coded data
// is a run of rows, each opening with the 24-bit sync 0xFFFFFE and a 16-bit header
// (2 bits plane: 0 luma, 2 C1, 3 C2; 13 bits row, counted in luma rows; 1 spare bit),
// then one code per sample. A header whose row is the picture's height ends the data.

#include "common/byte_source.h"
#include "imagelib/codecs/photocd/pcd_planes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lv::photocd {

// One table, as a lookup on the next 16 bits of the stream. Length 0 marks bits that
// start no code.
struct HuffmanTable {
    std::vector<std::uint8_t> length;  // 65536 entries
    std::vector<std::int8_t> delta;
};

// Reads `count` tables from `offset`; nothing when the file ends inside them, a length
// exceeds 16 bits, or memory runs out.
std::optional<std::vector<HuffmanTable>> ReadHuffmanTables(ByteSource& file, std::uint64_t offset, int count);

enum class ResidualOutcome { Done, Aborted };

struct ResidualResult {
    ResidualOutcome outcome = ResidualOutcome::Done;
    bool sawEnd = false;             // the end header was found
    std::uint64_t endPosition = 0;   // file offset just past the end header
};

// Adds the coded rows found from `offset` on to the planes (luma at the level's size,
// chroma at half). Luma rows use table 0, chroma rows tables 1 and 2 when present. Rows
// that are missing keep their prediction; a code no table knows abandons its row. The
// callbacks are asked every 16 rows.
ResidualResult AddResiduals(ByteSource& file, std::uint64_t offset, const std::vector<HuffmanTable>& tables,
                            YccPlanes& planes, const std::function<bool()>& aborted,
                            const std::function<void(int done, int total)>& progress);

}  // namespace lv::photocd
