#include "edit/text_block.h"

#include "common/little_endian.h"
#include "edit/layered_layout.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lv {
namespace {

// Descriptor byte offset of each stored word range of the object.
struct WordRange {
    std::size_t offset;
    int first;
    int last;  // inclusive
};
constexpr WordRange kStoredWords[] = {{8, 3, 19}, {76, 20, 20}, {80, 21, 31}, {128, 32, 43}};

// The placement words hold the matrix's first six numbers, as little-endian doubles.
constexpr int kPlacementNumbers = TextObject::kPlacementWordCount / 2;

std::uint64_t bitsOf(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(std::uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

std::array<std::uint8_t, kTextDescriptorSize> MakeTextDescriptor(const TextObject& object, const Placement& placement,
                                                                 std::uint32_t stringPosition)
{
    auto words = object.words;
    words[TextObject::kFlagsWord] &= kStoredTextFlags;
    for (int i = 0; i < kPlacementNumbers; ++i) {
        const std::uint64_t bits = bitsOf(placement[std::size_t(i)]);
        words[std::size_t(TextObject::kPlacementFirstWord + 2 * i)] = std::uint32_t(bits);
        words[std::size_t(TextObject::kPlacementFirstWord + 2 * i + 1)] = std::uint32_t(bits >> 32);
    }
    std::array<std::uint8_t, kTextDescriptorSize> d{};
    StoreLE32(d.data(), TextObject::kObjectBytes);
    StoreLE32(d.data() + 4, stringPosition);
    for (const WordRange& range : kStoredWords)
        for (int w = range.first; w <= range.last; ++w)
            StoreLE32(d.data() + range.offset + 4 * std::size_t(w - range.first), words[std::size_t(w)]);
    return d;
}

bool WriteTextBlock(ByteSink& sink, std::uint64_t base, const TextObject& object, const Placement& placement)
{
    const std::uint64_t stringPosition = sink.position() + kBlockHeaderSize + kTextDescriptorSize - base;
    const auto descriptor = MakeTextDescriptor(object, placement, std::uint32_t(stringPosition));
    const std::string text = object.text.substr(0, object.text.find('\0'));
    return WriteBlockHeader(sink, kBlockText) && sink.write(descriptor.data(), descriptor.size()) &&
           sink.writeLE32(std::uint32_t(text.size() + 1)) && sink.writeLE32(0) && sink.write(text.c_str(), text.size() + 1);
}

std::optional<TextObject> ReadTextBlock(ByteSource& source, std::uint64_t position)
{
    const auto encoding = ReadBlockEncoding(source, position);
    std::uint8_t d[kTextDescriptorSize];
    std::uint8_t stringHead[8];
    if (encoding != kBlockText || !source.readExact(d, sizeof d) || !source.readExact(stringHead, sizeof stringHead))
        return std::nullopt;
    // The string buffer is the byte count rounded up to 1 KiB, its last byte forced to NUL.
    const std::uint32_t bytes = LoadLE32(stringHead);
    if (bytes > source.remaining())
        return std::nullopt;
    const std::uint64_t buffer = (std::uint64_t(bytes) + TextObject::kStringBlockGrain - 1) / TextObject::kStringBlockGrain *
                                 TextObject::kStringBlockGrain;
    std::string text(std::size_t(std::min<std::uint64_t>(bytes, buffer == 0 ? 0 : buffer - 1)), '\0');
    if (!source.readExact(text.data(), text.size()))
        return std::nullopt;
    TextObject object = MakeTextObject(text.substr(0, text.find('\0')));
    for (const WordRange& range : kStoredWords)
        for (int w = range.first; w <= range.last; ++w)
            object.words[std::size_t(w)] = LoadLE32(d + range.offset + 4 * std::size_t(w - range.first));
    return object;
}

Placement PlacementFromText(const TextObject& object)
{
    const auto first = object.words.begin() + TextObject::kPlacementFirstWord;
    if (std::all_of(first, first + TextObject::kPlacementWordCount, [](std::uint32_t w) { return w == 0; }))
        return {};
    Placement placement{};
    for (int i = 0; i < kPlacementNumbers; ++i) {
        const std::size_t w = std::size_t(TextObject::kPlacementFirstWord + 2 * i);
        placement[std::size_t(i)] = doubleOf(std::uint64_t(object.words[w]) | std::uint64_t(object.words[w + 1]) << 32);
    }
    placement[8] = 1;
    return placement;
}

}  // namespace lv
