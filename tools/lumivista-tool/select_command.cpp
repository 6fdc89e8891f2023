#include "select_command.h"

#include "arguments.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/selection/magic_wand.h"
#include "edit/selection/selection_content.h"
#include "edit/selection/selection_mask.h"
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
    return CommandUsage("select");
}

// Runs one operation as the selection tools do.
bool apply(LayerStack& stack, const SelectOperation& op)
{
    if (const auto* wand = std::get_if<WandOperation>(&op.shape)) {
        WandSettings settings;
        settings.contiguous = !wand->global;
        settings.tolerance = wand->tolerance;
        settings.combine = op.mode;
        return MagicWandClick(stack, wand->point, settings);
    }
    std::optional<SelectionRegion> region;
    if (const auto* r = std::get_if<RectangleOperation>(&op.shape))
        region = RectangleRegion(r->rect);
    else if (const auto* e = std::get_if<EllipseOperation>(&op.shape))
        region = EllipseRegion(e->rect);
    else
        region = PolygonRegion(std::get<PolygonOperation>(op.shape).points);
    if (!region)
        return false;
    ChangeSelection(stack, std::move(*region), op.mode, kUndoShapeSelection);
    return true;
}

// White where selected, black elsewhere, the document's size.
int writeMask(const LayerStack& stack, const std::string& path)
{
    HDIB picture = MakeGreyFilled(stack.width, stack.height, 0);
    if (!picture)
        return Fail(kExitCannotWrite, "not enough memory for " + path);
    if (stack.selectionActive) {
        const Rect& r = stack.selectionRect;
        for (int y = r.top; y < r.bottom; ++y) {
            std::uint8_t* row = picture.row(stack.height - 1 - y);
            for (int x = r.left; x < r.right; ++x)
                if (SelectionContains(stack, {x, y}))
                    row[x] = 255;
        }
    }
    return WritePicture(picture, path, false);
}

void report(const LayerStack& stack, bool json)
{
    const Rect& r = stack.selectionRect;
    if (json) {
        JsonWriter out;
        out.beginObject().key("active").value(stack.selectionActive).key("rect");
        if (stack.selectionActive)
            out.beginArray().value(r.left).value(r.top).value(r.right).value(r.bottom).endArray();
        else
            out.null();
        out.key("selected").value(SelectedPixelCount(stack)).endObject();
        std::printf("%s\n", out.text().c_str());
        return;
    }
    if (stack.selectionActive)
        std::printf("active %u rect %d,%d,%d,%d selected %lld\n", unsigned(stack.selectionActive), r.left, r.top,
                    r.right, r.bottom, static_cast<long long>(SelectedPixelCount(stack)));
    else
        std::printf("active 0 (nothing selected)\n");
}

}  // namespace

int RunSelect(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "select");
    const auto layer = parsed.integer("--layer", 0, kMaxLayers - 1);
    if (!parsed.ok() || parsed.positional().size() < 2)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error() + "\n" + usageText());
    const auto applied = parsed.value("--apply");
    if (applied && *applied != "crop" && *applied != "delete")
        return Fail(kExitUsage, "--apply takes crop or delete");
    const auto operations = ParseOperationWords(parsed.positional(), 1, ParseSelectOperation);
    if (!operations)
        return kExitUsage;

    int exitCode = kExitOk;
    auto stack = OpenDocument(parsed.positional()[0], exitCode);
    if (!stack)
        return exitCode;
    if (layer) {
        if (SetCurrentLayer(*stack, *layer) < 0)
            return Fail(kExitUsage, "the document has no layer " + std::to_string(*layer));
    }
    for (const SelectOperation& op : *operations)
        if (!apply(*stack, op))
            return Fail(kExitUsage, "the current layer cannot be selected from (its depth, or no layer)");

    if (const auto mask = parsed.value("--mask"))
        if (const int code = writeMask(*stack, *mask))
            return code;
    if (applied) {
        const bool crop = *applied == "crop";
        const bool done = crop ? CropToSelection(*stack) : DeleteSelectionContent(*stack).has_value();
        if (!done)
            return Fail(kExitUsage, std::string("nothing selected to ") + (crop ? "crop to" : "delete"));
        CompositeLayers(*stack);
    }
    report(*stack, parsed.has("--json"));
    if (const auto out = parsed.value("--out"))
        return WriteDocument(*stack, *out, CurrentSaveOptions().jpegQuality);
    return kExitOk;
}

}  // namespace lv::tool
