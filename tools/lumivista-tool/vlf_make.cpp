#include "vlf_command.h"

#include "arguments.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "image_io.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/save_options.h"

#include <optional>
#include <sstream>

namespace lv::tool {
namespace {

constexpr std::string_view kUsage =
    "usage: vlf make OUT --size WxH [--grey] [--quality N] LAYER... with each LAYER, top first, as "
    "image=FILE[,mask=FILE][,x=N][,y=N][,opacity=N][,name=TEXT][,kind=image|mask][,hidden][,linked][,locked]";

struct LayerSpec {
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
std::optional<LayerSpec> parseSpec(const std::string& text, std::string& error)
{
    LayerSpec spec;
    std::istringstream fields(text);
    std::string field;
    while (std::getline(fields, field, ',')) {
        const auto equals = field.find('=');
        const std::string key = field.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : field.substr(equals + 1);
        const auto number = ParseInteger(value);
        if (key == "image" && !value.empty())
            spec.image = value;
        else if (key == "mask" && !value.empty())
            spec.mask = value;
        else if ((key == "x" || key == "y") && number && *number >= INT32_MIN && *number <= INT32_MAX)
            (key == "x" ? spec.x : spec.y) = std::int32_t(*number);
        else if (key == "opacity" && number && *number >= 0 && *number <= 100)
            spec.opacity = std::uint32_t(*number);
        else if (key == "name")
            spec.name = value;
        else if (key == "kind" && (value == "image" || value == "mask"))
            spec.maskLayer = value == "mask";
        else if (field == "hidden" || field == "linked" || field == "locked")
            (field == "hidden" ? spec.hidden : field == "linked" ? spec.linked : spec.locked) = true;
        else {
            error = "bad layer field \"" + field + "\" in " + text;
            return std::nullopt;
        }
    }
    if (spec.image.empty()) {
        error = "a layer needs image=FILE: " + text;
        return std::nullopt;
    }
    return spec;
}

std::optional<std::pair<int, int>> parseSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = ParseInteger(text.substr(0, x));
    const auto h = ParseInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxPictureDimension || *h > kMaxPictureDimension)
        return std::nullopt;
    return std::pair{int(*w), int(*h)};
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

int addLayer(LayerStack& stack, const LayerSpec& spec)
{
    HDIB image, mask;
    if (const int code = openLayerPicture(spec.image, image))
        return code;
    if (!spec.mask.empty()) {
        if (const int code = openLayerPicture(spec.mask, mask))
            return code;
        if (DibGetType(mask) != IMG_GREY8)
            mask = ConvertToGrey(mask);
        if (!mask || mask.width() != image.width() || mask.height() != image.height())
            return Fail(kExitUsage, "the mask " + spec.mask + " is not the size of " + spec.image);
    }
    if (stack.layerCount == 0 && stack.composite) {
        stack.composite.header().biXPelsPerMeter = image.header().biXPelsPerMeter;
        stack.composite.header().biYPelsPerMeter = image.header().biYPelsPerMeter;
    }
    const int at = stack.layerCount;
    const int result = InsertLayer(stack, image, mask, at, spec.maskLayer);
    if (result != kInsertOk)
        return Fail(kExitUsage, "cannot add " + spec.image + " as a layer (" + std::to_string(result) + ")");
    LayerRecord& record = stack.layers[std::size_t(at)];
    record.kind = spec.maskLayer ? LAYER_MASK : LAYER_IMAGE;
    record.x = spec.x.value_or(record.x);
    record.y = spec.y.value_or(record.y);
    record.opacity = spec.opacity;
    record.visible = !spec.hidden;
    record.linked = spec.linked;
    record.maskLocked = spec.locked;
    if (spec.name)
        SetLayerName(stack, at, *spec.name);
    return kExitOk;
}

}  // namespace

int RunVlfMake(Arguments args)
{
    ParsedArguments parsed(args, {"--grey"}, {"--size", "--quality"});
    const auto quality = parsed.integer("--quality", 1, 100);
    const auto size = parseSize(parsed.value("--size").value_or(""));
    if (!parsed.ok() || !size || parsed.positional().size() < 2)
        return Fail(kExitUsage, parsed.ok() ? kUsage : parsed.error());
    std::vector<LayerSpec> specs;
    for (std::size_t i = 1; i < parsed.positional().size(); ++i) {
        std::string error;
        auto spec = parseSpec(parsed.positional()[i], error);
        if (!spec)
            return Fail(kExitUsage, error);
        specs.push_back(std::move(*spec));
    }
    if (specs.size() > std::size_t(kOrdinaryLayerLimit))
        return Fail(kExitUsage, "a document holds at most " + std::to_string(kOrdinaryLayerLimit) + " layers here");

    auto stack = CreateEmptyLayerStack(size->first, size->second, parsed.has("--grey") ? 8 : 24);
    if (!stack)
        return Fail(kExitCannotWrite, "cannot make a document of that size");
    for (const LayerSpec& spec : specs)
        if (const int code = addLayer(*stack, spec))
            return code;
    CompositeLayers(*stack);
    const std::string& out = parsed.positional()[0];
    return WriteLayeredFile(out, *stack, quality.value_or(CurrentSaveOptions().jpegQuality))
               ? kExitOk
               : Fail(kExitCannotWrite, "cannot write " + out);
}

}  // namespace lv::tool
