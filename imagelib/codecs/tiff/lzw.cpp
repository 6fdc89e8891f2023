#include "imagelib/codecs/tiff/lzw.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

// Pairs have a prefix of up to 12 bits above an 8-bit symbol; roots' pairs come first.
constexpr std::size_t kPairs = std::size_t(kLzwTableSize) << 8;
// Never a pair: the key of the codes below the first string code.
constexpr std::uint32_t kNoPair = ~0u;

// Shorter walks are quicker followed one symbol at a time than compared.
constexpr std::uint32_t kWorthJumping = 16;
// Symbols before a new table are dropped once there are this many.
constexpr std::size_t kHistoryKept = 1 << 20;

// Codes gather in a 64-bit word that goes out four bytes at a time.
template <LzwFlavour F>
inline void packCode(std::uint64_t& bits, int& count, std::uint8_t*& out, unsigned code, int width)
{
    if constexpr (F == LzwFlavour::Tiff) {
        // Whether a word is full follows no pattern in noise: the word is stored every time
        // (the buffer has room past its end) and kept only when full, with no branch.
        bits = bits << width | code;
        count += width;
        const int full = count >= 32;
        count -= full * 32;
        const auto stored = std::uint32_t(bits >> count);
        out[0] = std::uint8_t(stored >> 24), out[1] = std::uint8_t(stored >> 16);
        out[2] = std::uint8_t(stored >> 8), out[3] = std::uint8_t(stored);
        out += full * 4;
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

// Codes of one width, gathered while matching so the matching loop does no bit work.
// TIFF's go eight at a time as whole bytes (eight codes of w bits are w bytes), so the bits
// left over before a group are as many after it; up to 16 bytes are stored at a time.
template <LzwFlavour F>
inline void packCodes(std::uint64_t& bits, int& count, std::uint8_t*& out, const std::uint16_t* codes,
                      std::size_t n, int width)
{
    std::size_t k = 0;
    if constexpr (F == LzwFlavour::Tiff) {
        drainBytes<F>(bits, count, out);
        const unsigned w = unsigned(width);
        const std::uint64_t carryMask = (std::uint64_t(1) << count) - 1;
        const unsigned shift = 128 - unsigned(count) - 8 * w;
        for (; k + 8 <= n; k += 8) {
            const std::uint16_t* c = codes + k;
            const std::uint64_t first = ((std::uint64_t(c[0]) << w | c[1]) << w | c[2]) << w | c[3];
            const std::uint64_t second = ((std::uint64_t(c[4]) << w | c[5]) << w | c[6]) << w | c[7];
            const unsigned __int128 group = (unsigned __int128)(bits & carryMask) << (8 * w) |
                                            (unsigned __int128)first << (4 * w) | second;
            const unsigned __int128 top = group << shift;
            const std::uint64_t high = __builtin_bswap64(std::uint64_t(top >> 64));
            const std::uint64_t low = __builtin_bswap64(std::uint64_t(top));
            std::memcpy(out, &high, 8);
            std::memcpy(out + 8, &low, 8);
            out += w;
            bits = std::uint64_t(group);
        }
    }
    for (; k < n; ++k)
        packCode<F>(bits, count, out, codes[k], width);
}

}  // namespace

LzwEncoder::LzwEncoder(LzwFlavour flavour, int rootBits, ByteSink& out)
    : known_(kPairs / 64)
    , rootChild_((std::size_t(1) << rootBits << 8) + 1)
    , links_(kLzwTableSize, CodeLinks{kNoPair, 0, 0, 0})
    , longerPairs_(kLzwTableSize)
    , pendingCodes_(kLzwTableSize + 1)
    , walks_(std::size_t(1) << rootBits)
    , flavour_(flavour)
    , rootBits_(rootBits)
    , clearCode_(1u << rootBits)
    , endCode_((1u << rootBits) + 1)
    , out_(out)
    , bytes_(kChunk + kTableBytes)
{
}

// A table fills after some 3,800 codes, so clearing its lookups costs little per symbol.
void LzwEncoder::startTable()
{
    width_ = rootBits_ + 1;
    const std::size_t rootWords = (std::size_t(clearCode_) << 8) / 64;
    std::fill(known_.begin(), known_.begin() + std::ptrdiff_t(rootWords), std::uint64_t(0));
    for (std::size_t k = 0; k < longerPairCount_; ++k)
        known_[longerPairs_[k] >> 6] &= ~(std::uint64_t(1) << (longerPairs_[k] & 63));
    longerPairCount_ = 0;
    next_ = clearCode_ + 2;
    std::fill(walks_.begin(), walks_.end(), Walk{});
}

void LzwEncoder::begin(bool clearFirst)
{
    startTable();
    if (!clearFirst)
        return;
    if (flavour_ == LzwFlavour::Tiff)
        emit<LzwFlavour::Tiff>(clearCode_);
    else
        emit<LzwFlavour::Gif>(clearCode_);
}

void LzwEncoder::emitPendingTiff()
{
    if (current_ < 0)
        return;
    emit<LzwFlavour::Tiff>(unsigned(current_));
    current_ = -1;
    // The reader adds an entry on reading the code and widens one code early: the code
    // after this one must be as wide as the reader then expects.
    if (++next_ == 1u << width_ && width_ < kLzwMaxBits)
        ++width_;
}

void LzwEncoder::restart()
{
    emitPendingTiff();
    emit<LzwFlavour::Tiff>(clearCode_);
    startTable();
    historySize_ = position_ = walkStart_ = 0;
}

void LzwEncoder::emitTiffEnd()
{
    emitPendingTiff();
    // The second end code's own remainder is dropped.
    emit<LzwFlavour::Tiff>(endCode_);
    emit<LzwFlavour::Tiff>(endCode_);
}

std::optional<LzwEncoder::Tail> LzwEncoder::endPiece(bool last)
{
    if (last)
        emitTiffEnd();
    else
        restart();
    std::uint8_t* out = bytes_.data() + used_;
    drainBytes<LzwFlavour::Tiff>(bitBuffer_, bitCount_, out);
    used_ = std::size_t(out - bytes_.data());
    const Tail tail{std::uint32_t(bitBuffer_ & ((1u << bitCount_) - 1)), bitCount_};
    bitCount_ = 0;
    flushBytes();
    if (failed_)
        return std::nullopt;
    return tail;
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

std::uint8_t* LzwEncoder::reserve(std::size_t count)
{
    if (historySize_ + count > historyCapacity_) {
        const std::size_t capacity = std::max(2 * historyCapacity_, historySize_ + count);
        auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
        if (historySize_ > 0)
            std::memcpy(grown.get(), history_.get(), historySize_);
        history_ = std::move(grown);
        historyCapacity_ = capacity;
    }
    return history_.get() + historySize_;
}

void LzwEncoder::encode(const std::uint8_t* symbols, std::size_t count)
{
    if (count > 0)
        std::memcpy(reserve(count), symbols, count);
    encodeReserved(count);
}

void LzwEncoder::encodeReserved(std::size_t count)
{
    historySize_ += count;
    if (flavour_ == LzwFlavour::Tiff)
        encodeAs<LzwFlavour::Tiff>();
    else
        encodeAs<LzwFlavour::Gif>();
}

template <LzwFlavour F>
void LzwEncoder::encodeAs()
{
    std::size_t i = position_;
    if (i == historySize_)
        return;

    // The hot state lives in locals for the loops and goes back to the members after them.
    const std::uint8_t* h = history_.get();
    const std::uint8_t* p = h + i;  // the next symbol to add to the current string
    const std::uint8_t* end = h + historySize_;
    std::uint64_t* const known = known_.data();
    std::uint16_t* const rootChild = rootChild_.data();
    CodeLinks* const links = links_.data();
    Walk* const walks = walks_.data();
    const unsigned clearCode = clearCode_;
    unsigned next = next_;
    std::uint16_t* const pending = pendingCodes_.data();
    std::uint16_t* pendingEnd = pending;
    std::uint32_t current = 0;

    // TIFF readers widen one code early, so its writer widens as the next code needs it;
    // GIF widens once the code just added needs the extra bit. Both check one number.
    constexpr unsigned kWidenLate = F == LzwFlavour::Tiff ? 0 : 1;
    const auto nextEvent = [&] {
        const unsigned widen = width_ < kLzwMaxBits ? (1u << width_) + kWidenLate : ~0u;
        return widen > next ? std::min(widen, unsigned(kLzwResetCode)) : unsigned(kLzwResetCode);
    };
    unsigned event = nextEvent();
    const auto packPending = [&] {
        std::uint8_t* out = bytes_.data() + used_;
        packCodes<F>(bitBuffer_, bitCount_, out, pending, std::size_t(pendingEnd - pending), width_);
        used_ = std::size_t(out - bytes_.data());
        pendingEnd = pending;
    };
    // After a code was added at `next`: a wider code, or a new table.
    const auto widenOrRestart = [&] {
        packPending();
        if (width_ < kLzwMaxBits && next == (1u << width_) + kWidenLate)
            ++width_;
        if (next == unsigned(kLzwResetCode)) {
            *pendingEnd++ = std::uint16_t(clearCode);
            packPending();
            if (used_ >= kChunk)
                flushBytes();
            startTable();
            next = next_;
            // Only the new table's walks will be compared with: the symbols before can go.
            if (std::size_t(p - h) >= kHistoryKept) {
                const std::size_t kept = std::size_t(end - p);
                std::memmove(history_.get(), p, kept);
                historySize_ = kept;
                p = h;
                end = h + kept;
            }
        }
        event = nextEvent();
    };

    // Starts a walk at the root symbol at p, jumping to where the last walk from the same
    // root ended when the symbols after it are the same: that path is in the table still.
    // Then steps past the last symbol taken.
    const auto startWalk = [&] {
        current = *p;
        walkStart_ = std::size_t(p - h);
        const Walk& last = walks[current];
        if (last.length >= kWorthJumping && last.length < std::size_t(end - p) &&
            std::memcmp(p + 1, h + last.start + 1, last.length) == 0) [[unlikely]] {
            current = last.end;
            p += last.length;
        }
        ++p;
    };
    if (current_ < 0)
        startWalk();
    else
        current = std::uint32_t(current_);

    // Two loops, one for each kind of prefix: a noisy photo spends most symbols in the
    // first, where each code leaves a root and the next lookup needs nothing the last found.
    while (p != end) {
        while (current < clearCode && p != end) {
            const std::uint32_t key = current << 8 | *p;
            std::uint64_t& word = known[key >> 6];
            const std::uint64_t bit = std::uint64_t(1) << (key & 63);
            if (word & bit) {
                walkStart_ = std::size_t(p - h) - 1;
                current = rootChild[key];
                ++p;
                break;
            }
            *pendingEnd++ = std::uint16_t(current);
            word |= bit;
            rootChild[key] = std::uint16_t(next);
            links[next] = CodeLinks{key, 0, 0, 0};
            if (++next == event) [[unlikely]]
                widenOrRestart();
            startWalk();
        }
        while (current >= clearCode && p != end) {
            const std::uint32_t key = current << 8 | *p;
            std::uint64_t& word = known[key >> 6];
            const std::uint64_t bit = std::uint64_t(1) << (key & 63);
            CodeLinks& prefix = links[current];
            if (word & bit) {
                std::uint32_t child = prefix.lastChild;
                if (links[child].key != key) {
                    child = prefix.newestChild;
                    while (links[child].key != key)
                        child = links[child].olderSibling;
                    prefix.lastChild = std::uint16_t(child);
                }
                current = child;
                ++p;
                continue;
            }
            *pendingEnd++ = std::uint16_t(current);
            word |= bit;
            longerPairs_[longerPairCount_++] = key;
            links[next] = CodeLinks{key, 0, prefix.newestChild, 0};
            prefix.newestChild = std::uint16_t(next);
            // Short walks aren't worth a record; an older, longer one from the root stays good.
            const std::size_t at = std::size_t(p - h);
            if (at - walkStart_ - 1 >= kWorthJumping)
                walks[h[walkStart_]] = {std::uint32_t(walkStart_), std::uint32_t(at - walkStart_ - 1), std::uint16_t(current)};
            if (++next == event) [[unlikely]]
                widenOrRestart();
            startWalk();
        }
    }

    packPending();
    if (used_ >= kChunk)
        flushBytes();
    current_ = int(current);
    position_ = std::size_t(p - h);
    next_ = next;
}

bool LzwEncoder::end()
{
    if (flavour_ == LzwFlavour::Tiff) {
        emitTiffEnd();
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
    begin();
    return feed(codes, out);
}

void LzwDecoder::begin()
{
    resetTable();
    buffer_ = 0;
    bits_ = 0;
    previous_ = -1;
}

LzwStop LzwDecoder::feed(std::span<const std::uint8_t> codes, LzwOutput& out)
{
    return flavour_ == LzwFlavour::Tiff ? run<LzwFlavour::Tiff>(codes, out) : run<LzwFlavour::Gif>(codes, out);
}

template <LzwFlavour F>
LzwStop LzwDecoder::run(std::span<const std::uint8_t> codes, LzwOutput& out)
{
    std::uint8_t* const pending = pending_.data();
    std::size_t used = 0;
    // The loop keeps its state in locals; they are put back for the next part.
    std::uint64_t buffer = buffer_;
    int bits = bits_;
    int previous = previous_;
    // Hands the waiting symbols over, then reports how decoding ended.
    const auto stop = [&](LzwStop reason) {
        buffer_ = buffer;
        bits_ = bits;
        previous_ = previous;
        if (used > 0 && !out.write(pending, used))
            return LzwStop::OutputFull;
        return reason;
    };

    const std::uint8_t* in = codes.data();
    const std::uint8_t* const inEnd = in + codes.size();
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
