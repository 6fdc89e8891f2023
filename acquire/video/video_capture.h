#pragma once
// Video capture of the program, one at a time: the list of capture drivers, the chosen one,
// the hidden capture window and the last frame grabbed as a picture.

#include "acquire/video/capture_window.h"
#include "acquire/video/driver_catalogue.h"
#include "imagelib/dib.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::video {

inline constexpr std::size_t kDriverDescriptionBytes = 80;
// How long a grab waits for the device's next frame.
inline constexpr std::chrono::milliseconds kGrabWait{2000};

class VideoCapture {
public:
    explicit VideoCapture(DriverCatalogue& catalogue);
    ~VideoCapture();
    VideoCapture(const VideoCapture&) = delete;
    VideoCapture& operator=(const VideoCapture&) = delete;

    // Drivers 0–9 with a description, in index order; with none the selection becomes −1
    // and the result is false.
    bool listDrivers();
    const std::vector<std::string>& drivers() const { return drivers_; }
    int selected() const { return selected_; }
    void select(int listIndex) { selected_ = listIndex; }

    // Connects the list entry's driver, reads its capabilities and video format.
    bool connect(int listIndex);
    void disconnect();
    bool readVideoFormat();
    // Makes the capture window when there is none, connects the chosen driver when not
    // connected and installs the frame callback.
    bool start();
    // The next frame as a picture (the caller owns it); null when none came.
    HDIB grab(std::chrono::milliseconds wait = kGrabWait);
    // Removes the frame callback, lets go of the last frame and the format, disconnects.
    void stop();
    // Stops and destroys the capture window.
    void close();

    bool sourceDialog(DriverDialogs& dialogs);
    bool formatDialog(DriverDialogs& dialogs);

    bool windowExists() const { return window_ != nullptr; }
    bool connected() const { return connected_; }
    int connectedIndex() const { return connected_ ? connectedIndex_ : -1; }
    bool frameReady() const { return frameReady_; }
    const CapDriverCaps& caps() const { return caps_; }
    const CapStatus& status() const { return status_; }
    // The BITMAPINFO of the frames; empty until read.
    const std::vector<std::uint8_t>& videoFormat() const { return format_; }

private:
    void createWindow();
    // The frame callback: the format, then the frame's bytes, as one packed picture.
    bool frameArrived(const VideoHeader& header);

    DriverCatalogue& catalogue_;
    std::vector<std::string> drivers_;
    int selected_ = -1;
    std::unique_ptr<CaptureWindow> window_;
    bool connected_ = false;
    int connectedIndex_ = -1;
    bool callbackInstalled_ = false;
    bool frameReady_ = false;
    bool formatRead_ = false;
    CapDriverCaps caps_;
    CapStatus status_;
    std::vector<std::uint8_t> format_;
    HDIB frame_;
};

// `text` cut to fit a field of `bytes` bytes with its terminating zero, on a character boundary.
std::string FitDescription(const std::string& text, std::size_t bytes = kDriverDescriptionBytes);

}  // namespace lv::video
