#pragma once
// The label file "lblspec.ini": brands in section "LABELPREFIX", and per brand and paper a
// section of products, each a name and up to four blocks of labels in 1/600 inch.

#include "common/profile_document.h"
#include "output/print/printer_metrics.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::print {

inline constexpr std::string_view kLabelFileName = "lblspec.ini";
inline constexpr std::string_view kBrandSection = "LABELPREFIX";
inline constexpr std::size_t kMaxBrandPrefix = 9;
inline constexpr std::size_t kMaxBrandName = 19;
inline constexpr std::size_t kMaxProductName = 63;
inline constexpr std::size_t kMaxProducts = 200;
inline constexpr std::size_t kMaxBlocks = 4;
inline constexpr std::size_t kMaxLabelFileBytes = 1 << 20;

struct LabelBrand {
    std::string prefix;
    std::string name;
    bool operator==(const LabelBrand&) const = default;
};

// Device pixels; pitches at least the label size, columns and rows at least 1.
struct LabelBlock {
    int left = 0, top = 0, width = 0, height = 0, pitchX = 0, pitchY = 0, columns = 1, rows = 1;
    bool operator==(const LabelBlock&) const = default;
};

struct LabelProduct {
    std::string name;  // empty for the full-page label
    std::vector<LabelBlock> blocks;
};

// The file's text, or nothing when it can't be read or is larger than any label file.
std::optional<profile::ProfileDocument> ReadLabelFile(const std::filesystem::path& path);

// The brands; brand "AV" named "None" when the file or its section is missing or empty.
std::vector<LabelBrand> LabelBrands(const profile::ProfileDocument* file);

// The prefix and "%d_%d" of the sheet in 1/600 inch, each rounded to the nearest 20.
std::string PaperSectionName(std::string_view prefix, const PrinterMetrics& metrics);

// One value of a paper section: groups of eight numbers, reading stopped at the first one missing.
LabelProduct ParseLabelProduct(std::string_view name, std::string_view value, const PrinterMetrics& metrics);

// The products of a brand on this paper; the full-page label when the section is missing or empty.
std::vector<LabelProduct> LabelProducts(const profile::ProfileDocument* file, std::string_view prefix,
                                        const PrinterMetrics& metrics);

// One label covering the printable area once.
LabelProduct FullPageLabel(const PrinterMetrics& metrics);

// Every label of the product, block by block, row by row; at most `limit`.
std::vector<Rect> LabelRects(const LabelProduct& product, std::size_t limit);

}  // namespace lv::print
