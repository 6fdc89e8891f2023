#include "colour_conversion.h"

#include "command.h"
#include "imagelib/colour/colour_profile.h"
#include "imagelib/colour/colour_transform.h"
#include "imagelib/dib_convert.h"

namespace lv::tool {

std::optional<std::string> ColourProfileName(const PictureFacts& facts)
{
    if (facts.iccProfile.empty())
        return std::nullopt;
    return ColourProfileDescription(facts.iccProfile).value_or("(unreadable)");
}

void WriteColourProfileName(JsonWriter& json, const PictureFacts& facts)
{
    if (const auto name = ColourProfileName(facts))
        json.value(*name);
    else
        json.null();
}

int ConvertToSrgb(ToolPicture& picture, const std::string& path)
{
    if (!picture.facts.iccProfile.empty()) {
        const auto transform = ColourTransform::Create(picture.facts.iccProfile);
        if (!transform)
            return Fail(kExitCannotRead, "cannot use the colour profile of " + path);
        if (picture.image.bitCount() != 24) {
            HDIB wide = DibPromoteTo24(picture.image);
            if (!wide)
                return Fail(kExitCannotRead, "cannot widen the picture of " + path);
            picture.image = std::move(wide);
        }
        transform->applyToPicture(picture.image);
    }
    // An RGB profile means nothing to a grey or palette file.
    if (picture.image.bitCount() == 24)
        picture.facts.iccProfile = SrgbProfileBytes();
    return kExitOk;
}

}  // namespace lv::tool
