#pragma once
// The "SuperStatic" readout: its text in pure green on black, in one "Arial" font that every
// readout shares. The shared font takes its height from the readout that paints first and
// lasts until a readout is destroyed; the next paint makes it again.

#include "app/skin/geometry.h"

#include <optional>

namespace lv::skin {

inline constexpr const char* kReadoutFont = "Arial";
inline constexpr unsigned kReadoutBackground = 0x000000;
inline constexpr unsigned kReadoutText = 0x00FF00;
inline constexpr int kReadoutMinimumFontHeight = 14;

// 0.8 × the client height − 4, in whole pixels, and never below 14.
int ReadoutFontHeight(int clientHeight);

// The text-drawing flags of the window style's low byte: 0 left, 1 centre, 2 right.
enum class ReadoutAlign { Left, Centre, Right };
ReadoutAlign ReadoutAlignment(unsigned style);

// Where the text goes: the client area inset by m = height ÷ 10 + 1 at the top and bottom and
// 2m at the sides, then `textHeight` (the height of "Gg") high, centred in it vertically.
Rect ReadoutTextRect(Size client, int textHeight);

class SharedReadoutFont {
public:
    // The font's height for a paint of a readout of this client height: made on the first
    // paint, the same for every readout after it.
    int heightForPaint(int clientHeight);
    // A readout was destroyed: the font goes with it.
    void release() { height_.reset(); }
    std::optional<int> height() const { return height_; }

private:
    std::optional<int> height_;
};

}  // namespace lv::skin
