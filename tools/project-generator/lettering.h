#pragma once
// Lettering for the shipped projects, drawn by the editor's own text renderer with the
// fonts the program's fonts.conf names, so the pieces look like what the text tool makes.

#include "edit/text_render/font_library.h"
#include "edit/text_render/log_font.h"
#include "imagelib/dib.h"
#include "layer_art.h"

#include <string>
#include <string_view>

namespace lv::artwork {

inline constexpr const char* kSans = "Arial";
inline constexpr const char* kSerif = "Times New Roman";

struct TypeFace {
    std::string family = kSans;
    int pixels = 24;  // em height
    int weight = 400;
    bool italic = false;
};
LogFont FontOf(const TypeFace& face);

struct Lettering {
    HDIB coverage;       // trimmed to the ink; null for text without ink
    int left = 0;        // the ink's corner from the top-left of the first line's box
    int top = 0;
    int lineHeight = 0;  // the line box
    int width() const { return coverage ? coverage.width() : 0; }
    int height() const { return coverage ? coverage.height() : 0; }
};

// Lines break at "\n" and are centred on each other.
Lettering Letter(FontLibrary& fonts, std::string_view text, const TypeFace& face);

// Lays the lettering centred on `centre`: across by its ink, down by its line box, so
// words of one size share a baseline.
void LetterCentred(LayerArt& art, const Lettering& lettering, Point centre, const Fill& fill, float opacity = 1);

}  // namespace lv::artwork
