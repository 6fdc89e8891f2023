// "print single": one picture on a page, as the single picture page prints it.

#include "arguments.h"
#include "image_io.h"
#include "print_command.h"

#include "output/print/print_calibration_store.h"
#include "output/print/single_picture.h"

#include <filesystem>

namespace lv::tool {

int RunPrintSingle(Arguments args)
{
    ParsedArguments parsed(args, "print", "single");
    const std::optional<int> points = parsed.integer("--points", 4, 400);
    if (!parsed.ok() || parsed.positional().size() != 1 || !parsed.value("--pdf"))
        return Fail(kExitUsage, parsed.ok() ? FormUsage("print", "single")
                                            : parsed.error());
    const std::string& in = parsed.positional()[0];
    ToolPicture picture = OpenPicture(in);
    if (picture.exitCode)
        return picture.exitCode;

    print::SinglePictureOptions options;
    options.frame = parsed.has("--frame");
    if (const auto text = parsed.value("--text")) {
        options.text = true;
        options.content = *text;
    }
    options.points = points.value_or(options.points);
    options.colourProfile = picture.facts.iccProfile;
    std::vector<std::uint8_t> printerProfile;
    if (const int failed = PrinterProfileOption(parsed, printerProfile))
        return failed;
    print::SetPrintCalibrationEnabled(parsed.has("--calibrate"));

    const std::string out = *parsed.value("--pdf");
    const auto printer = OpenPdfJob(out, parsed.value("--paper"), std::move(printerProfile));
    if (!printer)
        return kExitUsage;
    const bool printed = print::PrintSinglePicture(
        *printer, picture.image, std::filesystem::path(in).filename().string(), options,
        parsed.has("--landscape") ? print::Orientation::Landscape : print::Orientation::Portrait);
    return CheckPdfWritten(out, printed);
}

}  // namespace lv::tool
