#include "vlf_command.h"

#include "arguments.h"
#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "image_io.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/save_options.h"

#include <filesystem>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("vlf");
}

bool readable(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

int runFlatten(Arguments args, bool previewOnly)
{
    ParsedArguments parsed(args, "vlf", previewOnly ? "preview" : "flatten");
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, usageText());
    const std::string& in = parsed.positional()[0];
    if (!readable(in))
        return Fail(kExitCannotRead, "cannot open " + in);
    HDIB picture = previewOnly ? ReadLayeredPreview(in) : ReadLayeredFlattened(in).take();
    if (!picture)
        return Fail(kExitCannotRead, "cannot read " + in + " as a layered document");
    return WritePicture(picture, parsed.positional()[1], false);
}

int runMerge(Arguments args)
{
    ParsedArguments parsed(args, "vlf", "merge");
    const auto quality = parsed.integer("--quality", 1, 100);
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, parsed.ok() ? usageText() : parsed.error());
    const std::string& in = parsed.positional()[0];
    auto stack = readable(in) ? ReadLayeredFile(in) : nullptr;
    if (!stack)
        return Fail(kExitCannotRead, "cannot read " + in + " as a layered document");
    if (!MergeLinkedLayers(*stack, true))
        return Fail(kExitUsage, "nothing to merge: " + in + " has no linked layer that can be merged");
    CompositeLayers(*stack);
    return WriteDocument(*stack, parsed.positional()[1], quality.value_or(CurrentSaveOptions().jpegQuality));
}

// A layer's own picture and mask (not the composite), so scripts can see what a tool did to it.
int runExtract(Arguments args)
{
    ParsedArguments parsed(args, "vlf", "extract");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() < 3 || p.size() > 4)
        return Fail(kExitUsage, usageText());
    const auto index = ParseIntegerInRange(p[1], 0, kMaxLayers - 1);
    if (!index)
        return Fail(kExitUsage, "N must be a layer number from 0 to 31");
    int exitCode = kExitOk;
    auto stack = OpenDocument(p[0], exitCode);
    if (!stack)
        return exitCode;
    if (!IsLayerIndex(*stack, *index))
        return Fail(kExitUsage, p[0] + " has no layer " + p[1]);
    const LayerRecord& layer = stack->layers[std::size_t(*index)];
    HDIB image = CopyPicture(layer.image.read());
    if (const int code = WritePicture(image, p[2], false))
        return code;
    if (p.size() < 4)
        return kExitOk;
    HDIB mask = CopyPicture(layer.mask.read());
    return WritePicture(mask, p[3], false);
}

}  // namespace

int RunVlf(std::string_view, Arguments args)
{
    if (args.empty())
        return Fail(kExitUsage, usageText());
    const std::string& sub = args[0];
    const Arguments rest = args.subspan(1);
    if (sub == "info")
        return RunVlfInfo(rest);
    if (sub == "flatten" || sub == "preview")
        return runFlatten(rest, sub == "preview");
    if (sub == "make")
        return RunVlfMake(rest);
    if (sub == "merge")
        return runMerge(rest);
    if (sub == "extract")
        return runExtract(rest);
    return Fail(kExitUsage, "unknown vlf command " + sub + " (" + usageText() + ")");
}

}  // namespace lv::tool
