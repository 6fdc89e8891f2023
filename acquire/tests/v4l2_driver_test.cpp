// The video-device driver against scripted devices: which nodes are listed, choosing a
// coding the program converts, streaming through mapped buffers (the newest frame wins,
// every buffer goes back to the device), formats, controls, and letting go of everything.

#include "acquire/tests/fake_video_device.h"
#include "acquire/video/v4l2_driver.h"
#include "common/testing/temp_dir.h"
#include "imagelib/dib.h"

#include <gtest/gtest.h>

#include <linux/videodev2.h>

#include <fstream>

namespace lv::video {
namespace {

using namespace std::chrono_literals;
using testing::FakeControl;
using testing::FakeDevice;
using testing::FakeFormat;
using testing::FakeVideoDevices;

FakeDevice Camera(std::uint32_t fourcc = V4L2_PIX_FMT_YUYV)
{
    FakeDevice device;
    device.formats = {
        {V4L2_PIX_FMT_YUYV, "YUYV 4:2:2", {{640, 480}, {160, 120}, {320, 240}}, false},
        {V4L2_PIX_FMT_MJPEG, "Motion-JPEG", {}, true},
        {V4L2_PIX_FMT_JPEG, "JFIF JPEG", {{640, 480}}, false},
    };
    device.fourcc = fourcc;
    device.width = 160, device.height = 120;
    return device;
}

TEST(VideoDevices, OnlyStreamingCaptureNodesAreListedInNumberOrder)
{
    lv::testing::TempDir dir;
    FakeVideoDevices devices;
    for (const char* name : {"video0", "video1", "video2", "video10", "videox", "video", "radio0"}) {
        std::ofstream(dir.path() / name).put('\n');
    }
    auto path = [&](const char* name) { return (dir.path() / name).string(); };
    FakeDevice first = Camera();
    first.card = "Webcam Frontal";
    devices.add(path("video0"), first);
    FakeDevice metadata = Camera();
    metadata.capabilities = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    devices.add(path("video1"), metadata);
    FakeDevice readOnly = Camera();
    readOnly.capabilities = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_READWRITE;
    devices.add(path("video2"), readOnly);
    FakeDevice tenth = Camera();
    tenth.card = "Placa de captura";
    tenth.version = 0x050A11;
    devices.add(path("video10"), tenth);
    devices.add(path("videox"), Camera());

    const auto found = FindV4l2CaptureDevices(dir.path(), devices);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].path, path("video0"));
    EXPECT_EQ(found[0].card, "Webcam Frontal");
    EXPECT_EQ(found[0].version, "6.1.0");
    EXPECT_EQ(found[1].path, path("video10"));
    EXPECT_EQ(found[1].version, "5.10.17");
    EXPECT_EQ(devices.openFiles(), 0) << "every node looked at is closed again";
    EXPECT_TRUE(FindV4l2CaptureDevices(dir.path() / "nada", devices).empty());
}

TEST(VideoDevices, StreamingHandsOutTheNewestFrameAndRequeuesEveryBuffer)
{
    FakeVideoDevices devices;
    devices.add("/dev/video0", Camera());
    V4l2Driver driver("/dev/video0", devices);
    ASSERT_TRUE(driver.connect());
    EXPECT_TRUE(devices.streaming("/dev/video0"));
    EXPECT_EQ(devices.requestedBuffers("/dev/video0"), 4u);
    EXPECT_EQ(devices.queued("/dev/video0"), 3) << "the device gave three buffers; all are queued";
    EXPECT_EQ(driver.layout().coding, PixelCoding::Yuyv);
    EXPECT_EQ(driver.layout().bytesPerLine, 320u);

    EXPECT_FALSE(driver.nextFrame(0ms)) << "no frame yet";
    devices.arrive("/dev/video0", 1, 16);
    devices.arrive("/dev/video0", 1, 126);
    devices.arrive("/dev/video0", 1, 235);
    const auto frame = driver.nextFrame(0ms);
    ASSERT_TRUE(frame);
    ASSERT_EQ(frame->size(), DibStride(160, 24) * 120);
    EXPECT_EQ((*frame)[0], 255) << "the white frame came last";
    EXPECT_EQ(devices.queued("/dev/video0"), 3);

    // A frame the device marks broken is passed over.
    devices.arrive("/dev/video0", 1, 126, true);
    EXPECT_FALSE(driver.nextFrame(0ms));
    EXPECT_EQ(devices.queued("/dev/video0"), 3);
    devices.arrive("/dev/video0", 1, 126);
    EXPECT_EQ((*driver.nextFrame(0ms))[0], 128);

    driver.disconnect();
    EXPECT_EQ(devices.openFiles(), 0);
    EXPECT_EQ(devices.mappings(), 0);
    EXPECT_FALSE(devices.streaming("/dev/video0"));
    EXPECT_FALSE(driver.nextFrame(0ms));
}

TEST(VideoDevices, AnUnconvertibleCodingIsReplacedAndFormatsChangeWhileStreaming)
{
    FakeVideoDevices devices;
    FakeDevice device = Camera(V4L2_PIX_FMT_H264);
    device.formats.insert(device.formats.begin(), FakeFormat{V4L2_PIX_FMT_H264, "H.264", {{1920, 1080}}, false});
    devices.add("/dev/video0", device);
    V4l2Driver driver("/dev/video0", devices);
    ASSERT_TRUE(driver.connect());
    // The first coding we convert, at its largest size.
    EXPECT_EQ(driver.layout().coding, PixelCoding::Yuyv);
    EXPECT_EQ(driver.layout().width, 640);

    const auto options = driver.formatOptions();
    ASSERT_EQ(options.size(), 2u) << "H.264 is left out, MJPEG and JPEG show once";
    EXPECT_EQ(options[0].name, "YUYV 4:2:2");
    EXPECT_EQ(options[0].sizes, (std::vector<Size>{{160, 120}, {320, 240}, {640, 480}}));
    EXPECT_EQ(options[1].coding, PixelCoding::Mjpeg);
    // Any size in a range: the common sizes inside it and the largest.
    EXPECT_EQ(options[1].sizes, (std::vector<Size>{{160, 120}, {320, 240}, {640, 480}, {800, 600}, {1000, 800}}));

    ASSERT_TRUE(driver.setFormat(PixelCoding::Yuyv, {320, 240}));
    EXPECT_EQ(driver.layout().width, 320);
    EXPECT_TRUE(devices.streaming("/dev/video0"));
    devices.arrive("/dev/video0", 1, 235);
    EXPECT_EQ(driver.nextFrame(0ms)->size(), DibStride(320, 24) * 240);
    EXPECT_FALSE(driver.setFormat(PixelCoding::Rgb24, {320, 240})) << "a coding the device doesn't offer";
    EXPECT_EQ(driver.layout().coding, PixelCoding::Yuyv);
    EXPECT_TRUE(devices.streaming("/dev/video0"));
}

TEST(VideoDevices, ControlsOfTheKindsTheDialogShows)
{
    FakeVideoDevices devices;
    FakeDevice device = Camera();
    device.controls = {
        {V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64, 1, 0, 10, 0, {}},
        {V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, "Contrast", 0, 95, 1, 32, 32, V4L2_CTRL_FLAG_DISABLED, {}},
        {V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, "White Balance, Automatic", 0, 1, 1, 1, 1, 0, {}},
        {V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 2, 1, 1, 2, 0,
         {"Disabled", "", "60 Hz"}},
        {V4L2_CID_PAN_RESET, V4L2_CTRL_TYPE_BUTTON, "Pan, Reset", 0, 0, 0, 0, 0, 0, {}},
    };
    devices.add("/dev/video0", device);
    V4l2Driver driver("/dev/video0", devices);
    EXPECT_TRUE(driver.controls().empty()) << "nothing before connecting";
    ASSERT_TRUE(driver.connect());
    const auto controls = driver.controls();
    ASSERT_EQ(controls.size(), 3u);
    EXPECT_EQ(controls[0].name, "Brightness");
    EXPECT_EQ(controls[0].value, 10);
    EXPECT_EQ(controls[0].minimum, -64);
    EXPECT_EQ(controls[1].kind, VideoControl::Kind::Boolean);
    EXPECT_EQ(controls[2].kind, VideoControl::Kind::Menu);
    EXPECT_EQ(controls[2].menu, (std::vector<std::pair<int, std::string>>{{0, "Disabled"}, {2, "60 Hz"}}));
    EXPECT_TRUE(driver.setControl(V4L2_CID_BRIGHTNESS, -20));
    EXPECT_EQ(devices.device("/dev/video0").controls[0].value, -20);
    EXPECT_FALSE(driver.setControl(V4L2_CID_BRIGHTNESS, 100));
}

TEST(VideoDevices, MissingOrUnusableDevicesDontConnect)
{
    FakeVideoDevices devices;
    V4l2Driver missing("/dev/video7", devices);
    EXPECT_FALSE(missing.connect());
    FakeDevice onlyH264 = Camera(V4L2_PIX_FMT_H264);
    onlyH264.formats = {{V4L2_PIX_FMT_H264, "H.264", {{640, 480}}, false}};
    devices.add("/dev/video1", onlyH264);
    V4l2Driver unusable("/dev/video1", devices);
    EXPECT_FALSE(unusable.connect());
    EXPECT_FALSE(unusable.connected());
    EXPECT_EQ(devices.openFiles(), 0);
}

}  // namespace
}  // namespace lv::video
