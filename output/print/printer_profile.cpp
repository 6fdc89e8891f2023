#include "output/print/printer_profile.h"

#include "common/byte_source.h"
#include "imagelib/colour/colour_profile.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>

// The PPD interface is marked deprecated, yet it is the only one that reads a driver's profiles.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace lv::print {
namespace {

struct PpdCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

std::string markedChoice(ppd_file_t* ppd, const char* option)
{
    const ppd_choice_t* choice = ppdFindMarkedChoice(ppd, option);
    return choice ? choice->choice : "";
}

std::vector<std::string> splitQualifier(const std::string& qualifier)
{
    std::vector<std::string> parts(1);
    for (const char c : qualifier) {
        if (c == '.')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

bool ProfileQualifierFits(const std::string& qualifier, const PrinterSetting& setting)
{
    const std::vector<std::string> parts = splitQualifier(qualifier);
    const std::string* wanted[] = {&setting.colourModel, &setting.mediaType, &setting.resolution};
    for (std::size_t i = 0; i < parts.size() && i < 3; ++i)
        if (!parts[i].empty() && parts[i] != "-" && parts[i] != *wanted[i])
            return false;
    return parts.size() <= 3;
}

std::string ResolveProfileFile(const std::string& name)
{
    if (!name.empty() && name.front() == '/')
        return name;
    const char* data = std::getenv("CUPS_DATADIR");
    return std::string(data && *data ? data : "/usr/share/cups") + "/profiles/" + name;
}

PrinterProfile LoadPrinterProfile(const std::string& file)
{
    auto source = FileSource::Open(file);
    if (!source)
        return {{}, "the profile " + file + " cannot be opened"};
    if (source->size() > kMaxColourProfileBytes)
        return {{}, "the profile " + file + " is too large"};
    std::vector<std::uint8_t> bytes(std::size_t(source->size()));
    if (!source->readExact(bytes.data(), bytes.size()))
        return {{}, "the profile " + file + " cannot be read"};
    if (!IsUsableRgbProfile(bytes))
        return {{}, "the profile " + file + " is no usable RGB profile"};
    return {std::move(bytes), file};
}

PrinterProfile PrinterProfileFromPpd(const std::string& ppdFile)
{
    const std::unique_ptr<ppd_file_t, PpdCloser> ppd(ppdOpenFile(ppdFile.c_str()));
    if (!ppd)
        return {{}, "the driver description " + ppdFile + " cannot be read"};
    ppdMarkDefaults(ppd.get());
    const PrinterSetting setting{markedChoice(ppd.get(), "ColorModel"), markedChoice(ppd.get(), "MediaType"),
                                 markedChoice(ppd.get(), "Resolution")};
    std::optional<std::string> first, fitting;
    for (ppd_attr_t* attr = ppdFindAttr(ppd.get(), "cupsICCProfile", nullptr); attr;
         attr = ppdFindNextAttr(ppd.get(), "cupsICCProfile", nullptr)) {
        if (!attr->value)
            continue;
        if (!first)
            first = attr->value;
        if (!fitting && ProfileQualifierFits(attr->spec, setting))
            fitting = attr->value;
    }
    if (!first)
        return {{}, "the driver names no colour profile"};
    return LoadPrinterProfile(ResolveProfileFile(fitting ? *fitting : *first));
}

PrinterProfile PrinterProfileOf(const std::string& printerName)
{
    if (printerName.empty())
        return {{}, "no printer"};
    const char* ppdFile = cupsGetPPD2(CUPS_HTTP_DEFAULT, printerName.c_str());
    if (!ppdFile)
        return {{}, "CUPS gives no driver description for " + printerName + ": " + cupsLastErrorString()};
    const std::string copy = ppdFile;  // a temporary file CUPS made for us
    PrinterProfile profile = PrinterProfileFromPpd(copy);
    ::unlink(copy.c_str());
    return profile;
}

}  // namespace lv::print
