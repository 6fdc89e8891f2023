#include "imagelib/codecs/tiff/lzw_pieces.h"

#include "common/little_endian.h"
#include "common/processors.h"
#include "common/worker_pool.h"
#include "imagelib/codecs/tiff/lzw.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <utility>
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

// A worker's codes for its pieces, in memory kept from wave to wave (fresh pages for every
// piece would cost more than the coding saves). Two buffers take turns: one wave's piece
// goes into one while the piece of the wave before, in the other, is joined.
class PieceSink final : public ByteSink {
public:
    // Each buffer's room for a piece's codes at the most they can grow (12 bits for every
    // 8-bit symbol, and a coder's chunk beyond), taken once: growing by doubling copies the
    // codes and touches fresh pages at every step.
    PieceSink()
    {
        for (std::vector<std::uint8_t>& buffer : buffers_)
            buffer.reserve(kLzwPieceSymbols * 3 / 2 + (std::size_t(1) << 17));
    }
    bool write(const void* bytes, std::size_t count) override
    {
        const auto* p = static_cast<const std::uint8_t*>(bytes);
        buffers_[filling_].insert(buffers_[filling_].end(), p, p + count);
        return true;
    }
    bool seek(std::uint64_t) override { return false; }
    std::uint64_t position() const override { return buffers_[filling_].size(); }
    // Turns to the other buffer, emptied, for the next piece.
    void startPiece()
    {
        filling_ ^= 1;
        buffers_[filling_].clear();
    }
    // The piece before the one being filled.
    const std::vector<std::uint8_t>& previousPiece() const { return buffers_[filling_ ^ 1]; }

private:
    std::vector<std::uint8_t> buffers_[2];
    int filling_ = 0;
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

    // A wave of pieces at a time, one per worker. While the workers code a wave, this thread
    // joins the wave before and reads the rows of the wave after, so neither waits for the
    // other (rows of the last two waves stay ready, FileRows promises).
    BitJoiner joiner(sink);
    // Each worker's coder and memory serve all its pieces: made once, their tables and
    // buffers are not paged in again for every piece.
    auto coded = std::vector<PieceSink>(std::size_t(workers));
    std::vector<std::unique_ptr<LzwEncoder>> coders;
    for (PieceSink& piece : coded)
        coders.push_back(std::make_unique<LzwEncoder>(LzwFlavour::Tiff, 8, piece));
    using Tails = std::vector<std::optional<LzwEncoder::Tail>>;
    Tails tails[2] = {Tails(std::size_t(workers)), Tails(std::size_t(workers))};
    auto failures = std::vector<std::exception_ptr>(std::size_t(workers));
    const auto waveRows = [&](int wave) {
        const int first = wave * workers * rowsPerPiece;
        return std::pair{first, std::min(height, first + workers * rowsPerPiece) - first};
    };
    const auto codePiece = [&](int piece, int slot, Tails& waveTails) {
        try {
            LzwEncoder& encoder = *coders[std::size_t(slot)];
            encoder.begin(piece == 0);
            const int end = std::min(height, (piece + 1) * rowsPerPiece);
            for (int y = piece * rowsPerPiece; y < end; ++y) {
                copyRow(y, encoder.reserve(rowBytes));
                encoder.encodeReserved(rowBytes);
            }
            waveTails[std::size_t(slot)] = encoder.endPiece(piece == pieces - 1);
        } catch (...) {
            failures[std::size_t(slot)] = std::current_exception();
        }
    };
    const auto joinWave = [&](int wave) {
        const int count = std::min(workers, pieces - wave * workers);
        for (int slot = 0; slot < count; ++slot) {
            const auto& tail = tails[wave % 2][std::size_t(slot)];
            const std::vector<std::uint8_t>& bytes = coded[std::size_t(slot)].previousPiece();
            if (!tail || !joiner.append(bytes) || !joiner.appendBits(tail->bits, tail->count))
                return false;
        }
        return true;
    };
    const int waves = (pieces + workers - 1) / workers;
    if (const auto [first, count] = waveRows(0); !checkpoint(first, count))
        return {Result::Cancelled, 0};
    for (int wave = 0; wave < waves; ++wave) {
        Tails& waveTails = tails[wave % 2];
        const int firstPiece = wave * workers, count = std::min(workers, pieces - firstPiece);
        WorkerGroup group;
        for (int slot = 0; slot < workers; ++slot) {
            // Every worker turns its buffers, so each previous piece is the same wave's.
            coded[std::size_t(slot)].startPiece();
            waveTails[std::size_t(slot)].reset();
            const auto job = [&, slot, piece = firstPiece + slot] { codePiece(piece, slot, waveTails); };
            if (slot < count && !group.start(job))
                job();
        }
        bool joined = wave == 0 || joinWave(wave - 1);
        bool ready = true;
        if (joined && wave + 1 < waves) {
            const auto [first, rows] = waveRows(wave + 1);
            ready = checkpoint(first, rows);
        }
        group.wait();
        for (std::exception_ptr& failure : failures)
            if (failure)
                std::rethrow_exception(std::exchange(failure, nullptr));
        if (!joined)
            return {Result::Failed, 0};
        if (!ready)
            return {Result::Cancelled, 0};
    }
    // The last wave's pieces are the ones being filled: turning once more makes them previous.
    for (PieceSink& piece : coded)
        piece.startPiece();
    if (!joinWave(waves - 1))
        return {Result::Failed, 0};
    if (!joiner.finish())
        return {Result::Failed, 0};
    return {Result::Written, joiner.written()};
}

}  // namespace lv
