#pragma once
// The font description a text layer keeps: the 60-byte structure of the old platform's
// font requests, stored in words 4 to 18 of the text object, and its mapping to and from
// fontconfig patterns.

#include "edit/text_object.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

typedef struct _FcPattern FcPattern;

namespace lv {

inline constexpr std::size_t kLogFontBytes = 60;
inline constexpr std::size_t kFaceNameBytes = 32;  // with its NUL

struct LogFont {
    std::int32_t height = 0;  // negative: the characters' em height in pixels; positive: the cell height
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;  // 100 .. 900; 400 regular, 700 bold; 0 the default
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName;  // UTF-8, at most 31 bytes

    bool operator==(const LogFont&) const = default;
};

// The 60 bytes, little-endian; the face name cut on a character boundary and NUL-padded.
std::array<std::uint8_t, kLogFontBytes> LogFontBytes(const LogFont& font);
// Face names that are not UTF-8 (files of the old platform) are read as Windows-1252.
LogFont LogFontFromBytes(const std::array<std::uint8_t, kLogFontBytes>& bytes);

LogFont LogFontOfObject(const TextObject& object);
void StoreLogFont(TextObject& object, const LogFont& font);

// Owns a fontconfig pattern.
struct PatternDeleter {
    void operator()(FcPattern* pattern) const;
};
using FontPattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Family, pixel size, weight and slant, plus the underline, strike-out and cell-height
// choices as the pattern elements "lvunderline", "lvstrikeout" and "lvcellheight". An
// empty face name asks for "Arial".
FontPattern PatternFromLogFont(const LogFont& font);

// The reverse: height, weight, italic, underline, strike-out and face name (the other
// fields stay 0). A pattern with a point size but no pixel size counts 96 pixels an inch.
LogFont LogFontFromPattern(const FcPattern& pattern);

}  // namespace lv
