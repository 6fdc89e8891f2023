#pragma once
// The capture drivers of the machine by index, as the capture layer lists them: every video
// capture device, then the test-pattern driver, which is always there.

#include "acquire/video/capture_driver.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::video {

inline constexpr int kMaxCaptureDrivers = 10;

struct DriverDescription {
    std::string name;
    std::string version;
};

class DriverCatalogue {
public:
    virtual ~DriverCatalogue() = default;
    // Looks at the machine again (devices come and go).
    virtual void refresh() {}
    // Driver `index` (0–9); nothing when the index has no driver.
    virtual std::optional<DriverDescription> description(int index) const = 0;
    // A driver object for the index, not yet connected; null when there is none.
    virtual std::unique_ptr<CaptureDriver> open(int index) const = 0;
};

// The devices under a folder ("/dev", or $LUMIVISTA_VIDEO_DEVICES when set) and the test pattern.
class SystemDriverCatalogue final : public DriverCatalogue {
public:
    SystemDriverCatalogue();
    explicit SystemDriverCatalogue(std::filesystem::path deviceFolder);
    void refresh() override;
    std::optional<DriverDescription> description(int index) const override;
    std::unique_ptr<CaptureDriver> open(int index) const override;
    // Whether any real device was found (the test pattern does not count).
    bool hasDevices() const { return !devices_.empty(); }

private:
    struct Device {
        DriverDescription description;
        std::string path;
    };
    std::filesystem::path folder_;
    std::vector<Device> devices_;
};

// A catalogue of the caller's drivers, for tests and for choosing one by name.
class FixedDriverCatalogue final : public DriverCatalogue {
public:
    using Factory = std::function<std::unique_ptr<CaptureDriver>()>;
    void add(DriverDescription description, Factory factory);
    std::optional<DriverDescription> description(int index) const override;
    std::unique_ptr<CaptureDriver> open(int index) const override;

private:
    std::vector<std::pair<DriverDescription, Factory>> drivers_;
};

}  // namespace lv::video
