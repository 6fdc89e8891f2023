#include "app/core/documents/new_picture.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "edit/layer_pictures.h"
#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace lv {
namespace {

constexpr double kInchesPerCentimetre = 0.39370078740157477;
constexpr double kMetresPerInchInverse = 39.370078740157474;
constexpr int kPixelWordString = 140;

// "%.3f" without the locale's decimal comma: these values are stored with "," as separator.
std::string threeDecimals(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr);
}

std::string integerText(double value)
{
    return std::to_string(int(value));
}

std::string_view storedUnitWord(SizeUnit unit)
{
    switch (unit) {
    case SizeUnit::Inch: return "Inch";
    case SizeUnit::Centimetre: return "Cm";
    default: return "Pixel";
    }
}

std::optional<double> parseNumber(std::string_view field)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    double value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (result.ec != std::errc() || result.ptr != field.data() + field.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string key(int n)
{
    return "size" + std::to_string(n);
}

}  // namespace

int LengthInPixels(double length, SizeUnit unit, int dpi)
{
    double pixels = length;
    if (unit == SizeUnit::Inch)
        pixels = length * dpi;
    else if (unit == SizeUnit::Centimetre)
        pixels = length * dpi * kInchesPerCentimetre;
    if (!(pixels < double(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return pixels <= 0 ? 0 : int(std::lround(pixels));
}

double LengthInUnit(int pixels, SizeUnit unit, int dpi)
{
    const double d = std::max(dpi, 1);
    if (unit == SizeUnit::Inch)
        return pixels / d;
    if (unit == SizeUnit::Centimetre)
        return pixels / (d * kInchesPerCentimetre);
    return pixels;
}

double ConvertLength(double length, SizeUnit from, SizeUnit to, int dpi)
{
    if (to == SizeUnit::Pixel)
        return LengthInPixels(length, from, dpi);
    const double d = std::max(dpi, 1);
    double pixels = length;
    if (from == SizeUnit::Inch)
        pixels = length * d;
    else if (from == SizeUnit::Centimetre)
        pixels = length * d * kInchesPerCentimetre;
    return to == SizeUnit::Inch ? pixels / d : pixels / (d * kInchesPerCentimetre);
}

int UnitDecimals(SizeUnit unit)
{
    return unit == SizeUnit::Pixel ? 0 : 2;
}

std::string LengthText(double length, SizeUnit unit)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, length, std::chars_format::fixed, UnitDecimals(unit));
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string PictureTooLargeText(SizeUnit unit, int dpi)
{
    const std::string word(LoadString(kPixelWordString + int(unit) - 1));
    const double largest = unit == SizeUnit::Pixel ? kLargestNewSide : LengthInUnit(kLargestNewSide, unit, dpi);
    // Shown with the unit's decimals, never above what is allowed.
    const double factor = unit == SizeUnit::Pixel ? 1 : 100;
    return std::string(LoadString(kPictureTooLargeString)) + "\nLargura e altura até "
           + LengthText(std::floor(largest * factor) / factor, unit) + " " + word + ".";
}

std::optional<NewPictureRequest> CheckNewPictureSize(NewPictureRequest request)
{
    request.width = std::max(request.width, 1);
    request.height = std::max(request.height, 1);
    if (request.width > kLargestNewSide || request.height > kLargestNewSide) {
        ui::Current().showMessage(PictureTooLargeText(request.unit, request.dpi), ui::kWarningTitle, ui::Icon::Exclamation);
        return std::nullopt;
    }
    return request;
}

HDIB MakeNewPicture(const NewPictureRequest& request, RgbTriple background, bool grey)
{
    HDIB picture = grey ? MakeGreyFilled(request.width, request.height, background.red)
                        : AllocatePicture(request.width, request.height, 24, 0);
    if (!picture)
        return picture;
    const auto ppm = std::int32_t(std::lround(request.dpi * kMetresPerInchInverse));
    picture.header().biXPelsPerMeter = ppm;
    picture.header().biYPelsPerMeter = ppm;
    if (grey)
        return picture;
    std::uint8_t* first = picture.row(0);
    for (int x = 0; x < picture.width(); ++x) {
        first[3 * x] = background.blue;
        first[3 * x + 1] = background.green;
        first[3 * x + 2] = background.red;
    }
    for (int y = 1; y < picture.height(); ++y)
        std::memcpy(picture.row(y), first, picture.stride());
    return picture;
}

std::string StoredSizeText(const PictureSize& size)
{
    if (size.unit == SizeUnit::Pixel)
        return integerText(size.width) + "," + integerText(size.height) + ",Pixel";
    return threeDecimals(size.width) + "," + threeDecimals(size.height) + "," + std::string(storedUnitWord(size.unit));
}

std::optional<PictureSize> ParseStoredSize(std::string_view text)
{
    const auto first = text.find(',');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = text.find(',', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto width = parseNumber(text.substr(0, first));
    const auto height = parseNumber(text.substr(first + 1, second - first - 1));
    const std::string_view unitField = text.substr(second + 1);
    if (!width || !height || unitField.empty())
        return std::nullopt;
    SizeUnit unit;
    switch (unitField.front()) {
    case 'C': unit = SizeUnit::Centimetre; break;
    case 'I': unit = SizeUnit::Inch; break;
    case 'P': unit = SizeUnit::Pixel; break;
    default: return std::nullopt;
    }
    return PictureSize{*width, *height, unit};
}

std::string SizeListText(const PictureSize& size)
{
    const std::string word(LoadString(kPixelWordString + int(size.unit) - 1));
    return LengthText(size.width, size.unit) + " x " + LengthText(size.height, size.unit) + " " + word;
}

PictureSize RememberedSize(const NewPictureRequest& request)
{
    return {LengthInUnit(request.width, request.unit, request.dpi),
            LengthInUnit(request.height, request.unit, request.dpi), request.unit};
}

std::vector<PictureSize> RecentSizes::read() const
{
    std::vector<PictureSize> sizes;
    for (int n = 0; n < kCount; ++n)
        if (const auto value = store_.read(kRecentSizesSection, key(n)))
            if (const auto size = ParseStoredSize(*value))
                sizes.push_back(*size);
    return sizes;
}

bool RecentSizes::remember(const PictureSize& size)
{
    const std::string entry = StoredSizeText(size);
    std::vector<std::string> values{entry};
    for (int n = 0; n < kCount; ++n) {
        const auto value = store_.read(kRecentSizesSection, key(n));
        if (!value || value->empty())
            continue;
        const auto parsed = ParseStoredSize(*value);
        if (!parsed || StoredSizeText(*parsed) != entry)
            values.push_back(*value);
    }
    values.resize(std::min<std::size_t>(values.size(), kCount));
    for (std::size_t n = 0; n < values.size(); ++n)
        if (!store_.write(kRecentSizesSection, key(int(n)), values[n]))
            return false;
    return true;
}

}  // namespace lv
