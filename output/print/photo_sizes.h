#pragma once
// Layouts of standard photo print sizes: the page measured in whole inches and filled with
// slots of the sizes a layout allows, larger sizes first.
//
// Which layout uses which rule:
//   1 "Fotos de paisagens"   sizes at least as wide as high
//   2 "Fotos de pessoas"     sizes at least as high as wide
//   3 "Fotos misturadas"     any size
//   4 "Fotos de um tamanho"  one size and its turned partner (6×4 with 4×6), so every print is
//                            the same size, each turned the way that fills the page best

#include "output/print/printer_metrics.h"

#include <array>
#include <optional>
#include <vector>

namespace lv::print {

struct PhotoSize {
    int width;  // inches
    int height;
    bool operator==(const PhotoSize&) const = default;
};

inline constexpr std::array<PhotoSize, 31> kPhotoPrintSizes{{
    {10, 8}, {8, 10}, {8, 8}, {10, 6}, {6, 10}, {9, 6}, {6, 9}, {7, 7}, {8, 6}, {6, 8}, {6, 6},
    {7, 5},  {5, 7},  {5, 5}, {6, 4},  {4, 6},  {6, 3}, {3, 6}, {4, 4}, {5, 3}, {3, 5}, {4, 3},
    {3, 4},  {3, 3},  {4, 2}, {2, 4},  {3, 2},  {2, 3}, {2, 2}, {2, 1}, {1, 2},
}};

enum class SizeRule { AnySize, Wide, High, ComplementaryPair };

// The rule of layout kinds 1 to 4.
SizeRule RuleForLayoutKind(int kind);

// The sizes a rule allows, largest first; for the pair rule, `lead` and its turned partner.
std::vector<PhotoSize> AllowedSizes(SizeRule rule, std::optional<PhotoSize> lead = std::nullopt);

struct InchRect {
    int x, y;  // inches from the grid's top-left corner
    PhotoSize size;
    bool operator==(const InchRect&) const = default;
};

struct PhotoArrangement {
    std::vector<InchRect> prints;
    int uncoveredCells = 0;  // square inches of the grid no allowed size could take
};

// Fills a grid of gridWidth × gridHeight inches: every free inch from the top-left, row by row,
// takes the lead size when it fits there, else the largest allowed size that fits. At most
// `maxSlots` slots.
PhotoArrangement ArrangeWithLead(int gridWidth, int gridHeight, const std::vector<PhotoSize>& allowed,
                                 PhotoSize lead, std::size_t maxSlots);

// Tries each allowed size as the lead (at most 200 arrangements) and keeps the first that
// covers the grid, else the one that leaves the least uncovered. With `lead`, only that one.
PhotoArrangement ArrangePhotoSizes(int gridWidth, int gridHeight, SizeRule rule, std::optional<PhotoSize> lead,
                                   std::size_t maxSlots);

// The inch grid of the printable area (each side at least 1 inch), centred on it.
Rect InchGrid(const PrinterMetrics& metrics);

// Slots in device pixels for a layout kind (1 to 4) on this page.
std::vector<Rect> PhotoSizeSlots(int kind, const PrinterMetrics& metrics, std::optional<PhotoSize> lead,
                                       std::size_t maxSlots);

}  // namespace lv::print
