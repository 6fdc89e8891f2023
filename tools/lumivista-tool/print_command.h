#pragma once
// lumivista-tool print: pages as the printer gets them, written to PDF through the same code,
// and the print calibration file.

#include "command.h"

#include "output/print/print_surface.h"

#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lv::tool {

class ParsedArguments;

// print single IN --pdf OUT [--frame] [--text TEXT] [--points N] [--landscape] [--calibrate]
//              [--printer-profile FILE.icc]
// print sheet ALBUM --pdf OUT [--size 0|1|2] [--spacing 0..3] [--captions] [--paper letter|a4]
//             [--printer-profile FILE.icc] (layout takes it too)
// print layout --pdf OUT --kind 0..4 [--brand PREFIX --product NAME] [--lead WxH] [--zoom P]
//              [--fill] [--paper letter|a4] [--labels FILE] FILE...
// print curves show [--json] | set CHANNEL BRIGHTNESS CONTRAST GAMMA | reset
int RunPrint(std::string_view name, Arguments args);
int RunPrintSingle(Arguments args);
int RunPrintSheet(Arguments args);
int RunPrintLayout(Arguments args);
int RunPrintCurves(Arguments args);

// The PDF job of --pdf on the paper of --paper (letter when absent); nothing after an error
// message for an unknown paper. Makes the offscreen application the PDF writer needs.
// With `printerProfile`, the pictures go out in that printer's colours.
std::unique_ptr<print::PrinterConnector> OpenPdfJob(const std::string& file, const std::optional<std::string>& paper,
                                                    std::vector<std::uint8_t> printerProfile = {});

// The profile of --printer-profile FILE.icc into `profile`; non-zero (3, reported) when the file
// is no usable RGB profile.
int PrinterProfileOption(const ParsedArguments& parsed, std::vector<std::uint8_t>& profile);

// Whether the PDF file was written (exists and is not empty); otherwise reports it.
int CheckPdfWritten(const std::string& file, bool printed);

}  // namespace lv::tool
