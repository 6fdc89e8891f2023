#pragma once
// Scripted video devices behind the device-call seam: each answers the capture interface's
// requests as a camera's driver would, hands out buffers from its own memory and fills the
// queued ones when the test says frames arrived.

#include "acquire/video/device_calls.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace lv::video::testing {

struct FakeFormat {
    std::uint32_t fourcc = 0;
    std::string description;
    std::vector<std::pair<int, int>> sizes;  // discrete sizes; empty with stepwise set
    bool stepwise = false;                   // any size from 16 × 16 to 1000 × 800
};

struct FakeControl {
    std::uint32_t id = 0;
    std::uint32_t type = 0;  // V4L2_CTRL_TYPE_*
    std::string name;
    int minimum = 0, maximum = 0, step = 1, defaultValue = 0, value = 0;
    std::uint32_t flags = 0;
    std::vector<std::string> menu;  // names of items minimum … maximum ("" for a gap)
};

struct FakeDevice {
    std::string card = "Câmera de teste";
    std::uint32_t capabilities = 0;  // device caps; capture and streaming by default below
    std::uint32_t version = 0x060100;
    std::vector<FakeFormat> formats;
    std::uint32_t fourcc = 0;
    int width = 0, height = 0;
    std::vector<FakeControl> controls;
    unsigned maxBuffers = 3;
};

class FakeVideoDevices final : public DeviceCalls {
public:
    void add(const std::string& path, FakeDevice device);

    // `count` frames of one grey (`luma`) arrive in the oldest queued buffers.
    void arrive(const std::string& path, int count, std::uint8_t luma, bool error = false);

    int open(const char* path, int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* argument) override;
    void* mmap(std::size_t length, int fd, off_t offset) override;
    int munmap(void* start, std::size_t length) override;
    int poll(pollfd* fds, int count, int timeoutMs) override;

    int openFiles() const { return int(open_.size()); }
    int mappings() const { return mappings_; }
    int queued(const std::string& path) const { return int(devices_.at(path).queued.size()); }
    bool streaming(const std::string& path) const { return devices_.at(path).streaming; }
    std::uint32_t requestedBuffers(const std::string& path) const { return devices_.at(path).requested; }
    const FakeDevice& device(const std::string& path) const { return devices_.at(path).device; }

private:
    struct Buffer {
        std::vector<std::uint8_t> memory;
        std::uint32_t bytesUsed = 0;
        bool error = false;
    };
    struct State {
        FakeDevice device;
        std::vector<Buffer> buffers;
        std::deque<std::uint32_t> queued;
        std::deque<std::uint32_t> done;
        std::uint32_t requested = 0;
        bool streaming = false;
    };
    State* stateOf(int fd);
    std::uint32_t frameBytes(const FakeDevice& device) const;
    int handle(State& state, unsigned long request, void* argument);

    std::map<std::string, State> devices_;
    std::map<int, std::string> open_;
    int nextFd_ = 100;
    int mappings_ = 0;
};

}  // namespace lv::video::testing
