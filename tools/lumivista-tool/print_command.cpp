#include "print_command.h"

#include "common/program_paths.h"
#include "output/qt_print/qt_printer.h"
#include "arguments.h"
#include "option_table.h"
#include "output/print/printer_profile.h"

#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>

namespace lv::tool {
namespace {

// The PDF writer needs an application; the tool has no display.
void EnsureApplication()
{
    if (QGuiApplication::instance())
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("FONTCONFIG_FILE")) {
        const std::filesystem::path config = ProgramFile("fonts.conf");
        std::error_code ec;
        if (std::filesystem::is_regular_file(config, ec))
            ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "lumivista-tool";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

}  // namespace

std::unique_ptr<print::PrinterConnector> OpenPdfJob(const std::string& file, const std::optional<std::string>& paper,
                                                    std::vector<std::uint8_t> printerProfile)
{
    if (paper && *paper != "a4" && *paper != "letter") {
        Fail(kExitUsage, "--paper must be letter or a4");
        return nullptr;
    }
    EnsureApplication();  // before asking for the default printer
    QPageSize::PageSizeId size = print::DefaultPaper();
    if (paper)
        size = *paper == "a4" ? QPageSize::A4 : QPageSize::Letter;
    return std::make_unique<print::PdfPrinter>(file, size, std::move(printerProfile));
}

int PrinterProfileOption(const ParsedArguments& parsed, std::vector<std::uint8_t>& profile)
{
    const auto file = parsed.value("--printer-profile");
    if (!file)
        return kExitOk;
    print::PrinterProfile loaded = print::LoadPrinterProfile(*file);
    if (loaded.bytes.empty())
        return Fail(kExitCannotRead, loaded.note);
    profile = std::move(loaded.bytes);
    return kExitOk;
}

int CheckPdfWritten(const std::string& file, bool printed)
{
    std::error_code ec;
    if (!printed || std::filesystem::file_size(file, ec) == 0 || ec)
        return Fail(kExitCannotWrite, "could not write " + file);
    return kExitOk;
}

int RunPrint(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "single")
        return RunPrintSingle(args.subspan(1));
    if (!args.empty() && args[0] == "sheet")
        return RunPrintSheet(args.subspan(1));
    if (!args.empty() && args[0] == "layout")
        return RunPrintLayout(args.subspan(1));
    if (!args.empty() && args[0] == "curves")
        return RunPrintCurves(args.subspan(1));
    return Fail(kExitUsage, CommandUsage("print"));
}

}  // namespace lv::tool
