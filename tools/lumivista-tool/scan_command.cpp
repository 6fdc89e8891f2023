// lumivista-tool scan: a scan through the program's source manager, without its dialog.

#include "acquire/scan_without_dialog.h"
#include "common/program_paths.h"
#include "arguments.h"
#include "image_io.h"
#include "scan_capture_commands.h"

namespace lv::tool {

int RunScan(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "scan");
    const auto& p = parsed.positional();
    const auto dpi = parsed.value("--resolution") ? parsed.integer("--resolution", 1, 19200) : std::optional<int>(0);
    if (!parsed.ok() || p.size() != 1 || !dpi)
        return Fail(kExitUsage, FormUsage("scan"));
    twain::ScanRequest request;
    request.device = parsed.value("--device").value_or("");
    request.dotsPerInch = *dpi;
    request.memoryTransfer = parsed.has("--memory");
    if (const auto mode = parsed.value("--mode")) {
        if (*mode == "color")
            request.pixelType = twain::TWPT_RGB;
        else if (*mode == "gray")
            request.pixelType = twain::TWPT_GRAY;
        else if (*mode == "lineart")
            request.pixelType = twain::TWPT_BW;
        else
            return Fail(kExitUsage, "--mode is color, gray or lineart");
    }
    twain::SourceManagerFile library(ProgramFile(twain::kSourceManagerFile));
    twain::ScanOutcome outcome = twain::ScanWithoutDialog(library, request);
    if (!outcome.picture)
        return Fail(kExitCannotRead, outcome.error);
    return WritePicture(outcome.picture, p[0], false);
}

}  // namespace lv::tool
