#include "output/print/label_spec.h"

#include "common/byte_source.h"

#include <algorithm>
#include <cstdio>

namespace lv::print {
namespace {

// Cut to at most `bytes` bytes without splitting a character.
std::string cutUtf8(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return std::string(text);
    std::size_t end = bytes;
    while (end > 0 && (std::uint8_t(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

// The next number of a comma-separated list, or nothing when the field holds no number.
std::optional<long long> nextNumber(std::string_view& list)
{
    if (list.empty())
        return std::nullopt;
    const std::size_t comma = list.find(',');
    std::string_view field = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    bool negative = false;
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        field.remove_prefix(1);
    }
    if (field.empty() || field.front() < '0' || field.front() > '9')
        return std::nullopt;
    long long value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000);
    }
    return negative ? -value : value;
}

// Far beyond any sheet, and small enough that a thousand pitches still add up within an int.
constexpr long long kMaxDeviceValue = 1'000'000;

int toDevice(long long value, int dpi)
{
    return int(std::clamp<long long>(value * dpi / 600, -kMaxDeviceValue, kMaxDeviceValue));
}

LabelBlock blockFrom(const long long (&n)[8], const PrinterMetrics& m)
{
    LabelBlock b;
    b.left = toDevice(n[0], m.dpiX);
    b.top = toDevice(n[1], m.dpiY);
    b.width = std::max(0, toDevice(n[2], m.dpiX));
    b.height = std::max(0, toDevice(n[3], m.dpiY));
    b.pitchX = std::max(toDevice(n[4], m.dpiX), b.width);
    b.pitchY = std::max(toDevice(n[5], m.dpiY), b.height);
    b.columns = int(std::clamp<long long>(n[6], 1, 1000));
    b.rows = int(std::clamp<long long>(n[7], 1, 1000));
    return b;
}

int roundedTo20(long long devicePixels, int dpi)
{
    const long long sixHundredths = devicePixels * 600 / std::max(dpi, 1);
    return int((sixHundredths + 10) / 20 * 20);
}

}  // namespace

std::optional<profile::ProfileDocument> ReadLabelFile(const std::filesystem::path& path)
{
    auto source = FileSource::Open(path.string());
    if (!source || source->size() > kMaxLabelFileBytes)
        return std::nullopt;
    std::string bytes(std::size_t(source->size()), '\0');
    if (!source->readExact(bytes.data(), bytes.size()))
        return std::nullopt;
    return profile::ProfileDocument::Parse(bytes);
}

std::vector<LabelBrand> LabelBrands(const profile::ProfileDocument* file)
{
    std::vector<LabelBrand> brands;
    if (file)
        for (const profile::Entry& e : file->section(kBrandSection))
            if (!e.key.empty())
                brands.push_back({cutUtf8(e.key, kMaxBrandPrefix), cutUtf8(e.value, kMaxBrandName)});
    if (brands.empty())
        brands.push_back({"AV", "None"});
    return brands;
}

std::string PaperSectionName(std::string_view prefix, const PrinterMetrics& m)
{
    char size[48];
    std::snprintf(size, sizeof size, "%d_%d", roundedTo20(m.pageWidth, m.dpiX), roundedTo20(m.pageHeight, m.dpiY));
    return std::string(prefix) + size;
}

LabelProduct ParseLabelProduct(std::string_view name, std::string_view value, const PrinterMetrics& m)
{
    LabelProduct product{cutUtf8(name, kMaxProductName), {}};
    std::string_view rest = value;
    bool stopped = false;
    for (std::size_t group = 0; group < kMaxBlocks && !stopped; ++group) {
        long long numbers[8] = {};
        int read = 0;
        for (; read < 8; ++read) {
            const auto n = nextNumber(rest);
            if (!n)
                break;
            numbers[read] = *n;
        }
        stopped = read < 8;
        if (read == 8)
            product.blocks.push_back(blockFrom(numbers, m));
        else if (group == 0)
            product.blocks.push_back(LabelBlock{});  // a first group cut short: a label of no size
    }
    return product;
}

std::vector<LabelProduct> LabelProducts(const profile::ProfileDocument* file, std::string_view prefix,
                                        const PrinterMetrics& metrics)
{
    std::vector<LabelProduct> products;
    if (file)
        for (const profile::Entry& e : file->section(PaperSectionName(prefix, metrics))) {
            if (products.size() == kMaxProducts)
                break;
            if (!e.key.empty())
                products.push_back(ParseLabelProduct(e.key, e.value, metrics));
        }
    if (products.empty())
        products.push_back(FullPageLabel(metrics));
    return products;
}

LabelProduct FullPageLabel(const PrinterMetrics& m)
{
    return {"", {{m.offsetX, m.offsetY, m.width, m.height, m.width, m.height, 1, 1}}};
}

std::vector<Rect> LabelRects(const LabelProduct& product, std::size_t limit)
{
    std::vector<Rect> rects;
    for (const LabelBlock& b : product.blocks)
        for (int row = 0; row < b.rows; ++row)
            for (int column = 0; column < b.columns; ++column) {
                if (rects.size() >= limit)
                    return rects;
                rects.push_back(Rect::fromSize(b.left + column * b.pitchX, b.top + row * b.pitchY, b.width, b.height));
            }
    return rects;
}

}  // namespace lv::print
