#include "imagelib/codecs/photocd/pcd_residuals.h"

#include <algorithm>
#include <new>

namespace lv::photocd {
namespace {

constexpr std::uint32_t kSync = 0xFFFFFE;
constexpr int kMaxCodeLength = 16;

// Reads the file as a bit stream, most significant bit first; past the end it yields
// zeros and says so.
class BitReader {
public:
    BitReader(ByteSource& file, std::uint64_t offset)
        : file_(file)
        , chunk_(64 * 1024)
    {
        ok_ = file_.seek(offset);
        chunkStart_ = offset;
    }

    bool exhausted() const { return !ok_ || (bitsInWindow_ == 0 && atEnd_); }

    // The next `count` (at most 32) bits, right-aligned.
    std::uint32_t peek(int count)
    {
        fill();
        return std::uint32_t(window_ >> (64 - count));
    }

    void consume(int count)
    {
        fill();
        const int taken = std::min(count, bitsInWindow_);
        window_ = taken == 64 ? 0 : window_ << taken;
        bitsInWindow_ -= taken;
        consumed_ += std::uint64_t(count);
    }

    // File offset of the first byte not yet wholly consumed.
    std::uint64_t bytePosition() const { return chunkStart_ + (consumed_ + 7) / 8; }

private:
    void fill()
    {
        while (bitsInWindow_ <= 56) {
            if (next_ == end_) {
                if (atEnd_ || !ok_)
                    return;
                const std::size_t got = file_.read(chunk_.data(), chunk_.size());
                if (got == 0) {
                    atEnd_ = true;
                    return;
                }
                next_ = 0;
                end_ = got;
            }
            window_ |= std::uint64_t(chunk_[next_++]) << (56 - bitsInWindow_);
            bitsInWindow_ += 8;
        }
    }

    ByteSource& file_;
    std::vector<std::uint8_t> chunk_;
    std::size_t next_ = 0, end_ = 0;
    std::uint64_t window_ = 0;
    int bitsInWindow_ = 0;
    bool atEnd_ = false;
    bool ok_ = false;
    std::uint64_t chunkStart_ = 0;
    std::uint64_t consumed_ = 0;
};

bool findSync(BitReader& bits)
{
    while (!bits.exhausted()) {
        if (bits.peek(24) == kSync) {
            bits.consume(24);
            return true;
        }
        bits.consume(1);
    }
    return false;
}

void decodeRow(BitReader& bits, const HuffmanTable& table, std::uint8_t* samples, int count)
{
    for (int x = 0; x < count; ++x) {
        const std::uint32_t next = bits.peek(16);
        const int length = table.length[next];
        if (length == 0 || bits.exhausted())
            return;
        samples[x] = std::uint8_t(std::clamp(int(samples[x]) + table.delta[next], 0, 255));
        bits.consume(length);
    }
}

}  // namespace

std::optional<std::vector<HuffmanTable>> ReadHuffmanTables(ByteSource& file, std::uint64_t offset, int count)
{
    if (!file.seek(offset))
        return std::nullopt;
    std::vector<HuffmanTable> tables;
    try {
        for (int t = 0; t < count; ++t) {
            const auto entries = file.readU8();
            if (!entries)
                return std::nullopt;
            HuffmanTable table{std::vector<std::uint8_t>(65536, 0), std::vector<std::int8_t>(65536, 0)};
            for (int e = 0; e <= *entries; ++e) {
                std::uint8_t entry[4];
                if (!file.readExact(entry, 4))
                    return std::nullopt;
                const int length = entry[0] + 1;
                if (length > kMaxCodeLength)
                    return std::nullopt;
                const unsigned code = (unsigned(entry[1]) << 8 | entry[2]) & ~((1u << (16 - length)) - 1) & 0xFFFF;
                // An earlier entry wins where codes overlap.
                const unsigned span = 1u << (16 - length);
                for (unsigned v = code; v < code + span; ++v) {
                    if (table.length[v] == 0) {
                        table.length[v] = std::uint8_t(length);
                        table.delta[v] = std::int8_t(entry[3]);
                    }
                }
            }
            tables.push_back(std::move(table));
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return tables;
}

ResidualResult AddResiduals(ByteSource& file, std::uint64_t offset, const std::vector<HuffmanTable>& tables,
                            YccPlanes& planes, const std::function<bool()>& aborted,
                            const std::function<void(int, int)>& progress)
{
    ResidualResult result;
    BitReader bits(file, offset);
    const int height = planes.luma.height;
    int rowsDone = 0;
    while (findSync(bits)) {
        const std::uint32_t header = bits.peek(16);
        bits.consume(16);
        const int plane = int(header >> 14);
        const int row = int((header >> 1) & 0x1FFF);
        if (row >= height) {
            result.sawEnd = row == height;
            result.endPosition = bits.bytePosition();
            return result;
        }
        if (rowsDone++ % 16 == 0) {
            if (aborted && aborted()) {
                result.outcome = ResidualOutcome::Aborted;
                return result;
            }
            if (progress)
                progress(row, height);
        }
        if (plane == 0 && !tables.empty())
            decodeRow(bits, tables[0], planes.luma.row(row), planes.luma.width);
        else if (plane == 2 && tables.size() > 1)
            decodeRow(bits, tables[1], planes.chroma1.row(row / 2), planes.chroma1.width);
        else if (plane == 3 && tables.size() > 2)
            decodeRow(bits, tables[2], planes.chroma2.row(row / 2), planes.chroma2.width);
    }
    return result;
}

}  // namespace lv::photocd
