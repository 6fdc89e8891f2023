#include "output/print/printer_colours.h"

#include "imagelib/colour/colour_profile.h"
#include "imagelib/colour/colour_transform.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

namespace lv::print {

HDIB InPrinterColours(const HDIB& picture, std::span<const std::uint8_t> pictureProfile,
                      std::span<const std::uint8_t> printerProfile)
{
    if (!picture || printerProfile.empty())
        return {};
    const std::vector<std::uint8_t> srgb = pictureProfile.empty() ? SrgbProfileBytes() : std::vector<std::uint8_t>();
    const auto transform = ColourTransform::Create(pictureProfile.empty() ? srgb : pictureProfile, printerProfile);
    if (!transform)
        return {};
    HDIB converted = picture.bitCount() == 24 ? DibDuplicate(picture) : DibPromoteTo24(picture);
    if (converted)
        transform->applyToPicture(converted);
    return converted;
}

}  // namespace lv::print
