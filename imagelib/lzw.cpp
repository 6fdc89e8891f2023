#include "imagelib/lzw.h"

#include <algorithm>

namespace lv {
namespace {

constexpr std::size_t kEncoderChunk = 4096;

// Spreads the 20-bit keys over the slots; the table is at most half full.
inline std::size_t slotOf(std::uint32_t key, std::size_t slots)
{
    return std::size_t((key * 0x9E3779B1u) >> 19) & (slots - 1);
}

}  // namespace

LzwEncoder::LzwEncoder(LzwFlavour flavour, int rootBits, ByteSink& out)
    : slots_(kSlots)
    , flavour_(flavour)
    , rootBits_(rootBits)
    , clearCode_(1u << rootBits)
    , endCode_((1u << rootBits) + 1)
    , out_(out)
{
    bytes_.reserve(kEncoderChunk + 8);
}

void LzwEncoder::startTable()
{
    std::fill(slots_.begin(), slots_.end(), 0u);
    next_ = clearCode_ + 2;
    width_ = rootBits_ + 1;
}

void LzwEncoder::begin()
{
    startTable();
    emit(clearCode_);
}

void LzwEncoder::emit(unsigned code)
{
    if (flavour_ == LzwFlavour::Tiff) {
        bitBuffer_ = bitBuffer_ << width_ | code;
        bitCount_ += width_;
        while (bitCount_ >= 8) {
            bitCount_ -= 8;
            bytes_.push_back(std::uint8_t(bitBuffer_ >> bitCount_));
        }
    } else {
        bitBuffer_ |= std::uint64_t(code) << bitCount_;
        bitCount_ += width_;
        while (bitCount_ >= 8) {
            bytes_.push_back(std::uint8_t(bitBuffer_));
            bitBuffer_ >>= 8;
            bitCount_ -= 8;
        }
    }
    if (bytes_.size() >= kEncoderChunk)
        flushBytes();
}

void LzwEncoder::flushBytes()
{
    if (bytes_.empty())
        return;
    if (!out_.write(bytes_.data(), bytes_.size()))
        failed_ = true;
    written_ += bytes_.size();
    bytes_.clear();
}

void LzwEncoder::encode(const std::uint8_t* symbols, std::size_t count)
{
    std::size_t i = 0;
    if (current_ < 0 && count > 0)
        current_ = symbols[i++];
    std::uint32_t* const slots = slots_.data();
    for (; i < count; ++i) {
        const std::uint32_t key = std::uint32_t(current_) << 8 | symbols[i];
        std::size_t slot = slotOf(key, kSlots);
        bool found = false;
        for (std::uint32_t s; (s = slots[slot]) != 0; slot = (slot + 1) & (kSlots - 1)) {
            if (s >> kLzwMaxBits == key) {
                current_ = int(s & (kLzwTableSize - 1));
                found = true;
                break;
            }
        }
        if (found)
            continue;

        emit(unsigned(current_));
        slots[slot] = key << kLzwMaxBits | next_;
        const unsigned added = next_++;
        // TIFF readers widen one code early, so its writer widens as the next code needs it;
        // GIF widens once the code just added needs the extra bit.
        const unsigned trigger = flavour_ == LzwFlavour::Tiff ? next_ : added;
        if (trigger == 1u << width_ && width_ < kLzwMaxBits)
            ++width_;
        if (next_ == unsigned(kLzwResetCode)) {
            emit(clearCode_);
            startTable();
        }
        current_ = symbols[i];
    }
}

bool LzwEncoder::end()
{
    if (current_ >= 0)
        emit(unsigned(current_));
    emit(endCode_);
    if (flavour_ == LzwFlavour::Tiff) {
        // A second end code pushes out the first one's last bits; its own remainder is dropped.
        emit(endCode_);
    } else if (bitCount_ > 0) {
        bytes_.push_back(std::uint8_t(bitBuffer_));
        bitCount_ = 0;
    }
    flushBytes();
    return !failed_;
}

LzwDecoder::LzwDecoder(LzwFlavour flavour, int rootBits)
    : flavour_(flavour)
    , rootBits_(rootBits)
    , clearCode_(1u << rootBits)
    , endCode_((1u << rootBits) + 1)
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
    const std::uint8_t* in = codes.data();
    const std::uint8_t* const inEnd = in + codes.size();
    std::uint64_t buffer = 0;
    int bits = 0;
    int previous = -1;  // -1 right after a clear code
    for (;;) {
        while (bits < width_) {
            if (in == inEnd)
                return LzwStop::DataExhausted;
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
            return LzwStop::EndCode;
        if (previous < 0) {
            if (code >= clearCode_)
                return LzwStop::BadCode;
            const std::uint8_t symbol = std::uint8_t(code);
            if (!out.write(&symbol, 1))
                return LzwStop::OutputFull;
            previous = int(code);
            continue;
        }

        // The string goes onto the stack back to front, following the prefix links.
        std::size_t length;
        unsigned walk;
        if (code < next_) {
            length = length_[code];
            walk = code;
        } else if (code == next_) {
            length = std::size_t(length_[previous]) + 1;
            stack_[length - 1] = first_[previous];
            walk = unsigned(previous);
        } else {
            return LzwStop::BadCode;
        }
        for (std::size_t i = length_[walk]; i-- > 0; walk = prefix_[walk])
            stack_[i] = suffix_[walk];
        if (!out.write(stack_.data(), length))
            return LzwStop::OutputFull;

        if (next_ < unsigned(kLzwTableSize)) {
            prefix_[next_] = std::uint16_t(previous);
            suffix_[next_] = stack_[0];
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
