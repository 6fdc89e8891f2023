#pragma once
// The printer's colour profile as its CUPS driver names it: the PPD's "cupsICCProfile"
// attributes, each qualified by colour model, media type and resolution. Without one (no PPD,
// no attribute, no CUPS server, a missing or unusable file) pages print as they always did.

#include <cstdint>
#include <string>
#include <vector>

namespace lv::print {

struct PrinterProfile {
    std::vector<std::uint8_t> bytes;  // an RGB ICC profile; empty when there is none to use
    std::string note;                 // the profile's file, or why there is none
};

// The printer's settings a profile is chosen for: the PPD's defaults.
struct PrinterSetting {
    std::string colourModel;
    std::string mediaType;
    std::string resolution;
};

// Which "Model.Media.Resolution" qualifier fits the setting; an empty or "-" part fits any.
bool ProfileQualifierFits(const std::string& qualifier, const PrinterSetting& setting);

// A relative profile name lies in the "profiles" folder of CUPS's data folder
// ($CUPS_DATADIR, else /usr/share/cups).
std::string ResolveProfileFile(const std::string& name);

// An ICC file, used only when it is an RGB profile the colour library accepts.
PrinterProfile LoadPrinterProfile(const std::string& file);

// The profile a PPD file names for its default settings, else its first one.
PrinterProfile PrinterProfileFromPpd(const std::string& ppdFile);

// The named printer's profile, its PPD asked of the CUPS server.
PrinterProfile PrinterProfileOf(const std::string& printerName);

}  // namespace lv::print
