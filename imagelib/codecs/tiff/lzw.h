#pragma once
// Variable-width LZW as TIFF and GIF files use it: 12-bit codes at most, a clear code
// and an end code after the roots. The two flavours differ in bit order, in when the code
// width grows, and in how the last byte is finished.

#include "common/byte_sink.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace lv {

enum class LzwFlavour {
    // Codes most significant bit first; the width grows one code early (at 511, 1023, 2047
    // when decoding); 8-bit roots.
    Tiff,
    // Codes least significant bit first; the width grows when the next code needs it.
    Gif,
};

inline constexpr int kLzwMaxBits = 12;
inline constexpr int kLzwTableSize = 1 << kLzwMaxBits;
// The encoders start a new table when the next free code reaches this.
inline constexpr int kLzwResetCode = 4094;
// No 12-bit code stands for more than 4096 symbols: the most symbols one byte of codes
// can yield, used to refuse pictures a file could never fill.
inline constexpr std::uint64_t kLzwMaxExpansion = kLzwTableSize * 8 / kLzwMaxBits + 1;

// Encodes a stream of symbols (each below 2^rootBits) into codes written to `out`.
// Whether a (prefix code, symbol) pair has a code is one bit of a map that stays in the
// processor's cache, so each symbol costs one cached load (the members below say how the
// code itself is found). Flat areas go faster still: a walk down the tree that repeats the
// last walk from the same root symbol is checked with one comparison of the symbols
// instead of a lookup per symbol.
class LzwEncoder {
public:
    LzwEncoder(LzwFlavour flavour, int rootBits, ByteSink& out);

    // Emits the clear code that starts every stream; a piece that continues a stream after
    // another's clear code starts without one.
    void begin(bool clearFirst = true);
    void encode(const std::uint8_t* symbols, std::size_t count);
    // Room for the next `count` symbols, to be filled and then coded by encodeReserved(count):
    // a caller that makes its symbols saves copying them. Valid until the next call.
    std::uint8_t* reserve(std::size_t count);
    void encodeReserved(std::size_t count);
    // Emits the pending code and the end code(s) and pushes every byte to the sink.
    // False when a write failed at any point.
    bool end();
    // TIFF only. Emits the pending code and a clear code, so the symbols that follow start a
    // new table: a stream cut into pieces at these points can be coded piece by piece apart.
    void restart();
    // TIFF only. Ends a piece coded apart: the pending code, then a clear code when more
    // pieces follow or the end codes after the last. Whole bytes go to the sink; the bits
    // short of a byte (fewer than 8, the last ones in the low bits) are returned. After a
    // clear code the coder may begin(false) the next piece.
    struct Tail {
        std::uint32_t bits = 0;
        int count = 0;
    };
    std::optional<Tail> endPiece(bool last);
    // Bytes handed to the sink so far (all of them after `end`).
    std::uint64_t bytesWritten() const { return written_; }

private:
    template <LzwFlavour F>
    void encodeAs();
    template <LzwFlavour F>
    void emit(unsigned code);
    void startTable();
    void flushBytes();
    // Emits the pending code and counts the entry a reader adds on reading it, which may
    // widen the codes that follow.
    void emitPendingTiff();
    // The pending code and the end code, twice: the second pushes out the first one's last bits.
    void emitTiffEnd();

    // Whether (prefix code, symbol) is in the current table is one bit of a map indexed by
    // the pair, so the one question asked of every symbol is answered with one load and a
    // branch that seldom changes its mind in noise: most of a photo's lookups miss. Only
    // on a hit is the code looked for: roots' children in a table indexed by the pair, the
    // longer prefixes' in a list of each code's children, newest first, tried after the
    // child the code last led to (flat areas take the same branch again and again).
    std::vector<std::uint64_t> known_;
    std::vector<std::uint16_t> rootChild_;  // by pair, one spare entry written for non-roots
    // Each code's pair and its place in its prefix's list of children; set when the code
    // is made, so a new table needs no clearing of them.
    struct CodeLinks {
        std::uint32_t key;  // prefix << 8 | symbol
        std::uint16_t newestChild;
        std::uint16_t olderSibling;
        std::uint16_t lastChild;
        std::uint16_t unused = 0;
    };
    std::vector<CodeLinks> links_;
    // The pairs with a longer prefix this table added: a new table clears the roots' part
    // of the map whole and these bits one by one.
    std::vector<std::uint32_t> longerPairs_;
    std::size_t longerPairCount_ = 0;
    // Codes chosen but not yet packed into bits: all of one width, at most a table's.
    std::vector<std::uint16_t> pendingCodes_;

    // The symbols coded since the table was last started, and for each root symbol where
    // the last walk from it began in them, how many symbols it followed and where it ended.
    struct Walk {
        std::uint32_t start = 0;
        std::uint32_t length = 0;  // 0: no walk in this table
        std::uint16_t end = 0;
    };
    std::unique_ptr<std::uint8_t[]> history_;
    std::size_t historySize_ = 0;
    std::size_t historyCapacity_ = 0;
    std::size_t position_ = 0;   // the next symbol to code
    std::size_t walkStart_ = 0;  // where the current walk's root symbol lies
    std::vector<Walk> walks_;

    LzwFlavour flavour_;
    int rootBits_;
    unsigned clearCode_;
    unsigned endCode_;
    unsigned next_ = 0;
    int width_ = 0;
    int current_ = -1;  // code of the string matched so far, -1 before the first symbol

    // As large as a file sink's buffer, so that the codes go to the file without a copy.
    static constexpr std::size_t kChunk = 1 << 16;
    // A table's codes never take more than this: the buffer is checked once per table.
    static constexpr std::size_t kTableBytes = kLzwTableSize * kLzwMaxBits / 8 + 8;
    ByteSink& out_;
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::vector<std::uint8_t> bytes_;  // kChunk bytes and room for one more table
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
    bool failed_ = false;
};

// Receives decoded symbols; returns false when it needs no more.
class LzwOutput {
public:
    virtual ~LzwOutput() = default;
    virtual bool write(const std::uint8_t* symbols, std::size_t count) = 0;
};

enum class LzwStop {
    EndCode,        // the end code was read
    DataExhausted,  // the codes ran out first
    OutputFull,     // the output needed no more
    BadCode,        // a code beyond the table, or a string code where a root must come
};

// Decodes one code stream. Each call starts with a fresh table and the narrowest width.
class LzwDecoder {
public:
    LzwDecoder(LzwFlavour flavour, int rootBits);
    LzwStop decode(std::span<const std::uint8_t> codes, LzwOutput& out);
    // The same for a stream that arrives in parts: begin() starts it, and each feed() takes
    // up where the last one ran out of codes (DataExhausted), a code cut between parts included.
    void begin();
    LzwStop feed(std::span<const std::uint8_t> codes, LzwOutput& out);

private:
    template <LzwFlavour F>
    LzwStop run(std::span<const std::uint8_t> codes, LzwOutput& out);
    void resetTable();

    LzwFlavour flavour_;
    int rootBits_;
    unsigned clearCode_;
    unsigned endCode_;
    unsigned next_ = 0;
    int width_ = 0;
    // Where a stream fed in parts stands between them.
    std::uint64_t buffer_ = 0;
    int bits_ = 0;
    int previous_ = -1;  // -1 right after a clear code
    std::array<std::uint16_t, kLzwTableSize> prefix_{};
    std::array<std::uint16_t, kLzwTableSize> length_{};
    std::array<std::uint8_t, kLzwTableSize> suffix_{};
    std::array<std::uint8_t, kLzwTableSize> first_{};
    // Decoded symbols wait here and go to the output in large pieces.
    static constexpr std::size_t kPendingChunk = 1 << 16;
    std::vector<std::uint8_t> pending_;
};

}  // namespace lv
