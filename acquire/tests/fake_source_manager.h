#pragma once
// A scripted source manager with one source, standing in for the library in session tests:
// it keeps the protocol's states, records every call, and delivers the picture it is given
// the way a source does (native bitmap, or strips from the top).

#include "acquire/source_manager_library.h"
#include "acquire/twain_protocol.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace lv::testing {

class FakeSourceManager final : public twain::SourceManagerLibrary {
public:
    FakeSourceManager();
    ~FakeSourceManager() override;

    twain::DSMENTRYPROC load() override;
    void unload() override { loaded = false; }

    // What the source holds: rows top row first in the protocol's order (red, green, blue).
    int width = 3, height = 2, bitsPerPixel = 24;
    twain::TW_UINT16 pixelType = twain::TWPT_RGB;
    std::vector<std::uint8_t> rows;  // rowBytes × height
    double resolution = 300;
    twain::TW_UINT16 units = twain::TWUN_INCHES;
    // ICAP_PIXELFLAVOR: a one-value container with this value, an enumeration, or a refusal.
    std::optional<twain::TW_UINT16> flavor = twain::TWPF_CHOCOLATE;
    bool flavorAsEnumeration = false;
    std::optional<twain::TW_PALETTE8> palette;
    twain::TW_UINT32 stripBytes = 0;  // preferred strip; 0: one row
    int picturesPerBatch = 1;
    bool nativeHandleBelow32 = false;
    bool refuseEnable = false;
    bool cancelSelection = false;

    // Queues a notification from the source; the next filtered event delivers it.
    void notify(twain::TW_UINT16 message) { notifications.push_back(message); }

    bool loaded = false;
    int state = 1;  // 1 unloaded, 2 loaded, 3 manager open, 4 source open, 5 enabled, 6 ready, 7 transferring
    std::vector<std::string> calls;  // "DG/DAT/MSG" in hex, in order
    std::deque<twain::TW_UINT16> notifications;
    std::string lastShowUi;
    twain::TW_IDENTITY opened{};

    std::size_t rowBytes() const { return (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4; }
    twain::TW_UINT16 entry(twain::TW_IDENTITY* origin, twain::TW_IDENTITY* dest, twain::TW_UINT32 group,
                           twain::TW_UINT16 dat, twain::TW_UINT16 msg, twain::TW_MEMREF data);

private:
    int pending_ = 0;
    std::size_t sent_ = 0;  // bytes of the current picture delivered by strips
};

}  // namespace lv::testing
