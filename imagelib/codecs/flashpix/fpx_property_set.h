#pragma once
// Property-set streams: one section of typed values keyed by 32-bit identifiers.

#include "imagelib/codecs/flashpix/fpx_storage.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lv::flashpix {

inline constexpr std::uint32_t kTypeI2 = 2;
inline constexpr std::uint32_t kTypeI4 = 3;
inline constexpr std::uint32_t kTypeR4 = 4;
inline constexpr std::uint32_t kTypeUI4 = 19;
inline constexpr std::uint32_t kTypeLpstr = 30;
inline constexpr std::uint32_t kTypeBlob = 65;
inline constexpr std::uint32_t kTypeVector = 0x1000;

class PropertySetWriter {
public:
    explicit PropertySetWriter(const ClassId& formatId);
    void addI2(std::uint32_t id, std::int16_t value);
    void addUI4(std::uint32_t id, std::uint32_t value);
    void addR4(std::uint32_t id, float value);
    void addString(std::uint32_t id, std::string_view text);  // code-page text, nul-terminated
    void addBlob(std::uint32_t id, std::span<const std::uint8_t> bytes);
    void addUI4Vector(std::uint32_t id, std::span<const std::uint32_t> values);
    std::vector<std::uint8_t> bytes() const;

private:
    void add(std::uint32_t id, std::uint32_t type, std::vector<std::uint8_t> value);
    ClassId formatId_;
    std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> properties_;  // type and value, serialised
};

// The first section of a property-set stream, checked: every offset and length lies
// inside the stream.
class PropertySet {
public:
    static std::optional<PropertySet> Parse(std::span<const std::uint8_t> stream);

    const ClassId& formatId() const { return formatId_; }
    std::optional<std::uint32_t> uint32(std::uint32_t id) const;  // UI4 or I4
    std::optional<float> float32(std::uint32_t id) const;          // R4
    std::optional<std::span<const std::uint8_t>> blob(std::uint32_t id) const;

private:
    struct Value {
        std::uint32_t type;
        std::span<const std::uint8_t> bytes;  // everything after the type word, to the section's end
    };
    ClassId formatId_{};
    std::map<std::uint32_t, Value> values_;
};

}  // namespace lv::flashpix
