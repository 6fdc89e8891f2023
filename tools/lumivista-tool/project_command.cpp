#include "projects_commands.h"

#include "arguments.h"
#include "edit/layers.h"
#include "image_io.h"
#include "imagelib/codecs/save_options.h"
#include "projects/placeholders.h"

#include <cstdio>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("project");
}

int drop(Arguments args)
{
    ParsedArguments parsed(args, "project", "drop");
    const auto layer = parsed.integer("--layer", 0, kMaxLayers - 1);
    if (!parsed.ok() || parsed.positional().size() != 3 || !layer)
        return Fail(kExitUsage, (parsed.ok() ? std::string() : parsed.error() + "\n") + usageText());
    const std::string& templatePath = parsed.positional()[0];
    int exitCode = kExitOk;
    auto stack = OpenDocument(templatePath, exitCode);
    if (!stack)
        return exitCode;
    if (SetCurrentLayer(*stack, *layer) < 0)
        return Fail(kExitUsage, "the document has no layer " + std::to_string(*layer));
    // Why a photo could not be dropped has gone to stderr already.
    if (!DropPhoto(*stack, parsed.positional()[2], templatePath).dropped)
        return Fail(kExitCannotRead, "cannot drop " + parsed.positional()[2] + "; nothing written");
    const LayerRecord& placed = stack->layers[std::size_t(*layer)];
    std::printf("layer %d: %d,%d,%d,%d\n", *layer, placed.x, stack->height - placed.y - placed.image.height(),
                placed.x + placed.image.width(), stack->height - placed.y);
    return WriteDocument(*stack, parsed.positional()[1], CurrentSaveOptions().jpegQuality);
}

}  // namespace

int RunProject(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "drop")
        return drop(args.subspan(1));
    return Fail(kExitUsage, usageText());
}

}  // namespace lv::tool
