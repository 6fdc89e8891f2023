// "print sheet": an album's contact sheet.

#include "arguments.h"
#include "print_command.h"

#include "album/album.h"
#include "common/program_paths.h"
#include "output/print/contact_sheet.h"
#include "output/print/print_photo_loader.h"

#include <algorithm>

namespace lv::tool {

int RunPrintSheet(Arguments args)
{
    ParsedArguments parsed(args, "print", "sheet");
    const std::optional<int> size = parsed.integer("--size", 0, 2);
    const std::optional<int> spacing = parsed.integer("--spacing", 0, 3);
    const std::optional<int> jobs = parsed.integer("--jobs", 1, 64);
    if (!parsed.ok() || parsed.positional().size() != 1 || !parsed.value("--pdf"))
        return Fail(kExitUsage, parsed.ok() ? FormUsage("print", "sheet")
                                            : parsed.error());
    const std::string& albumPath = parsed.positional()[0];
    album::Album album;
    if (!album.read(albumPath) && album.empty())
        return Fail(kExitCannotRead, "cannot read " + albumPath + " as an album");
    if (album.empty())
        return Fail(kExitCannotRead, albumPath + " holds no photos");
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < album.count(); ++i)
        paths.push_back(album.absolutePath(int(i), ProgramDir()));

    const print::ContactSheetSettings settings{size.value_or(1), spacing.value_or(0), parsed.has("--captions")};
    const std::string out = *parsed.value("--pdf");
    std::vector<std::uint8_t> printerProfile;
    if (const int failed = PrinterProfileOption(parsed, printerProfile))
        return failed;
    const auto printer = OpenPdfJob(out, parsed.value("--paper"), std::move(printerProfile));
    if (!printer)
        return kExitUsage;
    const print::ContactSheetLayout layout =
        print::PlanContactSheet(settings, printer->metrics(print::Orientation::Portrait), int(paths.size()));
    const unsigned threads = jobs ? unsigned(*jobs) : print::PrefetchThreads();
    print::PhotoPrefetcher prefetch(paths, layout.thumbWidth, layout.thumbHeight, threads, 3 * std::size_t(threads));
    const bool printed = print::PrintContactSheet(*printer, settings, paths, prefetch.loader());
    return CheckPdfWritten(out, printed);
}

}  // namespace lv::tool
