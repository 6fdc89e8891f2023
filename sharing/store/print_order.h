#pragma once
// A print order as the program builds it: each print's paper from the service's list, its
// copies, and the part of the photo that fills the paper (the photo cut to the paper's ratio,
// turned to the photo's own orientation).

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing {

struct PaperSize {
    std::string_view code;   // what the service is sent: "10x15"
    std::string_view label;  // what the user reads: "10 × 15 cm"
    int shortSide;           // millimetres
    int longSide;
};

std::span<const PaperSize> PaperSizes();
const PaperSize* FindPaper(std::string_view code);

inline constexpr int kMostCopies = 99;

struct CropRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CropRect&) const = default;
};

// The largest centred rectangle of the paper's ratio inside a photo of that size; the
// paper lies the way the photo does (a square photo takes it upright).
CropRect CentredCrop(int photoWidth, int photoHeight, const PaperSize& paper);
// `crop` moved by (dx, dy) and kept inside the photo.
CropRect MovedCrop(const CropRect& crop, int dx, int dy, int photoWidth, int photoHeight);

struct PrintLine {
    std::string photo;  // the name the service keeps it under
    std::string paper;  // a PaperSize code
    int copies = 1;
    CropRect crop;
};

// One "PAPER<TAB>COPIES<TAB>LEFT,TOP,WIDTH,HEIGHT<TAB>PHOTO" line per print; empty when a
// line could not be sent (unknown paper, copies out of 1..99, an empty crop, a name with a
// tab or line break).
std::string OrderText(const std::vector<PrintLine>& lines);

// "LEFT,TOP,WIDTH,HEIGHT" as the command line takes it.
std::optional<CropRect> ParseCrop(std::string_view text);

}  // namespace lv::sharing
