#pragma once
// Variable-width LZW as TIFF and GIF files use it: 12-bit codes at most, a clear code
// and an end code after the roots. The two flavours differ in bit order, in when the code
// width grows, and in how the last byte is finished.

#include "common/byte_sink.h"

#include <array>
#include <cstddef>
#include <cstdint>
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
// Children are found through a hash of (prefix code, symbol), so each symbol costs
// constant time; the codes are those of a first-child / next-sibling tree. Flat areas go
// faster still: a walk down the tree that repeats the last walk from the same root symbol
// is checked with one comparison of the symbols instead of a lookup per symbol.
class LzwEncoder {
public:
    LzwEncoder(LzwFlavour flavour, int rootBits, ByteSink& out);

    // Emits the clear code that starts every stream.
    void begin();
    void encode(const std::uint8_t* symbols, std::size_t count);
    // Emits the pending code and the end code(s) and pushes every byte to the sink.
    // False when a write failed at any point.
    bool end();
    // Bytes handed to the sink so far (all of them after `end`).
    std::uint64_t bytesWritten() const { return written_; }

private:
    template <LzwFlavour F>
    void encodeAs(const std::uint8_t* symbols, std::size_t count);
    template <LzwFlavour F>
    void emit(unsigned code);
    void startTable();
    void flushBytes();

    // Open addressing over (prefix << 8 | symbol) keys tagged with the number of the table
    // they belong to, so that a new table needs no clearing; the codes lie apart, so the
    // next lookup waits only for the code it needs.
    static constexpr int kSlotBits = 14;
    static constexpr std::size_t kSlots = std::size_t(1) << kSlotBits;
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint16_t> codes_;
    std::uint32_t table_ = 0;

    // The symbols coded since the table was last started, and for each root symbol where
    // the last walk from it began in them, how many symbols it followed and where it ended.
    struct Walk {
        std::uint32_t tag = 0;  // the table it was made in; walks of older tables are void
        std::uint32_t start = 0;
        std::uint32_t length = 0;
        std::uint16_t end = 0;
    };
    std::vector<std::uint8_t> history_;
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

    static constexpr std::size_t kChunk = 1 << 14;
    ByteSink& out_;
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::vector<std::uint8_t> bytes_;  // kChunk bytes and room for one more code
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
    std::array<std::uint16_t, kLzwTableSize> prefix_{};
    std::array<std::uint16_t, kLzwTableSize> length_{};
    std::array<std::uint8_t, kLzwTableSize> suffix_{};
    std::array<std::uint8_t, kLzwTableSize> first_{};
    // Decoded symbols wait here and go to the output in large pieces.
    static constexpr std::size_t kPendingChunk = 1 << 16;
    std::vector<std::uint8_t> pending_;
};

}  // namespace lv
