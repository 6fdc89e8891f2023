#include "imagelib/codecs/tiff/lzw.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// Keys are 20 bits, a 12-bit prefix code and a byte; the table's tag fills the bits above.
constexpr int kTagShift = 20;
constexpr std::uint32_t kTagMask = ~((1u << kTagShift) - 1);
constexpr std::uint32_t kTags = 1u << (32 - kTagShift);

// The first slot of (prefix, symbol): cheap, since every symbol waits for it. The symbol's
// part doesn't depend on the previous lookup, so only the xor is on the critical path.
template <int SlotBits>
inline std::size_t firstSlot(std::uint32_t prefix, std::uint32_t symbol)
{
    return std::size_t(symbol << (SlotBits - 8) ^ prefix) & ((std::size_t(1) << SlotBits) - 1);
}

// The stride of a key's later probes: odd, so every slot is reached, and unrelated to the
// first slot so that neighbouring codes don't pile up.
inline std::size_t probeStride(std::uint32_t key)
{
    return std::size_t((key * 0x9E3779B1u) >> 18) | 1;
}

// Shorter walks are quicker followed one symbol at a time than compared.
constexpr std::uint32_t kWorthJumping = 16;
// Symbols before a new table are dropped once there are this many.
constexpr std::size_t kHistoryKept = 1 << 20;

// Codes gather in a 64-bit word that goes out four bytes at a time.
template <LzwFlavour F>
inline void packCode(std::uint64_t& bits, int& count, std::uint8_t*& out, unsigned code, int width)
{
    if constexpr (F == LzwFlavour::Tiff) {
        bits = bits << width | code;
        count += width;
        if (count >= 32) {
            count -= 32;
            const auto word = std::uint32_t(bits >> count);
            out[0] = std::uint8_t(word >> 24), out[1] = std::uint8_t(word >> 16);
            out[2] = std::uint8_t(word >> 8), out[3] = std::uint8_t(word);
            out += 4;
        }
    } else {
        bits |= std::uint64_t(code) << count;
        count += width;
        if (count >= 32) {
            const auto word = std::uint32_t(bits);
            out[0] = std::uint8_t(word), out[1] = std::uint8_t(word >> 8);
            out[2] = std::uint8_t(word >> 16), out[3] = std::uint8_t(word >> 24);
            out += 4;
            bits >>= 32;
            count -= 32;
        }
    }
}

// Moves the whole bytes still in the word out; fewer than 8 bits stay.
template <LzwFlavour F>
inline void drainBytes(std::uint64_t& bits, int& count, std::uint8_t*& out)
{
    for (; count >= 8; count -= 8) {
        if constexpr (F == LzwFlavour::Tiff) {
            *out++ = std::uint8_t(bits >> (count - 8));
        } else {
            *out++ = std::uint8_t(bits);
            bits >>= 8;
        }
    }
}

}  // namespace

LzwEncoder::LzwEncoder(LzwFlavour flavour, int rootBits, ByteSink& out)
    : keys_(kSlots)
    , codes_(kSlots)
    , walks_(std::size_t(1) << rootBits)
    , flavour_(flavour)
    , rootBits_(rootBits)
    , clearCode_(1u << rootBits)
    , endCode_((1u << rootBits) + 1)
    , out_(out)
    , bytes_(kChunk + 8)
{
}

void LzwEncoder::startTable()
{
    next_ = clearCode_ + 2;
    width_ = rootBits_ + 1;
    if (++table_ == kTags) {  // the tags ran out: forget every key and walk once
        std::fill(keys_.begin(), keys_.end(), 0u);
        std::fill(walks_.begin(), walks_.end(), Walk{});
        table_ = 1;
    }
}

void LzwEncoder::begin()
{
    startTable();
    if (flavour_ == LzwFlavour::Tiff)
        emit<LzwFlavour::Tiff>(clearCode_);
    else
        emit<LzwFlavour::Gif>(clearCode_);
}

template <LzwFlavour F>
void LzwEncoder::emit(unsigned code)
{
    std::uint8_t* out = bytes_.data() + used_;
    packCode<F>(bitBuffer_, bitCount_, out, code, width_);
    used_ = std::size_t(out - bytes_.data());
    if (used_ >= kChunk)
        flushBytes();
}

void LzwEncoder::flushBytes()
{
    if (used_ == 0)
        return;
    if (!out_.write(bytes_.data(), used_))
        failed_ = true;
    written_ += used_;
    used_ = 0;
}

void LzwEncoder::encode(const std::uint8_t* symbols, std::size_t count)
{
    if (flavour_ == LzwFlavour::Tiff)
        encodeAs<LzwFlavour::Tiff>(symbols, count);
    else
        encodeAs<LzwFlavour::Gif>(symbols, count);
}

template <LzwFlavour F>
void LzwEncoder::encodeAs(const std::uint8_t* symbols, std::size_t count)
{
    history_.insert(history_.end(), symbols, symbols + count);
    const std::uint8_t* h = history_.data();
    std::size_t size = history_.size();
    std::size_t i = position_;
    if (i == size)
        return;

    // The hot state lives in locals for the loop and goes back to the members after it.
    std::uint32_t* const keys = keys_.data();
    std::uint16_t* const codes = codes_.data();
    Walk* const walks = walks_.data();
    std::uint32_t tag = table_ << kTagShift;
    unsigned next = next_;
    int width = width_;
    std::size_t walkStart = walkStart_;
    std::uint64_t bits = bitBuffer_;
    int bitCount = bitCount_;
    std::uint8_t* out = bytes_.data() + used_;
    const auto put = [&](unsigned code) {
        packCode<F>(bits, bitCount, out, code, width);
        if (out >= bytes_.data() + kChunk) {
            used_ = std::size_t(out - bytes_.data());
            flushBytes();
            out = bytes_.data();
        }
    };

    // Starts a walk at the root symbol at i, jumping to where the last walk from the same
    // root ended when the symbols after it are the same: that path is in the table still.
    std::uint32_t current = 0;
    const auto startWalk = [&] {
        current = h[i];
        walkStart = i;
        const Walk& last = walks[current];
        if (last.tag == tag && last.length >= kWorthJumping && i + 1 + last.length <= size &&
            std::memcmp(h + i + 1, h + last.start + 1, last.length) == 0) {
            current = last.end;
            i += last.length;
        }
    };
    if (current_ < 0) {
        startWalk();
        ++i;
    } else {
        current = std::uint32_t(current_);
    }

    for (; i < size; ++i) {
        const std::uint32_t symbol = h[i];
        const std::uint32_t key = tag | current << 8 | symbol;
        std::size_t slot = firstSlot<kSlotBits>(current, symbol);
        std::uint32_t k = keys[slot];
        if (k != key && (k & kTagMask) == tag) {
            const std::size_t stride = probeStride(key);
            do
                slot = (slot + stride) & (kSlots - 1);
            while ((k = keys[slot]) != key && (k & kTagMask) == tag);
        }
        if (k == key) {
            current = codes[slot];
            continue;
        }

        put(current);
        keys[slot] = key;
        codes[slot] = std::uint16_t(next);
        // Short walks aren't worth a record; an older, longer one from the root stays good.
        if (i - walkStart - 1 >= kWorthJumping)
            walks[h[walkStart]] = {tag, std::uint32_t(walkStart), std::uint32_t(i - walkStart - 1), std::uint16_t(current)};
        const unsigned added = next++;
        // TIFF readers widen one code early, so its writer widens as the next code needs it;
        // GIF widens once the code just added needs the extra bit.
        const unsigned trigger = F == LzwFlavour::Tiff ? next : added;
        if (trigger == 1u << width && width < kLzwMaxBits)
            ++width;
        if (next == unsigned(kLzwResetCode)) {
            put(clearCode_);
            startTable();
            next = next_;
            width = width_;
            tag = table_ << kTagShift;
            // Only the new table's walks will be compared with: the symbols before can go.
            if (i >= kHistoryKept) {
                history_.erase(history_.begin(), history_.begin() + std::ptrdiff_t(i));
                h = history_.data();
                size = history_.size();
                i = 0;
            }
        }
        startWalk();
    }

    current_ = int(current);
    position_ = i;
    walkStart_ = walkStart;
    next_ = next;
    width_ = width;
    bitBuffer_ = bits;
    bitCount_ = bitCount;
    used_ = std::size_t(out - bytes_.data());
}

bool LzwEncoder::end()
{
    if (flavour_ == LzwFlavour::Tiff) {
        if (current_ >= 0)
            emit<LzwFlavour::Tiff>(unsigned(current_));
        // A second end code pushes out the first one's last bits; its own remainder is dropped.
        emit<LzwFlavour::Tiff>(endCode_);
        emit<LzwFlavour::Tiff>(endCode_);
        std::uint8_t* out = bytes_.data() + used_;
        drainBytes<LzwFlavour::Tiff>(bitBuffer_, bitCount_, out);
        used_ = std::size_t(out - bytes_.data());
    } else {
        if (current_ >= 0)
            emit<LzwFlavour::Gif>(unsigned(current_));
        emit<LzwFlavour::Gif>(endCode_);
        std::uint8_t* out = bytes_.data() + used_;
        drainBytes<LzwFlavour::Gif>(bitBuffer_, bitCount_, out);
        if (bitCount_ > 0)
            *out++ = std::uint8_t(bitBuffer_);
        used_ = std::size_t(out - bytes_.data());
    }
    bitCount_ = 0;
    flushBytes();
    return !failed_;
}

LzwDecoder::LzwDecoder(LzwFlavour flavour, int rootBits)
    : flavour_(flavour)
    , rootBits_(rootBits)
    , clearCode_(1u << rootBits)
    , endCode_((1u << rootBits) + 1)
    , pending_(kPendingChunk + kLzwTableSize)
{
    for (unsigned i = 0; i < clearCode_; ++i) {
        suffix_[i] = first_[i] = std::uint8_t(i);
        length_[i] = 1;
    }
}

void LzwDecoder::resetTable()
{
    next_ = clearCode_ + 2;
    width_ = rootBits_ + 1;
}

LzwStop LzwDecoder::decode(std::span<const std::uint8_t> codes, LzwOutput& out)
{
    return flavour_ == LzwFlavour::Tiff ? run<LzwFlavour::Tiff>(codes, out) : run<LzwFlavour::Gif>(codes, out);
}

template <LzwFlavour F>
LzwStop LzwDecoder::run(std::span<const std::uint8_t> codes, LzwOutput& out)
{
    resetTable();
    std::uint8_t* const pending = pending_.data();
    std::size_t used = 0;
    // Hands the waiting symbols over, then reports how decoding ended.
    const auto stop = [&](LzwStop reason) {
        if (used > 0 && !out.write(pending, used))
            return LzwStop::OutputFull;
        return reason;
    };

    const std::uint8_t* in = codes.data();
    const std::uint8_t* const inEnd = in + codes.size();
    std::uint64_t buffer = 0;
    int bits = 0;
    int previous = -1;  // -1 right after a clear code
    for (;;) {
        while (bits < width_) {
            if (in == inEnd)
                return stop(LzwStop::DataExhausted);
            if constexpr (F == LzwFlavour::Tiff)
                buffer = buffer << 8 | *in++;
            else
                buffer |= std::uint64_t(*in++) << bits;
            bits += 8;
        }
        const unsigned mask = (1u << width_) - 1;
        unsigned code;
        if constexpr (F == LzwFlavour::Tiff) {
            bits -= width_;
            code = unsigned(buffer >> bits) & mask;
        } else {
            code = unsigned(buffer) & mask;
            buffer >>= width_;
            bits -= width_;
        }

        if (code == clearCode_) {
            resetTable();
            previous = -1;
            continue;
        }
        if (code == endCode_)
            return stop(LzwStop::EndCode);
        if (used >= kPendingChunk) {
            if (!out.write(pending, used))
                return LzwStop::OutputFull;
            used = 0;
        }
        if (previous < 0) {
            if (code >= clearCode_)
                return stop(LzwStop::BadCode);
            pending[used++] = std::uint8_t(code);
            previous = int(code);
            continue;
        }

        // The string is written back to front, following the prefix links.
        std::uint8_t* const string = pending + used;
        std::size_t length;
        unsigned walk;
        if (code < next_) {
            length = length_[code];
            walk = code;
        } else if (code == next_) {
            length = std::size_t(length_[previous]) + 1;
            string[length - 1] = first_[previous];
            walk = unsigned(previous);
        } else {
            return stop(LzwStop::BadCode);
        }
        for (std::size_t i = length_[walk]; i-- > 0; walk = prefix_[walk])
            string[i] = suffix_[walk];
        used += length;

        if (next_ < unsigned(kLzwTableSize)) {
            prefix_[next_] = std::uint16_t(previous);
            suffix_[next_] = string[0];
            first_[next_] = first_[previous];
            length_[next_] = std::uint16_t(length_[previous] + 1);
            ++next_;
            const unsigned trigger = F == LzwFlavour::Tiff ? next_ + 1 : next_;
            if (trigger >= 1u << width_ && width_ < kLzwMaxBits)
                ++width_;
        }
        previous = int(code);
    }
}

}  // namespace lv
