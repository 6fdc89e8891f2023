#pragma once
// Capture devices of the Linux video interface: a capture node that streams through mapped
// buffers, in the codings the program converts (4:2:2 luma-chroma, motion-JPEG, 24-bit
// colour). The driver always fetches the newest frame, so a grab shows the moment of the click.

#include "acquire/video/capture_driver.h"
#include "acquire/video/device_calls.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lv::video {

struct V4l2DeviceInfo {
    std::string path;     // "/dev/video0"
    std::string card;     // the device's own name
    std::string version;  // the kernel driver's version, "6.1.0"
};

// Capture nodes under `folder` ("videoN" in N's order) that can stream pictures; metadata
// and output nodes of the same camera are left out.
std::vector<V4l2DeviceInfo> FindV4l2CaptureDevices(const std::filesystem::path& folder = "/dev",
                                                   DeviceCalls& calls = SystemDeviceCalls());

class V4l2Driver final : public CaptureDriver {
public:
    explicit V4l2Driver(std::string path, DeviceCalls& calls = SystemDeviceCalls());
    ~V4l2Driver() override;
    V4l2Driver(const V4l2Driver&) = delete;
    V4l2Driver& operator=(const V4l2Driver&) = delete;

    bool connect() override;
    void disconnect() override;
    bool connected() const override { return device_.valid(); }
    DeviceLayout layout() const override { return layout_; }
    std::vector<FormatOption> formatOptions() const override;
    bool setFormat(PixelCoding coding, Size size) override;
    std::vector<VideoControl> controls() const override;
    bool setControl(std::uint32_t id, int value) override;
    std::optional<std::vector<std::uint8_t>> nextFrame(std::chrono::milliseconds wait) override;

private:
    // The device node, closed with the driver.
    class DeviceFile {
    public:
        DeviceFile() = default;
        DeviceFile(DeviceCalls& calls, int fd)
            : calls_(&calls)
            , fd_(fd)
        {
        }
        ~DeviceFile();
        DeviceFile(DeviceFile&& other) noexcept;
        DeviceFile& operator=(DeviceFile&& other) noexcept;
        int get() const { return fd_; }
        bool valid() const { return fd_ >= 0; }

    private:
        DeviceCalls* calls_ = nullptr;
        int fd_ = -1;
    };
    // One buffer of the device mapped into the program.
    class Mapping {
    public:
        Mapping(DeviceCalls& calls, void* start, std::size_t length)
            : calls_(calls)
            , start_(start)
            , length_(length)
        {
        }
        ~Mapping();
        Mapping(Mapping&& other) noexcept;
        Mapping& operator=(Mapping&&) = delete;
        const std::uint8_t* bytes() const { return static_cast<const std::uint8_t*>(start_); }
        std::size_t length() const { return length_; }

    private:
        DeviceCalls& calls_;
        void* start_;
        std::size_t length_;
    };
    // The codings the device lists that the program converts, with their fourccs, in its order.
    std::vector<std::pair<std::uint32_t, FormatOption>> convertibleFormats() const;
    bool readFormat();
    bool applyFormat(std::uint32_t fourcc, Size size);
    bool startStreaming();
    void stopStreaming();

    std::string path_;
    DeviceCalls& calls_;
    DeviceFile device_;
    DeviceLayout layout_;
    std::vector<Mapping> buffers_;
    bool streaming_ = false;
};

}  // namespace lv::video
