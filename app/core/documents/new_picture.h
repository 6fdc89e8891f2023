#pragma once
// The New command: a blank picture of a size given in pixels, inches or centimetres at a
// resolution, and the "Recent Sizes" list it remembers in the configuration file.

#include "app/core/view/rgb_triple.h"
#include "common/settings_store.h"
#include "imagelib/dib.h"

#include <optional>
#include <string>
#include <vector>

namespace lv {

enum class SizeUnit { Pixel = 1, Inch = 2, Centimetre = 3 };

inline constexpr int kLargestNewSide = 10000;  // 10001 pixels or more is refused
inline constexpr int kPictureTooLargeString = 2348;

struct PictureSize {
    double width = 0;
    double height = 0;
    SizeUnit unit = SizeUnit::Pixel;
    bool operator==(const PictureSize&) const = default;
};

// Pixels for a length in the unit at `dpi`, rounded.
int LengthInPixels(double length, SizeUnit unit, int dpi);
// A pixel count expressed in the unit at `dpi` (pixels as they are).
double LengthInUnit(int pixels, SizeUnit unit, int dpi);
// A length in one unit expressed in another at `dpi`: whole when it becomes pixels, exact
// between inches and centimetres.
double ConvertLength(double length, SizeUnit from, SizeUnit to, int dpi);
// The decimals a length shows with: none for pixels, two for inches and centimetres.
int UnitDecimals(SizeUnit unit);

struct NewPictureRequest {
    int width = 0;   // pixels
    int height = 0;  // pixels
    int dpi = 200;
    SizeUnit unit = SizeUnit::Pixel;  // the unit the user chose, for the recent list
};

// Raises both sides to at least 1; shows string 2348, with the largest side in the request's
// unit on a second line, and gives nothing when a side is 10001 or more.
std::optional<NewPictureRequest> CheckNewPictureSize(NewPictureRequest request);
// That message.
std::string PictureTooLargeText(SizeUnit unit, int dpi);

// The 24-bit picture filled with `background`, its resolution the dpi's; null when memory
// runs out (already reported). With `grey`, 8-bit grey filled with the red component.
HDIB MakeNewPicture(const NewPictureRequest& request, RgbTriple background, bool grey = false);

// The sizes used last, most recent first, at most ten: keys "size0".."size9" of section
// "Recent Sizes".
class RecentSizes {
public:
    static constexpr int kCount = 10;

    explicit RecentSizes(SettingsStore& store)
        : store_(store)
    {
    }

    // The readable entries in order; entries whose fields don't parse are skipped.
    std::vector<PictureSize> read() const;
    // Puts the size first, dropping an identical earlier entry; false when a write failed.
    bool remember(const PictureSize& size);

private:
    SettingsStore& store_;
};

// The stored text: "%d,%d,Pixel", "%.3f,%.3f,Inch" or "%.3f,%.3f,Cm".
std::string StoredSizeText(const PictureSize& size);
std::optional<PictureSize> ParseStoredSize(std::string_view text);
// The list's text: "640 x 480 Pixel", or "4,00 x 6,50 Polegada" with a decimal comma, with
// unit word 140, 141 or 142.
std::string SizeListText(const PictureSize& size);
// A length as the program shows it: the unit's decimals with a decimal comma.
std::string LengthText(double length, SizeUnit unit);

// The size remembered for a request: pixels as given, inches or centimetres at its dpi.
PictureSize RememberedSize(const NewPictureRequest& request);

inline constexpr std::string_view kRecentSizesSection = "Recent Sizes";

}  // namespace lv
