#include "sharing/store/print_order.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace lv::sharing {
namespace {

constexpr std::array<PaperSize, 6> kPapers = {{
    {"10x15", "10 × 15 cm", 100, 150},
    {"13x18", "13 × 18 cm", 130, 180},
    {"15x21", "15 × 21 cm", 150, 210},
    {"20x25", "20 × 25 cm", 200, 250},
    {"20x30", "20 × 30 cm", 200, 300},
    {"30x45", "30 × 45 cm", 300, 450},
}};

}  // namespace

std::span<const PaperSize> PaperSizes()
{
    return kPapers;
}

const PaperSize* FindPaper(std::string_view code)
{
    const auto found = std::find_if(kPapers.begin(), kPapers.end(), [code](const PaperSize& p) { return p.code == code; });
    return found == kPapers.end() ? nullptr : &*found;
}

CropRect CentredCrop(int photoWidth, int photoHeight, const PaperSize& paper)
{
    if (photoWidth <= 0 || photoHeight <= 0)
        return {};
    const bool landscape = photoWidth > photoHeight;
    const long long ratioW = landscape ? paper.longSide : paper.shortSide;
    const long long ratioH = landscape ? paper.shortSide : paper.longSide;
    // Full width unless that makes it taller than the photo.
    long long width = photoWidth;
    long long height = (width * ratioH + ratioW / 2) / ratioW;
    if (height > photoHeight) {
        height = photoHeight;
        width = (height * ratioW + ratioH / 2) / ratioH;
    }
    width = std::clamp<long long>(width, 1, photoWidth);
    height = std::clamp<long long>(height, 1, photoHeight);
    return {int((photoWidth - width) / 2), int((photoHeight - height) / 2), int(width), int(height)};
}

CropRect MovedCrop(const CropRect& crop, int dx, int dy, int photoWidth, int photoHeight)
{
    CropRect out = crop;
    out.left = std::clamp(crop.left + dx, 0, std::max(0, photoWidth - crop.width));
    out.top = std::clamp(crop.top + dy, 0, std::max(0, photoHeight - crop.height));
    return out;
}

std::string OrderText(const std::vector<PrintLine>& lines)
{
    std::string text;
    for (const PrintLine& line : lines) {
        const bool nameOk = !line.photo.empty() && line.photo.find_first_of("\t\r\n") == std::string::npos;
        if (!FindPaper(line.paper) || line.copies < 1 || line.copies > kMostCopies || line.crop.width <= 0 ||
            line.crop.height <= 0 || line.crop.left < 0 || line.crop.top < 0 || !nameOk)
            return {};
        text += line.paper + "\t" + std::to_string(line.copies) + "\t" + std::to_string(line.crop.left) + "," +
                std::to_string(line.crop.top) + "," + std::to_string(line.crop.width) + "," +
                std::to_string(line.crop.height) + "\t" + line.photo + "\n";
    }
    return text;
}

std::optional<CropRect> ParseCrop(std::string_view text)
{
    std::array<int, 4> values{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || values[i] < 0 || (i < 3 ? next == end || *next != ',' : next != end))
            return std::nullopt;
        at = next + (i < 3 ? 1 : 0);
    }
    if (values[2] == 0 || values[3] == 0)
        return std::nullopt;
    return CropRect{values[0], values[1], values[2], values[3]};
}

}  // namespace lv::sharing
