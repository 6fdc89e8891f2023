#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"

namespace lv {

bool DibIsGrey(const HDIB& image)
{
    return DibGetType(image) == IMG_GREY8;
}

DibSize DibGetSize(const HDIB& image)
{
    if (!image)
        return {};
    return {std::uint16_t(image.width()), std::uint16_t(image.height())};
}

int DibGetBitCount(const HDIB& image)
{
    return image ? image.bitCount() : -1;
}

}  // namespace lv
