#include "info_command.h"

#include "arguments.h"
#include "colour_conversion.h"
#include "image_io.h"
#include "imagelib/dib_alloc.h"
#include "json_writer.h"

#include <cstdio>

namespace lv::tool {
namespace {

std::string_view TypeName(ImageType type)
{
    switch (type) {
    case IMG_GREY8: return "IMG_GREY8";
    case IMG_RGB24: return "IMG_RGB24";
    case IMG_PAL8: return "IMG_PAL8";
    case IMG_PAL4: return "IMG_PAL4";
    case IMG_MONO: return "IMG_MONO";
    default: return "IMG_NONE";
    }
}

}  // namespace

int RunInfo(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "info");
    const auto photoCdResolution = parsed.integer("--pcd-resolution", 0, 4);
    if (!parsed.ok() || parsed.positional().size() != 1)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("info") : parsed.error());
    ToolPicture picture = OpenPictureWithAlpha(parsed.positional()[0], photoCdResolution);
    if (picture.exitCode)
        return picture.exitCode;
    const HDIB& dib = picture.image;
    const BitmapInfoHeader& h = dib.header();

    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject()
            .key("format").value(picture.format)
            .key("width").value(h.biWidth)
            .key("height").value(h.biHeight)
            .key("bitCount").value(h.biBitCount)
            .key("clrUsed").value(h.biClrUsed)
            .key("type").value(TypeName(DibGetType(dib)))
            .key("alpha").value(bool(picture.alpha))
            .key("orientation").value(picture.storedOrientation)
            .key("dateTaken").value(picture.metadata.dateTaken)
            .key("camera").value(picture.metadata.camera)
            .key("colour_profile");
        WriteColourProfileName(json, picture.facts);
        json            .key("xPelsPerMeter").value(h.biXPelsPerMeter)
            .key("yPelsPerMeter").value(h.biYPelsPerMeter)
            .key("palette").beginArray();
        for (std::uint32_t i = 0; i < h.biClrUsed; ++i) {
            const RgbQuad& c = dib.colors()[i];
            json.beginArray().value(c.rgbRed).value(c.rgbGreen).value(c.rgbBlue).endArray();
        }
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }

    std::printf("format: %s\nwidth: %d\nheight: %d\nbitCount: %u\nclrUsed: %u\ntype: %s\n"
                "xPelsPerMeter: %d\nyPelsPerMeter: %d\nalpha: %s\n",
                picture.format.c_str(), h.biWidth, h.biHeight, unsigned(h.biBitCount), h.biClrUsed,
                std::string(TypeName(DibGetType(dib))).c_str(), h.biXPelsPerMeter, h.biYPelsPerMeter, picture.alpha ? "yes" : "no");
    std::printf("colour profile: %s\n", ColourProfileName(picture.facts).value_or("-").c_str());
    std::printf("orientation: %d\ndateTaken: %s\ncamera: %s\n", picture.storedOrientation,
                picture.metadata.dateTaken.c_str(), picture.metadata.camera.c_str());
    if (parsed.has("--palette"))
        for (std::uint32_t i = 0; i < h.biClrUsed; ++i) {
            const RgbQuad& c = dib.colors()[i];
            std::printf("%u: %u %u %u\n", i, c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    return kExitOk;
}

}  // namespace lv::tool
