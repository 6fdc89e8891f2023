#pragma once
// The skin file ("ui/button.800", "ui/button.640"): for each screen of the file, the
// buttons' three pictures (normal, pressed, hover) and their placement fields.
//
// Layout, little-endian: magic "REZE" (50 41 4C 4D is accepted too), reserved, total
// record count, reserved, screen count, the first record index of each of 50 screens,
// then 288-byte image records and the image data. Each record names a packed DIB by
// offset (from the start of the image data) and length; the third record of a button
// carries its eight 16-bit fields.

#include "common/byte_sink.h"
#include "common/byte_source.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lv::skin {

inline constexpr std::size_t kSkinHeaderSize = 236;
inline constexpr std::size_t kSkinRecordSize = 288;
inline constexpr int kSkinMaxScreens = 50;
inline constexpr std::uint32_t kSkinMaxRecords = 2000;  // what the load table holds
inline constexpr std::size_t kSkinFieldsOffset = 152;
inline constexpr std::size_t kSkinImageOffsetAt = 272;
inline constexpr std::size_t kSkinImageLengthAt = 280;

// Values of the record-kind field (field 0).
inline constexpr std::int16_t kRecordSliderThumb = 2;
inline constexpr std::int16_t kRecordSliderTrack = 3;

// The eight 16-bit fields stored with a button's third record.
struct SkinFields {
    std::int16_t recordKind = 0;  // 2 slider thumb, 3 slider track, otherwise plain
    std::int16_t code = 0;
    std::int16_t x = 0;  // relative to the panel origin
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t value1 = 0;
    std::int16_t value2 = 0;  // becomes the button's extra value
    bool operator==(const SkinFields&) const = default;
};

// One button as stored: three packed DIBs (empty when the record has no picture).
struct SkinButtonImages {
    std::array<std::vector<std::uint8_t>, 3> pictures;  // normal, pressed, hover
    SkinFields fields;
    bool operator==(const SkinButtonImages&) const = default;
};

using SkinScreenButtons = std::vector<SkinButtonImages>;

// Everything a skin file holds, screen by screen.
struct SkinFileContent {
    std::vector<SkinScreenButtons> screens;
    bool operator==(const SkinFileContent&) const = default;
};

// The header as read: what the record ranges are computed from.
struct SkinHeader {
    std::uint32_t totalRecords = 0;  // as stored
    std::uint32_t screenCount = 0;
    std::array<std::uint32_t, kSkinMaxScreens> firstRecord{};
    std::uint32_t usableRecords = 0;  // at most 2000, and only records the file really holds
    std::uint64_t imageDataStart = 0;
};

// Null when the file is shorter than the header or lacks the magic.
std::optional<SkinHeader> ReadSkinHeader(ByteSource& source);

// The records [first, end) of a screen, by the first-index rule of the file.
struct RecordRange {
    std::uint32_t first = 0;
    std::uint32_t end = 0;
};
RecordRange ScreenRecordRange(const SkinHeader& header, int screen);
// (end − first + 2) / 3: a trailing button with only two records still counts.
int ScreenButtonCount(RecordRange range);

// The buttons of one screen; null when the file is not a skin file, or is damaged so that
// two screens share records or two records share picture bytes (each naming would be a copy
// of its own). Missing or broken pictures are left empty, so a file damaged otherwise still
// gives its placements.
std::optional<SkinScreenButtons> ReadSkinScreen(ByteSource& source, int screen);
std::optional<SkinFileContent> ReadSkinFile(ByteSource& source);

// Writes the screens (at most 50, at most 2000 records in all) with the magic "REZE".
// False when the content does not fit the format (a first screen without buttons before
// screens with buttons can't be told apart from the next one) or a write fails.
bool WriteSkinFile(ByteSink& sink, const SkinFileContent& content);

}  // namespace lv::skin
