#pragma once
// One capture device as the capture layer sees it: it connects, tells its format and the
// formats and picture controls it offers, and hands out frames already turned into the
// rows of a 24-bit bottom-up picture.

#include "acquire/video/frame_conversion.h"
#include "common/geometry.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::video {

// A coding the device can deliver and the sizes it offers in it.
struct FormatOption {
    PixelCoding coding = PixelCoding::Bgr24;
    std::string name;  // the device's own name for it
    std::vector<Size> sizes;
};

// A picture control of the device (brightness, contrast, ...).
struct VideoControl {
    enum class Kind { Integer, Boolean, Menu };
    std::uint32_t id = 0;
    std::string name;
    Kind kind = Kind::Integer;
    int minimum = 0;
    int maximum = 0;
    int step = 1;
    int defaultValue = 0;
    int value = 0;
    std::vector<std::pair<int, std::string>> menu;  // value and label, for Kind::Menu
};

class CaptureDriver {
public:
    virtual ~CaptureDriver() = default;

    // Opens the device and starts it delivering; false when it can't be used.
    virtual bool connect() = 0;
    virtual void disconnect() = 0;
    virtual bool connected() const = 0;

    // What the device delivers now (width and height also size the picture).
    virtual DeviceLayout layout() const = 0;
    virtual std::vector<FormatOption> formatOptions() const = 0;
    // False when the device refuses; the old format then stays.
    virtual bool setFormat(PixelCoding coding, Size size) = 0;

    virtual std::vector<VideoControl> controls() const = 0;
    virtual bool setControl(std::uint32_t id, int value) = 0;

    // The next frame as picture rows (DibStride(width, 24) × height bytes), waiting at most
    // `wait`; nothing when the device gave no usable frame in that time.
    virtual std::optional<std::vector<std::uint8_t>> nextFrame(std::chrono::milliseconds wait) = 0;
};

}  // namespace lv::video
