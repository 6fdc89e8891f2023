#include "transform_command.h"

#include "arguments.h"
#include "edit/layers.h"
#include "edit/placement/layer_placement.h"
#include "edit/placement/picture_spin.h"
#include "image_io.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/save_options.h"
#include "json_writer.h"

#include <cstdio>
#include <filesystem>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("transform");
}

struct Applier {
    LayerStack& stack;
    std::uint32_t background;
    int threads;

    bool operator()(const RotateOperation& op) const { return RotateCurrentLayer(stack, op.degrees).has_value(); }
    bool operator()(const ResizeOperation& op) const { return ResizeCurrentLayer(stack, op.box).has_value(); }
    bool operator()(const MoveOperation& op) const
    {
        const auto box = CurrentLayerBox(stack);
        if (!box)
            return false;
        if (op.by.x == 0 && op.by.y == 0)
            return true;
        return MoveCurrentLayer(stack, {box->left + op.by.x, box->top + op.by.y, box->right + op.by.x,
                                        box->bottom + op.by.y})
            .has_value();
    }
    bool operator()(const FlipOperation& op) const { return FlipDocument(stack, op.horizontal); }
    bool operator()(const TurnOperation& op) const { return TurnDocument(stack, op.right); }
    bool operator()(const SpinOperation& op) const { return SpinDocument(stack, op.degrees, threads); }
    bool operator()(const SizeOperation& op) const { return ResizeDocument(stack, op.width, op.height); }
    bool operator()(const CanvasOperation& op) const
    {
        return ResizeCanvas(stack, op.width, op.height, op.anchor, background);
    }
};

std::optional<std::uint32_t> parseColour(const std::string& text)
{
    std::uint32_t colour = 0;
    std::size_t start = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const std::size_t comma = text.find(',', start);
        if ((channel < 2) != (comma != std::string::npos))
            return std::nullopt;
        const auto value = ParseIntegerInRange(text.substr(start, comma - start), 0, 255);
        if (!value)
            return std::nullopt;
        colour |= std::uint32_t(*value) << (8 * channel);
        start = comma + 1;
    }
    return colour;
}

void report(const LayerStack& stack, bool json)
{
    if (json) {
        JsonWriter out;
        out.beginObject().key("width").value(stack.width).key("height").value(stack.height).key("layers").beginArray();
        for (int i = 0; i < stack.layerCount; ++i) {
            const Rect r = GetLayerTopDownRect(stack, i).value_or(Rect{});
            const LayerRecord& layer = stack.layers[std::size_t(i)];
            out.beginObject().key("rect").beginArray().value(r.left).value(r.top).value(r.right).value(r.bottom).endArray();
            out.key("placed").value(!layer.sourceImage ? 0 : 1).endObject();
        }
        out.endArray().endObject();
        std::printf("%s\n", out.text().c_str());
        return;
    }
    std::printf("document %dx%d, %d layer(s)\n", stack.width, stack.height, stack.layerCount);
    for (int i = 0; i < stack.layerCount; ++i) {
        const Rect r = GetLayerTopDownRect(stack, i).value_or(Rect{});
        std::printf("layer %d: %d,%d,%d,%d\n", i, r.left, r.top, r.right, r.bottom);
    }
}

// A flat picture spun once needs no document: the result is the composite the document
// would have, made without its layer, mask and second picture. Null: take the document's way.
HDIB spunFlat(const std::string& in, const std::string& out, const std::vector<TransformOperation>& operations,
              int threads, int& exitCode)
{
    std::error_code error;
    if (operations.size() != 1 || !std::holds_alternative<SpinOperation>(operations[0])
        || DispatchExtension(in) == "VLF" || DispatchExtension(out) == "VLF"
        || !std::filesystem::is_regular_file(in, error))
        return nullptr;
    ToolPicture picture = OpenPicture(in);
    if (picture.exitCode) {
        exitCode = picture.exitCode;
        return nullptr;
    }
    return SpinPicture(picture.image, std::get<SpinOperation>(operations[0]).degrees, threads);
}

void reportFlat(const HDIB& picture, bool json)
{
    if (json) {
        std::printf("{\"width\":%d,\"height\":%d,\"layers\":[{\"rect\":[0,0,%d,%d],\"placed\":1}]}\n", picture.width(),
                    picture.height(), picture.width(), picture.height());
        return;
    }
    std::printf("document %dx%d, 1 layer(s)\nlayer 0: 0,0,%d,%d\n", picture.width(), picture.height(), picture.width(),
                picture.height());
}

}  // namespace

int RunTransform(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "transform");
    const auto layer = parsed.integer("--layer", 0, kMaxLayers - 1);
    const int threads = parsed.integer("--threads", 1, 64).value_or(0);
    if (!parsed.ok() || parsed.positional().size() < 3)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error() + "\n" + usageText());
    std::uint32_t background = 0xFFFFFF;
    if (const auto text = parsed.value("--background")) {
        const auto colour = parseColour(*text);
        if (!colour)
            return Fail(kExitUsage, "--background takes R,G,B from 0 to 255");
        background = *colour;
    }
    std::vector<TransformOperation> operations;
    for (std::size_t i = 2; i < parsed.positional().size(); ++i) {
        std::string error;
        auto op = ParseTransformOperation(parsed.positional()[i], error);
        if (!op)
            return Fail(kExitUsage, error);
        operations.push_back(*op);
    }

    int exitCode = kExitOk;
    if (!layer) {
        HDIB flat = spunFlat(parsed.positional()[0], parsed.positional()[1], operations, threads, exitCode);
        if (exitCode)
            return exitCode;
        if (flat) {
            reportFlat(flat, parsed.has("--json"));
            return WritePicture(flat, parsed.positional()[1], false);
        }
    }
    auto stack = OpenDocument(parsed.positional()[0], exitCode);
    if (!stack)
        return exitCode;
    if (layer && SetCurrentLayer(*stack, *layer) < 0)
        return Fail(kExitUsage, "the document has no layer " + std::to_string(*layer));
    for (std::size_t i = 0; i < operations.size(); ++i)
        if (!std::visit(Applier{*stack, background, threads}, operations[i]))
            return Fail(kExitUsage, "cannot apply " + parsed.positional()[i + 2]
                                        + " (no layer, a size of 10001 or more, or not enough memory)");
    report(*stack, parsed.has("--json"));
    return WriteDocument(*stack, parsed.positional()[1], CurrentSaveOptions().jpegQuality);
}

}  // namespace lv::tool
