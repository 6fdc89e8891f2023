#include "imagelib/codecs/jpeg/jpeg_for_scaling.h"

#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/metadata/upright_step.h"

#include <algorithm>
#include <climits>

namespace lv {

OpenedImage OpenJpegForScaling(const std::string& path, int width, int height)
{
    // The orientation decides which stored side becomes the width, so it is read first.
    PhotoMetadata metadata = ReadFileMetadata(path);
    const bool turned = OrientationSwapsSides(metadata.orientation);
    // Twice the size: the bilinear step that follows then samples a picture the decoder has
    // already averaged, which keeps the result close to scaling the whole picture.
    const auto twice = [](int side) { return int(std::min<long long>(2LL * std::max(side, 1), INT_MAX)); };
    OpenedImage opened;
    opened.result = ReadJpegCovering(path, twice(turned ? height : width), twice(turned ? width : height));
    opened.format = "JPG";
    opened.metadata = ApplyKnownPhotoMetadata(opened.result, std::move(metadata));
    return opened;
}

}  // namespace lv
