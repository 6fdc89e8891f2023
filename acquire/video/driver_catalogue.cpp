#include "acquire/video/driver_catalogue.h"

#include "acquire/video/test_pattern_driver.h"
#include "acquire/video/v4l2_driver.h"

#include <cstdlib>

namespace lv::video {
namespace {

std::filesystem::path DeviceFolder()
{
    const char* folder = std::getenv("LUMIVISTA_VIDEO_DEVICES");
    return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path("/dev");
}

}  // namespace

SystemDriverCatalogue::SystemDriverCatalogue()
    : SystemDriverCatalogue(DeviceFolder())
{
}

SystemDriverCatalogue::SystemDriverCatalogue(std::filesystem::path deviceFolder)
    : folder_(std::move(deviceFolder))
{
    refresh();
}

void SystemDriverCatalogue::refresh()
{
    devices_.clear();
    for (V4l2DeviceInfo& found : FindV4l2CaptureDevices(folder_)) {
        // The last index belongs to the test pattern.
        if (int(devices_.size()) == kMaxCaptureDrivers - 1)
            break;
        devices_.push_back({{found.card.empty() ? found.path : found.card, found.version}, std::move(found.path)});
    }
}

std::optional<DriverDescription> SystemDriverCatalogue::description(int index) const
{
    if (index >= 0 && index < int(devices_.size()))
        return devices_[std::size_t(index)].description;
    if (index == int(devices_.size()))
        return DriverDescription{kTestPatternDescription, kTestPatternVersion};
    return std::nullopt;
}

std::unique_ptr<CaptureDriver> SystemDriverCatalogue::open(int index) const
{
    if (index >= 0 && index < int(devices_.size()))
        return std::make_unique<V4l2Driver>(devices_[std::size_t(index)].path);
    if (index == int(devices_.size()))
        return std::make_unique<TestPatternDriver>();
    return nullptr;
}

void FixedDriverCatalogue::add(DriverDescription description, Factory factory)
{
    drivers_.emplace_back(std::move(description), std::move(factory));
}

std::optional<DriverDescription> FixedDriverCatalogue::description(int index) const
{
    if (index < 0 || index >= int(drivers_.size()))
        return std::nullopt;
    return drivers_[std::size_t(index)].first;
}

std::unique_ptr<CaptureDriver> FixedDriverCatalogue::open(int index) const
{
    if (index < 0 || index >= int(drivers_.size()) || !drivers_[std::size_t(index)].second)
        return nullptr;
    return drivers_[std::size_t(index)].second();
}

}  // namespace lv::video
