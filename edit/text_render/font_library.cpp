#include "edit/text_render/font_library.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace lv {

std::unique_ptr<FontLibrary> FontLibrary::Open(const std::filesystem::path& configFile)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return nullptr;
    FcConfig* config = FcConfigCreate();
    if (!config || !FcConfigParseAndLoad(config, reinterpret_cast<const FcChar8*>(configFile.c_str()), FcTrue) ||
        !FcConfigBuildFonts(config)) {
        if (config)
            FcConfigDestroy(config);
        FT_Done_FreeType(library);
        return nullptr;
    }
    return std::unique_ptr<FontLibrary>(new FontLibrary(library, config));
}

FontLibrary::FontLibrary(FT_Library library, FcConfig* config)
    : library_(library)
    , config_(config)
{
}

FontLibrary::~FontLibrary()
{
    for (auto& [key, face] : faces_)
        FT_Done_Face(face);
    FcConfigDestroy(config_);
    FT_Done_FreeType(library_);
}

std::optional<std::pair<std::string, int>> FontLibrary::matchFile(const LogFont& font)
{
    FontPattern pattern = PatternFromLogFont(font);
    if (!pattern || !FcConfigSubstitute(config_, pattern.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const FontPattern match(FcFontMatch(config_, pattern.get(), &result));
    FcChar8* file = nullptr;
    int index = 0;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return std::pair<std::string, int>(reinterpret_cast<const char*>(file), index);
}

FT_Face FontLibrary::face(const LogFont& font)
{
    const auto file = matchFile(font);
    if (!file)
        return nullptr;
    if (const auto found = faces_.find(*file); found != faces_.end())
        return found->second;
    FT_Face face = nullptr;
    if (FT_New_Face(library_, file->first.c_str(), file->second, &face) != 0)
        return nullptr;
    faces_.emplace(*file, face);
    return face;
}

std::string FontLibrary::drawnFamily(const LogFont& font)
{
    const FT_Face matched = face(font);
    return matched && matched->family_name ? std::string(matched->family_name) : std::string();
}

}  // namespace lv
