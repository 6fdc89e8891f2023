#include "effect_commands.h"
#include "image_io.h"
#include "effects/enhance_and_effect.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

namespace lv::tool {

int ApplyToFile(const std::string& in, const std::string& out, const effects::OperationCall& call, int threads)
{
    ToolPicture picture = OpenPicture(in);
    if (picture.exitCode)
        return picture.exitCode;
    // Layers hold 24-bit or grey pictures; other depths are widened as a document would be.
    const ImageType type = DibGetType(picture.image);
    if (type != IMG_RGB24 && type != IMG_GREY8) {
        picture.image = DibPromoteTo24(picture.image);
        if (!picture.image)
            return Fail(kExitCannotRead, "cannot widen " + in + " to 24 bits");
    }
    HDIB result = effects::DoEnhanceAndEffect(picture.image, call.operation, call.parameters.data(),
                                              std::int32_t(call.parameters.size()), nullptr, effects::EffectOptions{threads});
    if (!result)
        return Fail(kExitCannotWrite, "the operation failed (out of memory?)");
    return WritePhoto(result, picture.metadata, out, false, picture.facts);
}

}  // namespace lv::tool
