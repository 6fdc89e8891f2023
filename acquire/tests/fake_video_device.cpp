#include "acquire/tests/fake_video_device.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/mman.h>

namespace lv::video::testing {
namespace {

constexpr std::uint32_t kPageBytes = 4096;

int Fail(int error)
{
    errno = error;
    return -1;
}

void CopyText(std::uint8_t* field, std::size_t size, const std::string& text)
{
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), std::min(size - 1, text.size()));
}

}  // namespace

void FakeVideoDevices::add(const std::string& path, FakeDevice device)
{
    if (device.capabilities == 0)
        device.capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    devices_[path].device = std::move(device);
}

std::uint32_t FakeVideoDevices::frameBytes(const FakeDevice& device) const
{
    const std::uint32_t perPixel = device.fourcc == V4L2_PIX_FMT_YUYV || device.fourcc == V4L2_PIX_FMT_UYVY ? 2 : 3;
    return std::uint32_t(device.width * device.height) * perPixel;
}

void FakeVideoDevices::arrive(const std::string& path, int count, std::uint8_t luma, bool error)
{
    State& state = devices_.at(path);
    for (int i = 0; i < count && !state.queued.empty(); ++i) {
        const std::uint32_t index = state.queued.front();
        state.queued.pop_front();
        Buffer& buffer = state.buffers[index];
        // 4:2:2 frames of one grey; other codings get the same byte everywhere.
        for (std::size_t at = 0; at < buffer.memory.size(); ++at)
            buffer.memory[at] = (state.device.fourcc == V4L2_PIX_FMT_YUYV && at % 2) ? 128 : luma;
        buffer.bytesUsed = frameBytes(state.device);
        buffer.error = error;
        state.done.push_back(index);
    }
}

FakeVideoDevices::State* FakeVideoDevices::stateOf(int fd)
{
    const auto it = open_.find(fd);
    return it == open_.end() ? nullptr : &devices_.at(it->second);
}

int FakeVideoDevices::open(const char* path, int)
{
    if (!devices_.count(path))
        return Fail(ENOENT);
    open_[nextFd_] = path;
    return nextFd_++;
}

int FakeVideoDevices::close(int fd)
{
    return open_.erase(fd) ? 0 : Fail(EBADF);
}

int FakeVideoDevices::ioctl(int fd, unsigned long request, void* argument)
{
    State* state = stateOf(fd);
    return state ? handle(*state, request, argument) : Fail(EBADF);
}

int FakeVideoDevices::handle(State& state, unsigned long request, void* argument)
{
    FakeDevice& device = state.device;
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto& cap = *static_cast<v4l2_capability*>(argument);
        cap = {};
        CopyText(cap.card, sizeof cap.card, device.card);
        cap.version = device.version;
        cap.device_caps = device.capabilities;
        cap.capabilities = device.capabilities | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto& description = *static_cast<v4l2_fmtdesc*>(argument);
        if (description.index >= device.formats.size())
            return Fail(EINVAL);
        const FakeFormat& format = device.formats[description.index];
        description.pixelformat = format.fourcc;
        CopyText(description.description, sizeof description.description, format.description);
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto& size = *static_cast<v4l2_frmsizeenum*>(argument);
        const auto format = std::find_if(device.formats.begin(), device.formats.end(),
                                         [&](const FakeFormat& f) { return f.fourcc == size.pixel_format; });
        if (format == device.formats.end())
            return Fail(EINVAL);
        if (format->stepwise) {
            if (size.index > 0)
                return Fail(EINVAL);
            size.type = V4L2_FRMSIZE_TYPE_STEPWISE;
            size.stepwise = {16, 1000, 8, 16, 800, 8};
            return 0;
        }
        if (size.index >= format->sizes.size())
            return Fail(EINVAL);
        size.type = V4L2_FRMSIZE_TYPE_DISCRETE;
        size.discrete = {std::uint32_t(format->sizes[size.index].first), std::uint32_t(format->sizes[size.index].second)};
        return 0;
    }
    case VIDIOC_G_FMT:
    case VIDIOC_S_FMT: {
        auto& format = *static_cast<v4l2_format*>(argument);
        if (request == VIDIOC_S_FMT) {
            if (state.streaming || !state.buffers.empty())
                return Fail(EBUSY);
            const auto known = std::find_if(device.formats.begin(), device.formats.end(),
                                            [&](const FakeFormat& f) { return f.fourcc == format.fmt.pix.pixelformat; });
            // Drivers answer an unknown coding with one of theirs, as the interface asks.
            if (known != device.formats.end()) {
                device.fourcc = known->fourcc;
                device.width = int(std::clamp<std::uint32_t>(format.fmt.pix.width, 16, 1000));
                device.height = int(std::clamp<std::uint32_t>(format.fmt.pix.height, 16, 800));
            }
        }
        format.fmt.pix.pixelformat = device.fourcc;
        format.fmt.pix.width = std::uint32_t(device.width);
        format.fmt.pix.height = std::uint32_t(device.height);
        format.fmt.pix.bytesperline = device.fourcc == V4L2_PIX_FMT_MJPEG ? 0 : frameBytes(device) / std::uint32_t(device.height);
        format.fmt.pix.sizeimage = frameBytes(device);
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto& request = *static_cast<v4l2_requestbuffers*>(argument);
        if (state.streaming)
            return Fail(EBUSY);
        state.requested = request.count;
        request.count = std::min(request.count, device.maxBuffers);
        state.buffers.assign(request.count, {});
        for (Buffer& buffer : state.buffers)
            buffer.memory.assign((frameBytes(device) + kPageBytes - 1) / kPageBytes * kPageBytes, 0);
        state.queued.clear();
        state.done.clear();
        return 0;
    }
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF:
    case VIDIOC_DQBUF: {
        auto& buffer = *static_cast<v4l2_buffer*>(argument);
        if (request == VIDIOC_DQBUF) {
            if (state.done.empty())
                return Fail(EAGAIN);
            buffer.index = state.done.front();
            state.done.pop_front();
            buffer.bytesused = state.buffers[buffer.index].bytesUsed;
            buffer.flags = state.buffers[buffer.index].error ? V4L2_BUF_FLAG_ERROR : 0;
            return 0;
        }
        if (buffer.index >= state.buffers.size())
            return Fail(EINVAL);
        if (request == VIDIOC_QUERYBUF) {
            buffer.length = std::uint32_t(state.buffers[buffer.index].memory.size());
            buffer.m.offset = buffer.index * 0x100000;
            return 0;
        }
        if (std::count(state.queued.begin(), state.queued.end(), buffer.index))
            return Fail(EINVAL);
        state.queued.push_back(buffer.index);
        return 0;
    }
    case VIDIOC_STREAMON:
        if (state.buffers.empty())
            return Fail(EINVAL);
        state.streaming = true;
        return 0;
    case VIDIOC_STREAMOFF:
        state.streaming = false;
        state.queued.clear();
        state.done.clear();
        return 0;
    case VIDIOC_QUERYCTRL: {
        auto& query = *static_cast<v4l2_queryctrl*>(argument);
        const std::uint32_t after = query.id & ~std::uint32_t(V4L2_CTRL_FLAG_NEXT_CTRL);
        const auto next = std::find_if(device.controls.begin(), device.controls.end(),
                                       [&](const FakeControl& c) { return c.id > after; });
        if (!(query.id & V4L2_CTRL_FLAG_NEXT_CTRL) || next == device.controls.end())
            return Fail(EINVAL);
        query = {};
        query.id = next->id;
        query.type = next->type;
        CopyText(query.name, sizeof query.name, next->name);
        query.minimum = next->minimum;
        query.maximum = next->maximum;
        query.step = next->step;
        query.default_value = next->defaultValue;
        query.flags = next->flags;
        return 0;
    }
    case VIDIOC_QUERYMENU: {
        auto& item = *static_cast<v4l2_querymenu*>(argument);
        for (const FakeControl& control : device.controls) {
            const int at = int(item.index) - control.minimum;
            if (control.id == item.id && at >= 0 && at < int(control.menu.size()) && !control.menu[std::size_t(at)].empty()) {
                CopyText(item.name, sizeof item.name, control.menu[std::size_t(at)]);
                return 0;
            }
        }
        return Fail(EINVAL);
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto& value = *static_cast<v4l2_control*>(argument);
        for (FakeControl& control : device.controls)
            if (control.id == value.id) {
                if (request == VIDIOC_G_CTRL) {
                    value.value = control.value;
                    return 0;
                }
                if (value.value < control.minimum || value.value > control.maximum)
                    return Fail(ERANGE);
                control.value = value.value;
                return 0;
            }
        return Fail(EINVAL);
    }
    default:
        return Fail(ENOTTY);
    }
}

void* FakeVideoDevices::mmap(std::size_t length, int fd, off_t offset)
{
    State* state = stateOf(fd);
    const std::size_t index = std::size_t(offset) / 0x100000;
    if (!state || index >= state->buffers.size() || length != state->buffers[index].memory.size())
        return MAP_FAILED;
    ++mappings_;
    return state->buffers[index].memory.data();
}

int FakeVideoDevices::munmap(void*, std::size_t)
{
    --mappings_;
    return 0;
}

int FakeVideoDevices::poll(pollfd* fds, int count, int)
{
    int ready = 0;
    for (int i = 0; i < count; ++i) {
        State* state = stateOf(fds[i].fd);
        fds[i].revents = state && !state->done.empty() ? POLLIN : 0;
        ready += fds[i].revents ? 1 : 0;
    }
    return ready;
}

}  // namespace lv::video::testing
