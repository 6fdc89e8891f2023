#include "vlf_command.h"

#include "arguments.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "image_io.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/save_options.h"

#include <optional>
#include <sstream>

namespace lv::tool {
namespace {

std::string usageText()
{
    return FormUsage("vlf", "make");
}

struct LayerArgument {
    std::string image;
    std::string mask;
    std::optional<std::int32_t> x, y;
    std::uint32_t opacity = 100;
    std::optional<std::string> name;
    bool maskLayer = false;
    bool hidden = false;
    bool linked = false;
    bool locked = false;
};

// Parses one LAYER argument; sets `error` when it is not understood.
std::optional<LayerArgument> parseLayerArgument(const std::string& text, std::string& error)
{
    LayerArgument layer;
    std::istringstream fields(text);
    std::string field;
    while (std::getline(fields, field, ',')) {
        const auto equals = field.find('=');
        const std::string key = field.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : field.substr(equals + 1);
        const auto number = ParseInteger(value);
        if (key == "image" && !value.empty())
            layer.image = value;
        else if (key == "mask" && !value.empty())
            layer.mask = value;
        else if ((key == "x" || key == "y") && number && *number >= INT32_MIN && *number <= INT32_MAX)
            (key == "x" ? layer.x : layer.y) = std::int32_t(*number);
        else if (key == "opacity" && number && *number >= 0 && *number <= 100)
            layer.opacity = std::uint32_t(*number);
        else if (key == "name")
            layer.name = value;
        else if (key == "kind" && (value == "image" || value == "mask"))
            layer.maskLayer = value == "mask";
        else if (field == "hidden" || field == "linked" || field == "locked")
            (field == "hidden" ? layer.hidden : field == "linked" ? layer.linked : layer.locked) = true;
        else {
            error = "bad layer field \"" + field + "\" in " + text;
            return std::nullopt;
        }
    }
    if (layer.image.empty()) {
        error = "a layer needs image=FILE: " + text;
        return std::nullopt;
    }
    return layer;
}

// "WxH".
std::optional<Size> parseSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    return ParsePictureSize(text.substr(0, x), text.substr(x + 1));
}

// Opens a picture as a layer can take it: 8 or 24 bits.
int openLayerPicture(const std::string& path, HDIB& picture)
{
    ToolPicture opened = OpenPicture(path);
    if (opened.exitCode)
        return opened.exitCode;
    const int bits = opened.image.bitCount();
    picture = bits == 8 || bits == 24 ? std::move(opened.image) : DibPromoteTo24(opened.image);
    return picture ? kExitOk : Fail(kExitCannotRead, "cannot convert " + path);
}

int addLayer(LayerStack& stack, const LayerArgument& layer)
{
    HDIB image, mask;
    if (const int code = openLayerPicture(layer.image, image))
        return code;
    if (!layer.mask.empty()) {
        if (const int code = openLayerPicture(layer.mask, mask))
            return code;
        if (DibGetType(mask) != IMG_GREY8)
            mask = ConvertToGrey(mask);
        if (!mask || mask.width() != image.width() || mask.height() != image.height())
            return Fail(kExitUsage, "the mask " + layer.mask + " is not the size of " + layer.image);
    }
    if (stack.layerCount == 0 && stack.composite) {
        stack.composite.header().biXPelsPerMeter = image.header().biXPelsPerMeter;
        stack.composite.header().biYPelsPerMeter = image.header().biYPelsPerMeter;
    }
    const int at = stack.layerCount;
    const int result = InsertLayer(stack, image, mask, at, layer.maskLayer);
    if (result != kInsertOk)
        return Fail(kExitUsage, "cannot add " + layer.image + " as a layer (" + std::to_string(result) + ")");
    LayerRecord& record = stack.layers[std::size_t(at)];
    record.kind = layer.maskLayer ? LAYER_MASK : LAYER_IMAGE;
    record.x = layer.x.value_or(record.x);
    record.y = layer.y.value_or(record.y);
    record.opacity = layer.opacity;
    record.visible = !layer.hidden;
    record.linked = layer.linked;
    record.maskLocked = layer.locked;
    if (layer.name)
        SetLayerName(stack, at, *layer.name);
    return kExitOk;
}

}  // namespace

int RunVlfMake(Arguments args)
{
    ParsedArguments parsed(args, "vlf", "make");
    const auto quality = parsed.integer("--quality", 1, 100);
    const auto size = parseSize(parsed.value("--size").value_or(""));
    if (!parsed.ok() || !size || parsed.positional().size() < 2)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error());
    std::vector<LayerArgument> layers;
    for (std::size_t i = 1; i < parsed.positional().size(); ++i) {
        std::string error;
        auto layer = parseLayerArgument(parsed.positional()[i], error);
        if (!layer)
            return Fail(kExitUsage, error);
        layers.push_back(std::move(*layer));
    }
    if (layers.size() > std::size_t(kOrdinaryLayerLimit))
        return Fail(kExitUsage, "a document holds at most " + std::to_string(kOrdinaryLayerLimit) + " layers here");

    auto stack = CreateEmptyLayerStack(size->width, size->height, parsed.has("--grey") ? 8 : 24);
    if (!stack)
        return Fail(kExitCannotWrite, "cannot make a document of that size");
    for (const LayerArgument& layer : layers)
        if (const int code = addLayer(*stack, layer))
            return code;
    CompositeLayers(*stack);
    const std::string& out = parsed.positional()[0];
    FileFailure failure;
    return WriteLayeredFile(out, *stack, quality.value_or(CurrentSaveOptions().jpegQuality), &failure)
               ? kExitOk
               : CannotWrite(failure, out);
}

}  // namespace lv::tool
