#pragma once
// The hidden capture window: the one object through which the program talks to a capture
// driver. Each call stands for one of the capture window's requests (connect, capabilities,
// status, video format, frame callback, grab, the driver's dialogs).

#include "acquire/video/capture_driver.h"
#include "acquire/video/driver_catalogue.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lv::video {

inline constexpr char kCaptureWindowTitle[] = "Capture Window";

// The driver's capabilities (the 44-byte record's fields this program reads).
struct CapDriverCaps {
    std::uint32_t wDeviceIndex = 0;
    bool fHasOverlay = false;
    bool fHasDlgVideoSource = false;
    bool fHasDlgVideoFormat = false;
    bool fHasDlgVideoDisplay = false;
    bool fCaptureInitialized = false;
    bool fDriverSuppliesPalettes = false;
};

// The capture window's status (the 76-byte record's fields this program reads).
struct CapStatus {
    std::uint32_t uiImageWidth = 0;
    std::uint32_t uiImageHeight = 0;
    bool fLiveWindow = false;
    bool fCapturingNow = false;
    std::uint32_t dwCurrentVideoFrame = 0;
    std::uint32_t dwCurrentVideoFramesDropped = 0;
};

// One frame handed to the frame callback.
struct VideoHeader {
    const std::uint8_t* lpData = nullptr;
    std::uint32_t dwBufferLength = 0;
    std::uint32_t dwBytesUsed = 0;
    std::uint32_t dwTimeCaptured = 0;  // milliseconds since the driver connected
};

// The drivers' own dialogs, shown by the application's toolkit.
class DriverDialogs {
public:
    virtual ~DriverDialogs() = default;
    // The picture controls of the device; true when the user kept a change.
    virtual bool videoSource(CaptureDriver& driver) = 0;
    // The coding and size of the frames; true when the user chose one the device took.
    virtual bool videoFormat(CaptureDriver& driver) = 0;
};

class CaptureWindow {
public:
    using FrameCallback = std::function<bool(const VideoHeader&)>;

    explicit CaptureWindow(const DriverCatalogue& catalogue);

    bool driverConnect(int index);
    bool driverDisconnect();
    bool driverGetCaps(CapDriverCaps& caps) const;
    bool getStatus(CapStatus& status) const;
    // The video format (a BITMAPINFO) into `format`, `size` bytes of it; returns the bytes
    // copied, or with a size of 0 the size of the whole format. 0 when not connected.
    std::uint32_t getVideoFormat(std::uint8_t* format, std::uint32_t size) const;
    void setCallbackOnFrame(FrameCallback callback) { callback_ = std::move(callback); }
    // Takes the driver's newest frame and gives it to the frame callback before returning;
    // false when no frame came within `wait` or the callback refused it.
    bool grabFrame(std::chrono::milliseconds wait);
    bool dlgVideoSource(DriverDialogs& dialogs);
    bool dlgVideoFormat(DriverDialogs& dialogs);

    bool connected() const { return driver_ != nullptr; }
    CaptureDriver* driver() const { return driver_.get(); }

private:
    const DriverCatalogue& catalogue_;
    std::unique_ptr<CaptureDriver> driver_;
    int index_ = -1;
    FrameCallback callback_;
    std::chrono::steady_clock::time_point connectedAt_;
    std::uint32_t frames_ = 0;
    std::uint32_t dropped_ = 0;
};

}  // namespace lv::video
