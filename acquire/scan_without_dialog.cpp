#include "acquire/scan_without_dialog.h"

#include "acquire/twain_session.h"

#include <cstring>
#include <cstdio>
#include <strings.h>

namespace lv::twain {
namespace {

class KeepPictures final : public AcquisitionHost {
public:
    void setMainWindowEnabled(bool) override {}
    void bringToFront() override {}
    void pictureAcquired(HDIB picture) override
    {
        ++arrived;
        if (picture && !first)
            first = std::move(picture);
    }
    int arrived = 0;
    HDIB first;
};

bool Matches(const TW_IDENTITY& id, const std::string& name)
{
    return strncasecmp(id.ProductName, name.c_str(), sizeof(TW_STR32)) == 0 ||
           strncmp(id.ProductFamily, name.c_str(), sizeof(TW_STR32)) == 0;
}

// Enough polls for any source to announce its transfer; a source that never does is broken.
constexpr int kMaxPolls = 100000;

}  // namespace

ScanOutcome ScanWithoutDialog(SourceManagerLibrary& library, const ScanRequest& request)
{
    ScanOutcome outcome;
    KeepPictures host;
    TwainSession session(library, host, {request.memoryTransfer ? 1 : 0, 0}, nullptr);
    if (!session.openSourceManager()) {
        outcome.error = "the source manager library can't be loaded";
        return outcome;
    }
    std::string product;
    if (!request.device.empty()) {
        for (const TW_IDENTITY& id : session.sourceIdentities())
            if (Matches(id, request.device))
                product.assign(id.ProductName, strnlen(id.ProductName, sizeof(TW_STR32)));
        if (product.empty()) {
            outcome.error = "no scanner named " + request.device;
            return outcome;
        }
    }
    if (!session.openSource(product)) {
        outcome.error = "no scanner can be opened";
        return outcome;
    }
    const auto fail = [&](std::string why) {
        outcome.error = std::move(why);
        return std::move(outcome);
    };
    if (request.pixelType && !session.setCapability(ICAP_PIXELTYPE, TWTY_UINT16, *request.pixelType))
        return fail("the scanner has no such mode");
    if (request.dotsPerInch > 0) {
        const TW_UINT32 dpi = ItemFromFix32(DoubleToFix32(request.dotsPerInch));
        if (!session.setCapability(ICAP_XRESOLUTION, TWTY_FIX32, dpi) ||
            !session.setCapability(ICAP_YRESOLUTION, TWTY_FIX32, dpi))
            return fail("the scanner refuses that resolution");
    }
    if (request.areaInInches && !session.setImageLayout(*request.areaInInches))
        return fail("the scanner refuses that area");
    session.setCapability(ICAP_XFERMECH, TWTY_UINT16, request.memoryTransfer ? TWSX_MEMORY : TWSX_NATIVE);
    if (!session.startWithoutDialog())
        return fail("the scanner can't start");
    for (int poll = 0; poll < kMaxPolls && session.sourceOpen() && host.arrived == 0; ++poll)
        session.filterMessage(nullptr);
    if (!host.first)
        return fail("the scan failed");
    outcome.picture = std::move(host.first);
    return outcome;
}

}  // namespace lv::twain
