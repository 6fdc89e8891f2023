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
// constant time; the codes are those of a first-child / next-sibling tree.
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
    void emit(unsigned code);
    void startTable();
    void flushBytes();

    // Open addressing over (prefix << 8 | symbol) keys; each slot holds key << 12 | code,
    // 0 when empty (no added code is 0).
    static constexpr std::size_t kSlots = 1 << 13;
    std::vector<std::uint32_t> slots_;

    LzwFlavour flavour_;
    int rootBits_;
    unsigned clearCode_;
    unsigned endCode_;
    unsigned next_ = 0;
    int width_ = 0;
    int current_ = -1;  // code of the string matched so far, -1 before the first symbol

    ByteSink& out_;
    std::uint64_t bitBuffer_ = 0;
    int bitCount_ = 0;
    std::vector<std::uint8_t> bytes_;
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
    std::array<std::uint8_t, kLzwTableSize> stack_{};
};

}  // namespace lv
