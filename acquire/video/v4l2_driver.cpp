#include "acquire/video/v4l2_driver.h"

#include "imagelib/dib.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace lv::video {
namespace {

constexpr unsigned kBufferCount = 4;
// Sizes offered for devices that take any size within a range.
constexpr Size kCommonSizes[] = {{160, 120}, {320, 240}, {640, 480}, {800, 600}, {1280, 720}, {1920, 1080}};

int Control(DeviceCalls& calls, int fd, unsigned long request, void* argument)
{
    int result;
    do
        result = calls.ioctl(fd, request, argument);
    while (result == -1 && errno == EINTR);
    return result;
}

std::optional<PixelCoding> CodingOf(std::uint32_t fourcc)
{
    switch (fourcc) {
    case V4L2_PIX_FMT_YUYV:
        return PixelCoding::Yuyv;
    case V4L2_PIX_FMT_UYVY:
        return PixelCoding::Uyvy;
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        return PixelCoding::Mjpeg;
    case V4L2_PIX_FMT_RGB24:
        return PixelCoding::Rgb24;
    case V4L2_PIX_FMT_BGR24:
        return PixelCoding::Bgr24;
    default:
        return std::nullopt;
    }
}

std::string FixedText(const std::uint8_t* text, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(text), strnlen(reinterpret_cast<const char*>(text), size));
}

std::uint32_t DeviceCaps(const v4l2_capability& cap)
{
    return (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
}

// The node number of "videoN", or nothing for other names.
std::optional<int> VideoNodeNumber(const std::string& name)
{
    if (name.size() <= 5 || name.compare(0, 5, "video") != 0)
        return std::nullopt;
    int number = 0;
    for (std::size_t i = 5; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > 100000)
            return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

std::vector<Size> SizesFor(DeviceCalls& calls, int fd, std::uint32_t fourcc)
{
    std::vector<Size> sizes;
    v4l2_frmsizeenum size{};
    size.pixel_format = fourcc;
    for (size.index = 0; Control(calls, fd, VIDIOC_ENUM_FRAMESIZES, &size) == 0; ++size.index) {
        if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
            sizes.push_back({int(size.discrete.width), int(size.discrete.height)});
            continue;
        }
        const auto& range = size.stepwise;
        for (const Size common : kCommonSizes)
            if (unsigned(common.width) >= range.min_width && unsigned(common.width) <= range.max_width &&
                unsigned(common.height) >= range.min_height && unsigned(common.height) <= range.max_height)
                sizes.push_back(common);
        sizes.push_back({int(range.max_width), int(range.max_height)});
        break;
    }
    std::sort(sizes.begin(), sizes.end(), [](Size a, Size b) {
        return std::int64_t(a.width) * a.height < std::int64_t(b.width) * b.height;
    });
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

}  // namespace

std::vector<V4l2DeviceInfo> FindV4l2CaptureDevices(const std::filesystem::path& folder, DeviceCalls& calls)
{
    std::vector<std::pair<int, std::filesystem::path>> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (const auto number = VideoNodeNumber(entry.path().filename().string()))
            nodes.emplace_back(*number, entry.path());
    std::sort(nodes.begin(), nodes.end());

    std::vector<V4l2DeviceInfo> devices;
    for (const auto& [number, path] : nodes) {
        const int fd = calls.open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        v4l2_capability cap{};
        const bool queried = Control(calls, fd, VIDIOC_QUERYCAP, &cap) == 0;
        calls.close(fd);
        if (!queried)
            continue;
        const std::uint32_t caps = DeviceCaps(cap);
        if (!(caps & V4L2_CAP_VIDEO_CAPTURE) || !(caps & V4L2_CAP_STREAMING))
            continue;
        devices.push_back({path.string(), FixedText(cap.card, sizeof cap.card),
                           std::to_string((cap.version >> 16) & 0xFF) + "." + std::to_string((cap.version >> 8) & 0xFF) +
                               "." + std::to_string(cap.version & 0xFF)});
    }
    return devices;
}

V4l2Driver::DeviceFile::~DeviceFile()
{
    if (fd_ >= 0)
        calls_->close(fd_);
}

V4l2Driver::DeviceFile::DeviceFile(DeviceFile&& other) noexcept
    : calls_(other.calls_)
    , fd_(std::exchange(other.fd_, -1))
{
}

V4l2Driver::DeviceFile& V4l2Driver::DeviceFile::operator=(DeviceFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            calls_->close(fd_);
        calls_ = other.calls_;
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

V4l2Driver::Mapping::~Mapping()
{
    if (start_)
        calls_.munmap(start_, length_);
}

V4l2Driver::Mapping::Mapping(Mapping&& other) noexcept
    : calls_(other.calls_)
    , start_(std::exchange(other.start_, nullptr))
    , length_(other.length_)
{
}

V4l2Driver::V4l2Driver(std::string path, DeviceCalls& calls)
    : path_(std::move(path))
    , calls_(calls)
{
}

V4l2Driver::~V4l2Driver()
{
    disconnect();
}

bool V4l2Driver::connect()
{
    if (connected())
        return true;
    DeviceFile device(calls_, calls_.open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!device.valid())
        return false;
    v4l2_capability cap{};
    if (Control(calls_, device.get(), VIDIOC_QUERYCAP, &cap) != 0)
        return false;
    const std::uint32_t caps = DeviceCaps(cap);
    if (!(caps & V4L2_CAP_VIDEO_CAPTURE) || !(caps & V4L2_CAP_STREAMING))
        return false;
    device_ = std::move(device);
    if (!readFormat()) {
        // A coding we can't convert: take the first one we can.
        const auto options = formatOptions();
        const auto usable = std::find_if(options.begin(), options.end(), [](const auto& o) { return !o.sizes.empty(); });
        if (usable == options.end() || !setFormat(usable->coding, usable->sizes.back())) {
            disconnect();
            return false;
        }
    }
    if (!startStreaming()) {
        disconnect();
        return false;
    }
    return true;
}

void V4l2Driver::disconnect()
{
    stopStreaming();
    device_ = DeviceFile();
}

bool V4l2Driver::readFormat()
{
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Control(calls_, device_.get(), VIDIOC_G_FMT, &format) != 0)
        return false;
    const auto coding = CodingOf(format.fmt.pix.pixelformat);
    if (!coding || format.fmt.pix.width == 0 || format.fmt.pix.height == 0 ||
        format.fmt.pix.width > kMaxPictureDimension || format.fmt.pix.height > kMaxPictureDimension)
        return false;
    layout_ = {*coding, int(format.fmt.pix.width), int(format.fmt.pix.height), format.fmt.pix.bytesperline};
    return true;
}

std::vector<std::pair<std::uint32_t, FormatOption>> V4l2Driver::convertibleFormats() const
{
    std::vector<std::pair<std::uint32_t, FormatOption>> formats;
    v4l2_fmtdesc description{};
    description.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    for (description.index = 0; Control(calls_, device_.get(), VIDIOC_ENUM_FMT, &description) == 0; ++description.index)
        if (const auto coding = CodingOf(description.pixelformat))
            formats.emplace_back(description.pixelformat,
                                 FormatOption{*coding, FixedText(description.description, sizeof description.description), {}});
    return formats;
}

std::vector<FormatOption> V4l2Driver::formatOptions() const
{
    std::vector<FormatOption> options;
    if (!connected())
        return options;
    for (const auto& [fourcc, option] : convertibleFormats()) {
        // Two fourccs of the same coding (MJPEG and JPEG) show once.
        if (std::any_of(options.begin(), options.end(), [&](const auto& o) { return o.coding == option.coding; }))
            continue;
        options.push_back(option);
        options.back().sizes = SizesFor(calls_, device_.get(), fourcc);
    }
    return options;
}

bool V4l2Driver::applyFormat(std::uint32_t fourcc, Size size)
{
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    format.fmt.pix.width = std::uint32_t(size.width);
    format.fmt.pix.height = std::uint32_t(size.height);
    format.fmt.pix.pixelformat = fourcc;
    format.fmt.pix.field = V4L2_FIELD_NONE;
    return Control(calls_, device_.get(), VIDIOC_S_FMT, &format) == 0 && format.fmt.pix.pixelformat == fourcc;
}

bool V4l2Driver::setFormat(PixelCoding coding, Size size)
{
    if (!connected())
        return false;
    // The first fourcc the device lists for the coding.
    const auto formats = convertibleFormats();
    const auto listed = std::find_if(formats.begin(), formats.end(), [&](const auto& f) { return f.second.coding == coding; });
    if (listed == formats.end())
        return false;
    const std::optional<std::uint32_t> fourcc = listed->first;
    const bool wasStreaming = streaming_;
    stopStreaming();
    const DeviceLayout old = layout_;
    const bool applied = applyFormat(*fourcc, size) && readFormat();
    if (!applied) {
        layout_ = old;
        readFormat();
    }
    if (wasStreaming && !startStreaming())
        return false;
    return applied;
}

std::vector<VideoControl> V4l2Driver::controls() const
{
    std::vector<VideoControl> list;
    if (!connected())
        return list;
    v4l2_queryctrl query{};
    query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    while (Control(calls_, device_.get(), VIDIOC_QUERYCTRL, &query) == 0) {
        const std::uint32_t id = query.id;
        query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
        if (query.flags & (V4L2_CTRL_FLAG_DISABLED | V4L2_CTRL_FLAG_READ_ONLY))
            continue;
        VideoControl control;
        switch (query.type) {
        case V4L2_CTRL_TYPE_INTEGER:
            control.kind = VideoControl::Kind::Integer;
            break;
        case V4L2_CTRL_TYPE_BOOLEAN:
            control.kind = VideoControl::Kind::Boolean;
            break;
        case V4L2_CTRL_TYPE_MENU:
            control.kind = VideoControl::Kind::Menu;
            break;
        default:
            continue;  // buttons, strings and classes have no value to set here
        }
        control.id = id;
        control.name = FixedText(query.name, sizeof query.name);
        control.minimum = query.minimum;
        control.maximum = query.maximum;
        control.step = std::max(1, query.step);
        control.defaultValue = query.default_value;
        v4l2_control value{id, 0};
        control.value = Control(calls_, device_.get(), VIDIOC_G_CTRL, &value) == 0 ? value.value : query.default_value;
        if (control.kind == VideoControl::Kind::Menu)
            for (int i = query.minimum; i <= query.maximum; ++i) {
                v4l2_querymenu item{};
                item.id = id;
                item.index = std::uint32_t(i);
                if (Control(calls_, device_.get(), VIDIOC_QUERYMENU, &item) == 0)
                    control.menu.emplace_back(i, FixedText(item.name, sizeof item.name));
            }
        list.push_back(std::move(control));
    }
    return list;
}

bool V4l2Driver::setControl(std::uint32_t id, int value)
{
    v4l2_control control{id, value};
    return connected() && Control(calls_, device_.get(), VIDIOC_S_CTRL, &control) == 0;
}

bool V4l2Driver::startStreaming()
{
    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (Control(calls_, device_.get(), VIDIOC_REQBUFS, &request) != 0 || request.count == 0)
        return false;
    for (std::uint32_t i = 0; i < request.count; ++i) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = i;
        if (Control(calls_, device_.get(), VIDIOC_QUERYBUF, &buffer) != 0)
            return false;
        void* start = calls_.mmap(buffer.length, device_.get(), off_t(buffer.m.offset));
        if (start == MAP_FAILED)
            return false;
        buffers_.emplace_back(calls_, start, buffer.length);
        if (Control(calls_, device_.get(), VIDIOC_QBUF, &buffer) != 0)
            return false;
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Control(calls_, device_.get(), VIDIOC_STREAMON, &type) != 0)
        return false;
    streaming_ = true;
    return true;
}

void V4l2Driver::stopStreaming()
{
    if (!device_.valid())
        return;
    if (streaming_) {
        v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        Control(calls_, device_.get(), VIDIOC_STREAMOFF, &type);
        streaming_ = false;
    }
    buffers_.clear();
    v4l2_requestbuffers release{};
    release.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    release.memory = V4L2_MEMORY_MMAP;
    Control(calls_, device_.get(), VIDIOC_REQBUFS, &release);
}

std::optional<std::vector<std::uint8_t>> V4l2Driver::nextFrame(std::chrono::milliseconds wait)
{
    if (!streaming_)
        return std::nullopt;
    pollfd ready{device_.get(), POLLIN, 0};
    if (calls_.poll(&ready, 1, int(std::clamp<std::int64_t>(wait.count(), 0, 60000))) <= 0)
        return std::nullopt;
    // Take every frame that is waiting and keep the newest.
    std::optional<v4l2_buffer> newest;
    for (;;) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (Control(calls_, device_.get(), VIDIOC_DQBUF, &buffer) != 0)
            break;
        if (buffer.index >= buffers_.size() || (buffer.flags & V4L2_BUF_FLAG_ERROR)) {
            Control(calls_, device_.get(), VIDIOC_QBUF, &buffer);
            continue;
        }
        if (newest)
            Control(calls_, device_.get(), VIDIOC_QBUF, &*newest);
        newest = buffer;
    }
    if (!newest)
        return std::nullopt;
    const Mapping& mapping = buffers_[newest->index];
    const std::size_t used = std::min<std::size_t>(newest->bytesused, mapping.length());
    std::vector<std::uint8_t> rows(std::size_t(DibStride(std::uint64_t(layout_.width), 24)) * std::size_t(layout_.height));
    const bool converted = ConvertFrame(layout_, {mapping.bytes(), used}, rows);
    Control(calls_, device_.get(), VIDIOC_QBUF, &*newest);
    if (!converted)
        return std::nullopt;
    return rows;
}

}  // namespace lv::video
