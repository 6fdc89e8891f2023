#pragma once
// The fonts lettering is drawn with: FreeType faces found through fontconfig, with one
// configuration file for the whole program (the program folder's "fonts.conf", which maps
// the font names documents use onto the fonts installed with the program), so the editor,
// the command line and the tests draw the same pixels.

#include "edit/text_render/log_font.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;
typedef struct _FcConfig FcConfig;

namespace lv {

class FontLibrary {
public:
    // Null when FreeType can't start or the configuration file can't be read.
    static std::unique_ptr<FontLibrary> Open(const std::filesystem::path& configFile);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The face fontconfig matches for the font, kept for later calls; null when none.
    FT_Face face(const LogFont& font);
    // The family of that face: what the lettering is drawn with ("Arial" is drawn with its
    // stand-in); empty when none matches.
    std::string drawnFamily(const LogFont& font);
    // The file and face index that face comes from.
    std::optional<std::pair<std::string, int>> matchFile(const LogFont& font);

private:
    FontLibrary(FT_Library library, FcConfig* config);

    FT_Library library_;
    FcConfig* config_;
    std::map<std::pair<std::string, int>, FT_Face> faces_;
};

}  // namespace lv
