#include "edit/text_render/log_font.h"

#include "common/little_endian.h"
#include "common/text_encoding.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstring>

namespace lv {
namespace {

constexpr const char* kUnderlineElement = "lvunderline";
constexpr const char* kStrikeOutElement = "lvstrikeout";
constexpr const char* kCellHeightElement = "lvcellheight";
constexpr std::int32_t kRegularWeight = 400;
constexpr double kPixelsPerPoint = 96.0 / 72.0;

bool boolean(const FcPattern& pattern, const char* element)
{
    FcBool value = FcFalse;
    return FcPatternGetBool(&pattern, element, 0, &value) == FcResultMatch && value;
}

}  // namespace

void PatternDeleter::operator()(FcPattern* pattern) const
{
    FcPatternDestroy(pattern);
}

std::array<std::uint8_t, kLogFontBytes> LogFontBytes(const LogFont& font)
{
    std::array<std::uint8_t, kLogFontBytes> bytes{};
    StoreLE32(&bytes[0], std::uint32_t(font.height));
    StoreLE32(&bytes[4], std::uint32_t(font.width));
    StoreLE32(&bytes[8], std::uint32_t(font.escapement));
    StoreLE32(&bytes[12], std::uint32_t(font.orientation));
    StoreLE32(&bytes[16], std::uint32_t(font.weight));
    const std::uint8_t small[] = {font.italic,       font.underline,     font.strikeOut, font.charSet,
                                  font.outPrecision, font.clipPrecision, font.quality,   font.pitchAndFamily};
    std::memcpy(&bytes[20], small, sizeof small);
    const std::string_view name = font.faceName;
    const std::string_view face = TruncateUtf8(name.substr(0, name.find('\0')), kFaceNameBytes - 1);
    std::memcpy(&bytes[28], face.data(), face.size());
    return bytes;
}

LogFont LogFontFromBytes(const std::array<std::uint8_t, kLogFontBytes>& bytes)
{
    LogFont font;
    font.height = std::int32_t(LoadLE32(&bytes[0]));
    font.width = std::int32_t(LoadLE32(&bytes[4]));
    font.escapement = std::int32_t(LoadLE32(&bytes[8]));
    font.orientation = std::int32_t(LoadLE32(&bytes[12]));
    font.weight = std::int32_t(LoadLE32(&bytes[16]));
    font.italic = bytes[20];
    font.underline = bytes[21];
    font.strikeOut = bytes[22];
    font.charSet = bytes[23];
    font.outPrecision = bytes[24];
    font.clipPrecision = bytes[25];
    font.quality = bytes[26];
    font.pitchAndFamily = bytes[27];
    const char* face = reinterpret_cast<const char*>(&bytes[28]);
    font.faceName = ToUtf8(std::string_view(face, strnlen(face, kFaceNameBytes)));
    return font;
}

LogFont LogFontOfObject(const TextObject& object)
{
    std::array<std::uint8_t, kLogFontBytes> bytes{};
    for (int i = 0; i < TextObject::kFontWordCount; ++i)
        StoreLE32(&bytes[std::size_t(4 * i)], object.words[std::size_t(TextObject::kFontFirstWord + i)]);
    return LogFontFromBytes(bytes);
}

void StoreLogFont(TextObject& object, const LogFont& font)
{
    const auto bytes = LogFontBytes(font);
    for (int i = 0; i < TextObject::kFontWordCount; ++i)
        object.words[std::size_t(TextObject::kFontFirstWord + i)] = LoadLE32(&bytes[std::size_t(4 * i)]);
}

FontPattern PatternFromLogFont(const LogFont& font)
{
    FontPattern pattern(FcPatternCreate());
    if (!pattern)
        return pattern;
    const std::string family = font.faceName.empty() ? "Arial" : font.faceName;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    if (font.height != 0)
        FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, std::abs(double(font.height)));
    FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(font.weight ? font.weight : kRegularWeight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), kUnderlineElement, font.underline ? FcTrue : FcFalse);
    FcPatternAddBool(pattern.get(), kStrikeOutElement, font.strikeOut ? FcTrue : FcFalse);
    FcPatternAddBool(pattern.get(), kCellHeightElement, font.height > 0 ? FcTrue : FcFalse);
    return pattern;
}

LogFont LogFontFromPattern(const FcPattern& pattern)
{
    LogFont font;
    FcChar8* family = nullptr;
    if (FcPatternGetString(&pattern, FC_FAMILY, 0, &family) == FcResultMatch)
        font.faceName = std::string(TruncateUtf8(reinterpret_cast<const char*>(family), kFaceNameBytes - 1));
    double pixels = 0, points = 0;
    if (FcPatternGetDouble(&pattern, FC_PIXEL_SIZE, 0, &pixels) != FcResultMatch &&
        FcPatternGetDouble(&pattern, FC_SIZE, 0, &points) == FcResultMatch)
        pixels = points * kPixelsPerPoint;
    const auto size = std::int32_t(std::lround(pixels));
    font.height = boolean(pattern, kCellHeightElement) ? size : -size;
    double weight = 0;
    int integerWeight = 0;
    if (FcPatternGetDouble(&pattern, FC_WEIGHT, 0, &weight) == FcResultMatch ||
        (FcPatternGetInteger(&pattern, FC_WEIGHT, 0, &integerWeight) == FcResultMatch && (weight = integerWeight, true)))
        font.weight = std::int32_t(std::lround(FcWeightToOpenTypeDouble(weight)));
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(&pattern, FC_SLANT, 0, &slant);
    font.italic = slant != FC_SLANT_ROMAN ? 1 : 0;
    font.underline = boolean(pattern, kUnderlineElement) ? 1 : 0;
    font.strikeOut = boolean(pattern, kStrikeOutElement) ? 1 : 0;
    return font;
}

}  // namespace lv
