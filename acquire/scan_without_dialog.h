#pragma once
// A scan with the settings given up front and no dialog, through the same source manager,
// session and transfer code as the program's scans (the command line and benchmarks).

#include "acquire/source_manager_library.h"
#include "acquire/twain_protocol.h"
#include "imagelib/dib.h"

#include <optional>
#include <string>

namespace lv::twain {

struct ScanRequest {
    std::string device;                  // product name or device name; empty: the default source
    int dotsPerInch = 0;                 // 0: the source's current resolution
    std::optional<TW_UINT16> pixelType;  // TWPT_BW, TWPT_GRAY or TWPT_RGB
    bool memoryTransfer = false;
    std::optional<TW_FRAME> areaInInches;
};

struct ScanOutcome {
    HDIB picture;
    std::string error;  // why there is no picture
};

ScanOutcome ScanWithoutDialog(SourceManagerLibrary& library, const ScanRequest& request);

}  // namespace lv::twain
