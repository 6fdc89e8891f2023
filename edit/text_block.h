#pragma once
// Text blocks of the layered stream: the block header (encoding 3), the 184-byte text
// descriptor mapped word by word from the text object, and the string block.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/layer_stack.h"
#include "edit/text_object.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lv {

inline constexpr std::size_t kTextDescriptorSize = 184;
// Bits of word 20 the file keeps: 0 to 3, 8 (smooth edges) and 9.
inline constexpr std::uint32_t kStoredTextFlags = 0x30F;

// The descriptor for `object` with the placement words taken from the layer's matrix;
// `stringPosition` is where the string block will stand (relative to the stream start).
std::array<std::uint8_t, kTextDescriptorSize> MakeTextDescriptor(const TextObject& object, const Placement& placement,
                                                                 std::uint32_t stringPosition);

// Writes the whole block at the sink's position; `base` is the stream start.
bool WriteTextBlock(ByteSink& sink, std::uint64_t base, const TextObject& object, const Placement& placement);

// The text object of the block at `position`, or nothing when it can't be read.
std::optional<TextObject> ReadTextBlock(ByteSource& source, std::uint64_t position);

// The placement a text object's words 32..43 describe: all zero when they are.
Placement PlacementFromText(const TextObject& object);

}  // namespace lv
