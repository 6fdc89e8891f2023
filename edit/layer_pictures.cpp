#include "edit/layer_pictures.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

#include <array>
#include <cstring>

namespace lv {
namespace {

HDIB allocateGrey(int width, int height)
{
    HDIB picture = AllocatePicture(width, height, 8, 256);
    if (picture)
        FillGreyRamp(picture.colors(), 256);
    return picture;
}

}  // namespace

HDIB MakeGreyFilled(int width, int height, std::uint8_t value)
{
    HDIB picture = allocateGrey(width, height);
    if (picture)
        for (int y = 0; y < height; ++y)
            std::memset(picture.row(y), value, std::size_t(width));
    return picture;
}

bool HasExactGreyTable(const HDIB& picture)
{
    if (!picture || picture.bitCount() != 8 || picture.clrUsed() != 256)
        return false;
    const RgbQuad* table = picture.colors();
    for (int i = 0; i < 256; ++i)
        if (table[i].rgbBlue != i || table[i].rgbGreen != i || table[i].rgbRed != i || table[i].rgbReserved != 0)
            return false;
    return true;
}

HDIB ConvertToGrey(const HDIB& picture)
{
    if (!picture)
        return {};
    if (picture.bitCount() != 24 && picture.bitCount() != 8) {
        const HDIB wide = DibPromoteTo24(picture);
        return wide ? ConvertToGrey(wide) : HDIB{};
    }
    const int width = picture.width();
    const int height = picture.height();
    HDIB grey = allocateGrey(width, height);
    if (!grey)
        return {};
    grey.header().biXPelsPerMeter = picture.header().biXPelsPerMeter;
    grey.header().biYPelsPerMeter = picture.header().biYPelsPerMeter;
    if (picture.bitCount() == 24) {
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* in = picture.row(y);
            std::uint8_t* out = grey.row(y);
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = GreyValue(in[2], in[1], in[0]);
        }
        return grey;
    }
    std::array<std::uint8_t, 256> lut{};
    const std::uint32_t entries = std::min<std::uint32_t>(picture.clrUsed(), 256);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const RgbQuad& c = picture.colors()[i];
        lut[i] = GreyValue(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = picture.row(y);
        std::uint8_t* out = grey.row(y);
        for (int x = 0; x < width; ++x)
            out[x] = lut[in[x]];
    }
    return grey;
}

bool HasLayerDepth(const HDIB& picture, bool grey)
{
    return grey ? DibGetType(picture) == IMG_GREY8 : picture && picture.bitCount() == 24;
}

HDIB ConvertLayerDepth(const HDIB& picture, bool grey)
{
    return grey ? ConvertToGrey(picture) : DibPromoteTo24(picture);
}

HDIB MakeComposite(int width, int height, int bitCount)
{
    return bitCount == 8 ? allocateGrey(width, height) : AllocatePicture(width, height, 24, 0);
}

HDIB MakeCompositeLike(const HDIB& old, int width, int height, int bitCount)
{
    HDIB composite = MakeComposite(width, height, bitCount);
    if (composite && old) {
        composite.header().biXPelsPerMeter = old.header().biXPelsPerMeter;
        composite.header().biYPelsPerMeter = old.header().biYPelsPerMeter;
    }
    return composite;
}

}  // namespace lv
