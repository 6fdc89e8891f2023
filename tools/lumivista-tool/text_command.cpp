#include "text_command.h"

#include "common/program_paths.h"
#include "arguments.h"
#include "edit/layers.h"
#include "edit/text_layer/drop_shadow.h"
#include "edit/text_layer/text_layer.h"
#include "image_io.h"
#include "imagelib/dib_convert.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/save_options.h"

#include <sstream>
#include <vector>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("text");
}

// Comma-separated whole numbers, exactly `count` of them, each within [low, high].
std::optional<std::vector<int>> numberList(const std::string& text, std::size_t count, int low, int high)
{
    std::vector<int> numbers;
    std::istringstream fields(text);
    std::string field;
    while (std::getline(fields, field, ',')) {
        const auto number = ParseIntegerInRange(field, low, high);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    if (numbers.size() != count || (!text.empty() && text.back() == ','))
        return std::nullopt;
    return numbers;
}

// The bottom layer: the background picture scaled to the size, or white.
int openBackground(const std::optional<std::string>& path, Size size, HDIB& picture)
{
    if (!path) {
        picture = DibCreate(size.width, size.height, 0xFFFFFF, false);
        return picture ? kExitOk : Fail(kExitCannotWrite, "no memory for a picture of that size");
    }
    ToolPicture opened = OpenPicture(*path);
    if (opened.exitCode)
        return opened.exitCode;
    HDIB flat = opened.image.bitCount() == 8 || opened.image.bitCount() == 24 ? std::move(opened.image)
                                                                              : DibPromoteTo24(opened.image);
    if (flat && (flat.width() != size.width || flat.height() != size.height))
        flat = DibResize(flat, size.width, size.height);
    if (!flat)
        return Fail(kExitCannotRead, "cannot use " + *path + " as the background");
    picture = std::move(flat);
    return kExitOk;
}

std::unique_ptr<FontLibrary> openFonts()
{
    return FontLibrary::Open(ProgramFile("fonts.conf"));
}

}  // namespace

int RunText(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "text");
    const auto px = parsed.value("--px") ? parsed.integer("--px", 1, 2000) : std::optional<int>(32);
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 1 || !parsed.value("--size") || !parsed.value("--text") || !px)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error() + "\n" + usageText());

    const std::string sizeText = *parsed.value("--size");
    const auto x = sizeText.find('x');
    const auto size = x == std::string::npos ? std::nullopt
                                             : ParsePictureSize(sizeText.substr(0, x), sizeText.substr(x + 1));
    if (!size)
        return Fail(kExitUsage, "--size must be WxH, each from 1 to 65535");
    const auto colour = numberList(parsed.value("--color").value_or("0,0,0"), 3, 0, 255);
    if (!colour)
        return Fail(kExitUsage, "--color must be R,G,B, each from 0 to 255");
    const auto at = numberList(parsed.value("--at").value_or("0,0"), 2, -65535, 65535);
    if (!at)
        return Fail(kExitUsage, "--at must be X,Y (whole numbers)");
    std::optional<std::vector<int>> shadow;
    if (const auto text = parsed.value("--shadow")) {
        shadow = numberList(*text, 4, -65535, 65535);
        if (!shadow || (*shadow)[0] < 0 || (*shadow)[0] > kMaxShadowRadius || (*shadow)[1] < 0 || (*shadow)[1] > 100)
            return Fail(kExitUsage, "--shadow must be R,P,DX,DY with R from 0 to 100 and P from 0 to 100");
    }

    TextLayerSettings settings;
    settings.text = *parsed.value("--text");
    settings.font.height = -*px;
    settings.font.weight = parsed.has("--bold") ? 700 : 400;
    settings.font.italic = parsed.has("--italic") ? 1 : 0;
    settings.font.faceName = parsed.value("--font").value_or("Arial");
    settings.style.smoothEdges = parsed.has("--smooth");
    settings.colour = std::uint32_t((*colour)[0]) | std::uint32_t((*colour)[1]) << 8 | std::uint32_t((*colour)[2]) << 16;
    settings.left = (*at)[0];
    settings.top = (*at)[1];
    if (settings.text.size() > TextLayerSettings::kMaxTextBytes)
        return Fail(kExitUsage, "--text is longer than 1023 bytes");

    HDIB background;
    if (const int code = openBackground(parsed.value("--background"), *size, background))
        return code;
    auto stack = CreateLayerStackFromImage(std::move(background));
    auto fonts = openFonts();
    if (!stack)
        return Fail(kExitCannotWrite, "no memory for the document");
    if (!fonts)
        return Fail(kExitCannotRead, "cannot read the program's font configuration " + ProgramFile("fonts.conf").string());

    switch (CreateOrUpdateTextLayer(stack.get(), *fonts, settings, false)) {
    case kTextLayerOk: break;
    case kTextLayerRefused: return Fail(kExitUsage, "the text draws nothing");
    case kTextLayerRenderFailed: return Fail(kExitUsage, "no font for \"" + settings.font.faceName + "\"");
    default: return Fail(kExitCannotWrite, "no memory for the text layer");
    }
    if (shadow && !AddDropShadow(*stack, {(*shadow)[0], (*shadow)[1], (*shadow)[2], (*shadow)[3]}))
        return Fail(kExitCannotWrite, "cannot add the drop shadow");
    return WriteDocument(*stack, p[0], CurrentSaveOptions().jpegQuality);
}

}  // namespace lv::tool
