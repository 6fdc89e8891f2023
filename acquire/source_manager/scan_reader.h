#pragma once
// Reads one picture from a started device as delivered rows, top row first. Single-frame
// scans of known length stream strip by strip; three-pass colour and hand-held scans of
// unknown length are read whole first.

#include "acquire/source_manager/sane_device.h"
#include "acquire/source_manager/scan_rows.h"

#include <memory>
#include <optional>
#include <vector>

namespace lv::twain {

class ScanReader {
public:
    // Starts the device. Null when it refuses or sends a format this source can't deliver;
    // `status` then says why (SANE_STATUS_NO_DOCS for an empty feeder).
    static std::unique_ptr<ScanReader> Start(SaneDevice& device, bool zeroIsWhite, SANE_Status& status);
    ~ScanReader();

    const ScanFormat& format() const { return format_; }
    int rowsLeft() const { return format_.height - next_; }
    int rowsDone() const { return next_; }
    // Writes the next `rows` rows (at most rowsLeft()) `stride` bytes apart. False when the
    // device fails; rows the device ends early are white.
    bool read(std::uint8_t* out, int rows, std::size_t stride);

private:
    ScanReader(SaneDevice& device, bool zeroIsWhite)
        : device_(device)
        , zeroIsWhite_(zeroIsWhite)
    {
    }
    // Up to `bytes` from the device (fewer at the frame's end); nothing on an error.
    std::optional<std::size_t> readBytes(std::uint8_t* out, std::size_t bytes);
    bool readWhole(bool threePass);
    void fillWhite(std::uint8_t* row) const;

    SaneDevice& device_;
    bool zeroIsWhite_;
    SANE_Parameters params_{};
    ScanFormat format_;
    int next_ = 0;
    bool ended_ = false;
    std::vector<std::uint8_t> raw_;
    std::vector<std::uint8_t> whole_;  // delivered rows of a picture read whole
    std::size_t threadsWhileScanning_ = 0;  // the process's threads once the device started
    std::optional<std::size_t> frameBytesLeft_;  // for a single frame of known length
};

}  // namespace lv::twain
