#include "imagelib/codecs/flashpix/fpx_property_set.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cstring>

namespace lv::flashpix {
namespace {

constexpr std::uint16_t kByteOrderMark = 0xFFFE;
constexpr std::size_t kStreamHeaderBytes = 28;
constexpr std::size_t kSectionListEntryBytes = 20;
// Windows, version 5.
constexpr std::uint32_t kSystemIdentifier = 0x00020005;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, std::uint16_t(v));
    put16(out, std::uint16_t(v >> 16));
}

void padTo4(std::vector<std::uint8_t>& out)
{
    while (out.size() % 4)
        out.push_back(0);
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return LoadLE32(bytes.data() + at);
}

}  // namespace

PropertySetWriter::PropertySetWriter(const ClassId& formatId)
    : formatId_(formatId)
{
}

void PropertySetWriter::add(std::uint32_t id, std::uint32_t type, std::vector<std::uint8_t> value)
{
    std::vector<std::uint8_t> serialised;
    put32(serialised, type);
    serialised.insert(serialised.end(), value.begin(), value.end());
    padTo4(serialised);
    properties_.emplace_back(id, std::move(serialised));
}

void PropertySetWriter::addI2(std::uint32_t id, std::int16_t value)
{
    std::vector<std::uint8_t> v;
    put16(v, std::uint16_t(value));
    add(id, kTypeI2, std::move(v));
}

void PropertySetWriter::addUI4(std::uint32_t id, std::uint32_t value)
{
    std::vector<std::uint8_t> v;
    put32(v, value);
    add(id, kTypeUI4, std::move(v));
}

void PropertySetWriter::addR4(std::uint32_t id, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    std::vector<std::uint8_t> v;
    put32(v, bits);
    add(id, kTypeR4, std::move(v));
}

void PropertySetWriter::addString(std::uint32_t id, std::string_view text)
{
    std::vector<std::uint8_t> v;
    put32(v, std::uint32_t(text.size() + 1));
    v.insert(v.end(), text.begin(), text.end());
    v.push_back(0);
    add(id, kTypeLpstr, std::move(v));
}

void PropertySetWriter::addBlob(std::uint32_t id, std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> v;
    put32(v, std::uint32_t(bytes.size()));
    v.insert(v.end(), bytes.begin(), bytes.end());
    add(id, kTypeBlob, std::move(v));
}

void PropertySetWriter::addUI4Vector(std::uint32_t id, std::span<const std::uint32_t> values)
{
    std::vector<std::uint8_t> v;
    put32(v, std::uint32_t(values.size()));
    for (const std::uint32_t value : values)
        put32(v, value);
    add(id, kTypeVector | kTypeUI4, std::move(v));
}

std::vector<std::uint8_t> PropertySetWriter::bytes() const
{
    std::vector<std::uint8_t> out;
    put16(out, kByteOrderMark);
    put16(out, 0);
    put32(out, kSystemIdentifier);
    out.insert(out.end(), 16, 0);  // class identifier
    put32(out, 1);                 // one section
    out.insert(out.end(), formatId_.begin(), formatId_.end());
    put32(out, std::uint32_t(kStreamHeaderBytes + kSectionListEntryBytes));

    const std::uint32_t listBytes = 8 + 8 * std::uint32_t(properties_.size());
    std::uint32_t sectionBytes = listBytes;
    for (const auto& property : properties_)
        sectionBytes += std::uint32_t(property.second.size());
    put32(out, sectionBytes);
    put32(out, std::uint32_t(properties_.size()));
    std::uint32_t offset = listBytes;
    for (const auto& [id, value] : properties_) {
        put32(out, id);
        put32(out, offset);
        offset += std::uint32_t(value.size());
    }
    for (const auto& property : properties_)
        out.insert(out.end(), property.second.begin(), property.second.end());
    return out;
}

std::optional<PropertySet> PropertySet::Parse(std::span<const std::uint8_t> stream)
{
    if (stream.size() < kStreamHeaderBytes + kSectionListEntryBytes || stream[0] != 0xFE || stream[1] != 0xFF)
        return std::nullopt;
    if (read32(stream, 24) < 1)
        return std::nullopt;
    PropertySet set;
    std::copy_n(stream.begin() + kStreamHeaderBytes, 16, set.formatId_.begin());
    const std::uint64_t sectionStart = read32(stream, kStreamHeaderBytes + 16);
    if (sectionStart + 8 > stream.size())
        return std::nullopt;
    const std::uint64_t declared = read32(stream, std::size_t(sectionStart));
    const std::uint64_t sectionEnd = std::min<std::uint64_t>(stream.size(), sectionStart + declared);
    const std::uint64_t count = read32(stream, std::size_t(sectionStart + 4));
    if (sectionStart + 8 + count * 8 > sectionEnd)
        return std::nullopt;
    const auto section = stream.subspan(std::size_t(sectionStart), std::size_t(sectionEnd - sectionStart));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t id = read32(section, std::size_t(8 + i * 8));
        const std::uint64_t at = read32(section, std::size_t(12 + i * 8));
        if (at + 4 > section.size())
            return std::nullopt;
        set.values_[id] = Value{read32(section, std::size_t(at)), section.subspan(std::size_t(at + 4))};
    }
    return set;
}

std::optional<std::uint32_t> PropertySet::uint32(std::uint32_t id) const
{
    const auto it = values_.find(id);
    if (it == values_.end() || (it->second.type != kTypeUI4 && it->second.type != kTypeI4) ||
        it->second.bytes.size() < 4)
        return std::nullopt;
    return read32(it->second.bytes, 0);
}

std::optional<float> PropertySet::float32(std::uint32_t id) const
{
    const auto it = values_.find(id);
    if (it == values_.end() || it->second.type != kTypeR4 || it->second.bytes.size() < 4)
        return std::nullopt;
    const std::uint32_t bits = read32(it->second.bytes, 0);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

std::optional<std::span<const std::uint8_t>> PropertySet::blob(std::uint32_t id) const
{
    const auto it = values_.find(id);
    if (it == values_.end() || it->second.type != kTypeBlob || it->second.bytes.size() < 4)
        return std::nullopt;
    const std::uint64_t size = read32(it->second.bytes, 0);
    if (size > it->second.bytes.size() - 4)
        return std::nullopt;
    return it->second.bytes.subspan(4, std::size_t(size));
}

}  // namespace lv::flashpix
