#include "imagelib/codecs/tiff/lzw_pieces.h"

#include "common/little_endian.h"
#include "common/processors.h"
#include "common/worker_pool.h"
#include "imagelib/codecs/tiff/lzw.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace lv {
namespace {

// Appends pieces of a most-significant-bit-first stream that each start at bit 0 of their
// own bytes: after a piece that ended short of a byte, every following byte is shifted.
class BitJoiner {
public:
    explicit BitJoiner(ByteSink& sink)
        : sink_(sink)
        , buffer_(kBuffer + 8)
    {
    }

    bool append(const std::vector<std::uint8_t>& bytes)
    {
        if (count_ == 0)
            return send(bytes.data(), bytes.size());
        const std::uint64_t mask = (std::uint64_t(1) << count_) - 1;
        std::size_t i = 0;
        for (; i + 8 <= bytes.size(); i += 8) {
            const std::uint64_t v = std::uint64_t(LoadBE32(&bytes[i])) << 32 | LoadBE32(&bytes[i + 4]);
            const std::uint64_t shifted = held_ << (64 - count_) | v >> count_;
            StoreBE32(&buffer_[used_], std::uint32_t(shifted >> 32));
            StoreBE32(&buffer_[used_ + 4], std::uint32_t(shifted));
            held_ = v & mask;
            if ((used_ += 8) >= kBuffer && !drain())
                return false;
        }
        for (; i < bytes.size(); ++i)
            if (!appendBits(bytes[i], 8))
                return false;
        return true;
    }

    bool appendBits(std::uint32_t bits, int count)
    {
        held_ = held_ << count | bits;
        count_ += count;
        for (; count_ >= 8; count_ -= 8) {
            buffer_[used_++] = std::uint8_t(held_ >> (count_ - 8));
            if (used_ >= kBuffer && !drain())
                return false;
        }
        held_ &= (std::uint64_t(1) << count_) - 1;
        return true;
    }

    // The bits short of a byte at the end are dropped, as a single coder drops them.
    bool finish() { return drain(); }
    std::uint64_t written() const { return written_; }

private:
    static constexpr std::size_t kBuffer = 1 << 16;

    bool send(const std::uint8_t* bytes, std::size_t count)
    {
        if (!drain() || !sink_.write(bytes, count))
            return false;
        written_ += count;
        return true;
    }
    bool drain()
    {
        if (used_ == 0)
            return true;
        const bool ok = sink_.write(buffer_.data(), used_);
        written_ += used_;
        used_ = 0;
        return ok;
    }

    ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::size_t used_ = 0;
    std::uint64_t held_ = 0;
    int count_ = 0;
    std::uint64_t written_ = 0;
};

// A piece's codes, in memory kept from wave to wave: fresh pages for every piece would
// cost more than the coding saves.
class PieceSink final : public ByteSink {
public:
    // Room for a piece's codes at the most they can grow (12 bits for every 8-bit symbol, and
    // a coder's chunk beyond), taken once: growing by doubling copies the codes and touches
    // fresh pages at every step.
    PieceSink() { bytes_.reserve(kLzwPieceSymbols * 3 / 2 + (std::size_t(1) << 17)); }
    bool write(const void* bytes, std::size_t count) override
    {
        const auto* p = static_cast<const std::uint8_t*>(bytes);
        bytes_.insert(bytes_.end(), p, p + count);
        return true;
    }
    bool seek(std::uint64_t) override { return false; }
    std::uint64_t position() const override { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    void clear() { bytes_.clear(); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace

LzwStripOutcome WriteLzwStrip(ByteSink& sink, int height, std::size_t rowBytes, int threads,
                              const std::function<void(int row, std::uint8_t* to)>& copyRow,
                              const std::function<bool(int first, int count)>& checkpoint)
{
    using Result = LzwStripOutcome::Result;
    const int rowsPerPiece = int(std::clamp<std::size_t>(kLzwPieceSymbols / std::max<std::size_t>(rowBytes, 1), 1,
                                                         std::size_t(std::max(height, 1))));
    const int pieces = (height + rowsPerPiece - 1) / rowsPerPiece;
    const int workers = std::min(threads > 0 ? threads : ProcessorCount(), pieces);

    if (workers <= 1) {
        LzwEncoder encoder(LzwFlavour::Tiff, 8, sink);
        encoder.begin();
        for (int y = 0; y < height; ++y) {
            if (!checkpoint(y, 1))
                return {Result::Cancelled, 0};
            if (y > 0 && y % rowsPerPiece == 0)
                encoder.restart();
            copyRow(y, encoder.reserve(rowBytes));
            encoder.encodeReserved(rowBytes);
        }
        if (!encoder.end())
            return {Result::Failed, 0};
        return {Result::Written, encoder.bytesWritten()};
    }

    // A wave of pieces at a time, one per worker, joined in order as the wave ends.
    BitJoiner joiner(sink);
    // Each worker's coder and memory serve all its pieces: made once, their tables and
    // buffers are not paged in again for every piece.
    auto coded = std::vector<PieceSink>(std::size_t(workers));
    std::vector<std::unique_ptr<LzwEncoder>> coders;
    for (PieceSink& piece : coded)
        coders.push_back(std::make_unique<LzwEncoder>(LzwFlavour::Tiff, 8, piece));
    auto tails = std::vector<std::optional<LzwEncoder::Tail>>(std::size_t(workers));
    for (int first = 0; first < pieces; first += workers) {
        const int wave = std::min(workers, pieces - first);
        const int waveRows = std::min(height, (first + wave) * rowsPerPiece) - first * rowsPerPiece;
        if (!checkpoint(first * rowsPerPiece, waveRows))
            return {Result::Cancelled, 0};
        RunOnWorkers(wave, [&](int slot) {
            const int piece = first + slot;
            coded[std::size_t(slot)].clear();
            LzwEncoder& encoder = *coders[std::size_t(slot)];
            encoder.begin(piece == 0);
            const int end = std::min(height, (piece + 1) * rowsPerPiece);
            for (int y = piece * rowsPerPiece; y < end; ++y) {
                copyRow(y, encoder.reserve(rowBytes));
                encoder.encodeReserved(rowBytes);
            }
            tails[std::size_t(slot)] = encoder.endPiece(piece == pieces - 1);
        });
        for (int slot = 0; slot < wave; ++slot) {
            const auto& tail = tails[std::size_t(slot)];
            if (!tail || !joiner.append(coded[std::size_t(slot)].bytes()) || !joiner.appendBits(tail->bits, tail->count))
                return {Result::Failed, 0};
        }
    }
    if (!joiner.finish())
        return {Result::Failed, 0};
    return {Result::Written, joiner.written()};
}

}  // namespace lv
