#pragma once
// The capture driver that is always there: moving colour bars with a clock, so the capture
// dialog, the live view and grabbing work on a machine without a camera.

#include "acquire/video/capture_driver.h"

#include <functional>

namespace lv::video {

inline constexpr char kTestPatternDescription[] = "Lumivista - Padrão de teste";
inline constexpr char kTestPatternVersion[] = "1.0";

inline constexpr std::uint32_t kTestPatternBrightness = 1;
inline constexpr std::uint32_t kTestPatternMoving = 2;
// The bars move this many pixels to the left each frame.
inline constexpr int kTestPatternStep = 4;

// The eight bars from left to right before they move: white, yellow, cyan, green, magenta,
// red, blue, black.
Bgr TestPatternBar(int index);

class TestPatternDriver final : public CaptureDriver {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    explicit TestPatternDriver(Clock clock = std::chrono::system_clock::now);

    bool connect() override;
    void disconnect() override { connected_ = false; }
    bool connected() const override { return connected_; }
    DeviceLayout layout() const override;
    std::vector<FormatOption> formatOptions() const override;
    bool setFormat(PixelCoding coding, Size size) override;
    std::vector<VideoControl> controls() const override;
    bool setControl(std::uint32_t id, int value) override;
    std::optional<std::vector<std::uint8_t>> nextFrame(std::chrono::milliseconds wait) override;

private:
    Clock clock_;
    bool connected_ = false;
    Size size_{640, 480};
    int brightness_ = 0;
    bool moving_ = true;
    long frame_ = 0;
};

}  // namespace lv::video
