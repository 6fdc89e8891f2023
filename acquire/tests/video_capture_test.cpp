// Video capture: device frames into picture rows, the video-device driver against scripted
// devices, and the capture layer with its test pattern, driver list and dialog steps.

#include "acquire/tests/fake_video_device.h"
#include "acquire/video/capture_dialog_steps.h"
#include "acquire/video/frame_conversion.h"
#include "acquire/video/test_pattern_driver.h"
#include "acquire/video/v4l2_driver.h"
#include "acquire/video/video_capture.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <linux/videodev2.h>

#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

namespace lv::video {
namespace {

using namespace std::chrono_literals;
using testing::FakeDevice;
using testing::FakeFormat;
using testing::FakeVideoDevices;

std::vector<std::uint8_t> Rows(int width, int height, std::uint8_t fill = 0xEE)
{
    return std::vector<std::uint8_t>(std::size_t(DibStride(std::uint64_t(width), 24)) * std::size_t(height), fill);
}

std::vector<int> Pixel(const std::vector<std::uint8_t>& rows, int width, int row, int x)
{
    const std::size_t at = std::size_t(row) * std::size_t(DibStride(std::uint64_t(width), 24)) + 3 * std::size_t(x);
    return {rows[at], rows[at + 1], rows[at + 2]};
}

std::vector<int> Colour(Bgr c)
{
    return {c.blue, c.green, c.red};
}

TEST(LumaChroma, StudioRangeColoursComeOutExactly)
{
    const struct {
        int y, u, v;
        int blue, green, red;
    } cases[] = {
        {16, 128, 128, 0, 0, 0},        // black
        {235, 128, 128, 255, 255, 255}, // white
        {126, 128, 128, 128, 128, 128}, // middle grey: (298 × 110 + 128) >> 8
        {81, 90, 240, 0, 0, 255},       // red
        {0, 0, 0, 0, 135, 0},           // below the range: clamped, not wrapped
        {255, 255, 255, 255, 125, 255}, // above it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Colour(YuvToBgr(c.y, c.u, c.v)), (std::vector<int>{c.blue, c.green, c.red}))
            << c.y << "," << c.u << "," << c.v;
    }
}

TEST(LumaChroma, TopLineLandsInTheLastRowAndPairsShareTheirChroma)
{
    // 4 × 2, lines padded to 12 bytes; top line black then white, bottom line red, red.
    const std::vector<std::uint8_t> yuyv = {
        16, 128, 235, 128, 16, 128, 235, 128, 9, 9, 9, 9,
        81, 90, 81, 240, 81, 90, 81, 240, 9, 9, 9, 9,
    };
    auto rows = Rows(4, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Yuyv, 4, 2, 12}, yuyv, rows));
    for (const auto& [row, x, bgr] : {std::tuple{1, 0, std::vector<int>{0, 0, 0}}, {1, 1, {255, 255, 255}},
                                      {1, 3, {255, 255, 255}}, {0, 0, {0, 0, 255}}, {0, 3, {0, 0, 255}}})
        EXPECT_EQ(Pixel(rows, 4, row, x), bgr) << row << "," << x;

    // The same picture with chroma first gives the same rows.
    std::vector<std::uint8_t> uyvy = yuyv;
    for (std::size_t i = 0; i + 1 < uyvy.size(); i += 2)
        std::swap(uyvy[i], uyvy[i + 1]);
    auto again = Rows(4, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Uyvy, 4, 2, 12}, uyvy, again));
    EXPECT_EQ(again, rows);
}

TEST(LumaChroma, AnOddWidthUsesHalfOfTheLastPair)
{
    // 3 × 1: two groups; the last pixel is the first of the second group.
    const std::vector<std::uint8_t> frame = {235, 128, 16, 128, 126, 128, 200, 128};
    auto rows = Rows(3, 1, 0xEE);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Yuyv, 3, 1, 0}, frame, rows));
    // White, black, grey, and the row's padding not written.
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{255, 255, 255, 0, 0, 0, 128, 128, 128, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(TightBytesPerLine(PixelCoding::Yuyv, 3), 8u);
}

TEST(Colour, RedGreenBlueIsReorderedAndFlipped)
{
    const std::vector<std::uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};  // 2 × 2
    auto rows = Rows(2, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Rgb24, 2, 2, 0}, rgb, rows));
    // Row 0 (bottom) is the device's second line.
    EXPECT_EQ(rows, (std::vector<std::uint8_t>{9, 8, 7, 12, 11, 10, 0xEE, 0xEE, 3, 2, 1, 6, 5, 4, 0xEE, 0xEE}));
    auto same = Rows(2, 2);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Bgr24, 2, 2, 0}, rgb, same));
    EXPECT_EQ(same, (std::vector<std::uint8_t>{7, 8, 9, 10, 11, 12, 0xEE, 0xEE, 1, 2, 3, 4, 5, 6, 0xEE, 0xEE}));
}

TEST(Layouts, FramesThatDontFillTheirLayoutAreRefused)
{
    // 4 × 3 YUYV with 10-byte lines: the last line needs only its 8 bytes.
    const DeviceLayout layout{PixelCoding::Yuyv, 4, 3, 10};
    auto rows = Rows(4, 3);
    EXPECT_TRUE(ConvertFrame(layout, std::vector<std::uint8_t>(28, 128), rows));
    EXPECT_FALSE(ConvertFrame(layout, std::vector<std::uint8_t>(27, 128), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Yuyv, 4, 3, 6}, std::vector<std::uint8_t>(100, 128), rows))
        << "lines shorter than their pixels";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 0, 3, 0}, std::vector<std::uint8_t>(100), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 4, -1, 0}, std::vector<std::uint8_t>(100), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Rgb24, 70000, 1, 0}, std::vector<std::uint8_t>(300000), rows));
    auto small = Rows(4, 2);
    EXPECT_FALSE(ConvertFrame(layout, std::vector<std::uint8_t>(30, 128), small)) << "rows for fewer lines";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Bgr24, 4, 3, 0}, {}, rows));
}

class MotionJpeg : public ::testing::Test {
protected:
    // A 16 × 8 picture of four colour blocks, as a camera's JPEG frame.
    std::vector<std::uint8_t> frame(int width = 16, int height = 8)
    {
        HDIB picture = AllocatePicture(width, height, 24, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = picture.row(y) + 3 * x;
                p[0] = x < width / 2 ? 200 : 20;
                p[1] = y < height / 2 ? 180 : 40;
                p[2] = 90;
            }
        MemorySink sink;
        EXPECT_EQ(WriteJpeg(sink, picture, 95), WriteResult::Written);
        return sink.take();
    }

    // Removes the Huffman table segments, as many cameras send their frames.
    static std::vector<std::uint8_t> withoutTables(const std::vector<std::uint8_t>& jpeg)
    {
        std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
        std::size_t at = 2;
        while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
            const std::size_t length = std::size_t(jpeg[at + 2]) << 8 | jpeg[at + 3];
            if (jpeg[at + 1] != 0xC4)
                out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.begin() + std::ptrdiff_t(at + 2 + length));
            at += 2 + length;
        }
        out.insert(out.end(), jpeg.begin() + std::ptrdiff_t(at), jpeg.end());
        return out;
    }

    lv::testing::UiRecorder ui;
};

TEST_F(MotionJpeg, FramesDecodeLikeTheReaderWithOrWithoutHuffmanTables)
{
    const auto jpeg = frame();
    MemorySource source(jpeg);
    ReadResult read = ReadJpeg(source);
    ASSERT_TRUE(read.ok());
    auto rows = Rows(16, 8);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, jpeg, rows));
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), read.image().pixels()));

    const auto bare = withoutTables(jpeg);
    ASSERT_LT(bare.size(), jpeg.size()) << "the writer's frame had tables to remove";
    auto bareRows = Rows(16, 8);
    ASSERT_TRUE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, bare, bareRows));
    EXPECT_EQ(bareRows, rows);
}

TEST_F(MotionJpeg, BrokenOrMisfittingFramesAreRefused)
{
    const auto jpeg = frame();
    auto rows = Rows(16, 8);
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 8, 8, 0}, jpeg, rows)) << "another size than the format";
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, std::vector<std::uint8_t>(64, 0x55), rows));
    EXPECT_FALSE(ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, {}, rows));
    // A frame cut off mid-stream may decode partly, but never past its rows.
    const std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + std::ptrdiff_t(jpeg.size() / 2));
    ConvertFrame({PixelCoding::Mjpeg, 16, 8, 0}, cut, rows);
}

// The video-device driver against scripted devices: which nodes are listed, choosing a
// coding the program converts, streaming through mapped buffers (the newest frame wins,
// every buffer goes back to the device), formats, controls, and letting go of everything.
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
    EXPECT_EQ(std::tuple(found[0].path, found[0].card, found[0].version),
              std::tuple(path("video0"), "Webcam Frontal", "6.1.0"));
    EXPECT_EQ(std::tuple(found[1].path, found[1].card, found[1].version),
              std::tuple(path("video10"), "Placa de captura", "5.10.17"));
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
    EXPECT_EQ(std::tuple(driver.layout().coding, driver.layout().bytesPerLine), std::tuple(PixelCoding::Yuyv, 320u));

    EXPECT_FALSE(driver.nextFrame(0ms)) << "no frame yet";
    for (const std::uint8_t luma : {16, 126, 235})
        devices.arrive("/dev/video0", 1, luma);
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
    EXPECT_EQ(std::tuple(devices.openFiles(), devices.mappings(), devices.streaming("/dev/video0")),
              std::tuple(0, 0, false));
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
    EXPECT_EQ(std::tuple(controls[0].name, controls[0].value, controls[0].minimum), std::tuple("Brightness", 10, -64));
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

std::chrono::system_clock::time_point LocalTime(int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = 100, local.tm_mon = 0, local.tm_mday = 5;
    local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

TEST(TestPattern, BarsMoveLeftEachFrameAndTheClockChangesOnlyItsBox)
{
    auto now = LocalTime(10, 0, 0);
    TestPatternDriver driver([&] { return now; });
    ASSERT_TRUE(driver.setFormat(PixelCoding::Bgr24, {320, 240}));
    ASSERT_TRUE(driver.connect());
    const auto first = driver.nextFrame(0ms);
    const auto second = driver.nextFrame(0ms);
    ASSERT_TRUE(first && second);
    const int top = 239;  // the top line, far from the clock
    for (const auto& [x, bar] : {std::pair{0, 0}, {39, 0}, {40, 1}, {319, 7}})
        EXPECT_EQ(Pixel(*first, 320, top, x), Colour(TestPatternBar(bar))) << x;
    for (int x = 0; x + kTestPatternStep < 320; ++x)
        ASSERT_EQ(Pixel(*second, 320, top, x), Pixel(*first, 320, top, x + kTestPatternStep)) << x;
    // The bars wrap around: what left at the left edge comes back at the right.
    EXPECT_EQ(Pixel(*second, 320, top, 319), Pixel(*first, 320, top, 3));

    // Still bars: frames differ only where the clock's digits changed.
    ASSERT_TRUE(driver.setControl(kTestPatternMoving, 0));
    const auto atTen = driver.nextFrame(0ms);
    now = LocalTime(10, 0, 1);
    const auto aSecondLater = driver.nextFrame(0ms);
    ASSERT_TRUE(atTen && aSecondLater);
    int changedRows = 0, highestChanged = -1;
    const std::size_t stride = DibStride(320, 24);
    for (int row = 0; row < 240; ++row)
        if (std::memcmp(atTen->data() + row * stride, aSecondLater->data() + row * stride, stride) != 0) {
            ++changedRows;
            highestChanged = std::max(highestChanged, row);
        }
    EXPECT_TRUE(changedRows > 0 && changedRows <= 48) << changedRows << " rows: the seconds' digit changed";
    EXPECT_LT(highestChanged, 80) << "the clock stands in the lowest third";
    const auto sameTime = driver.nextFrame(0ms);
    EXPECT_EQ(*sameTime, *aSecondLater);
}

TEST(TestPattern, FormatsAndControlsAreCheckedAndApplied)
{
    TestPatternDriver driver;
    EXPECT_FALSE(driver.nextFrame(0ms)) << "nothing before it connects";
    ASSERT_TRUE(driver.connect());
    EXPECT_FALSE(driver.setFormat(PixelCoding::Bgr24, {333, 200}));
    EXPECT_FALSE(driver.setFormat(PixelCoding::Yuyv, {320, 240}));
    EXPECT_EQ(driver.layout().width, 640);
    ASSERT_TRUE(driver.setFormat(PixelCoding::Bgr24, {160, 120}));
    EXPECT_EQ(driver.layout().height, 120);
    EXPECT_EQ(driver.nextFrame(0ms)->size(), DibStride(160, 24) * 120);

    ASSERT_TRUE(driver.setControl(kTestPatternMoving, 0));
    const auto plain = driver.nextFrame(0ms);
    EXPECT_FALSE(driver.setControl(kTestPatternBrightness, 128));
    EXPECT_FALSE(driver.setControl(99, 1));
    ASSERT_TRUE(driver.setControl(kTestPatternBrightness, -10));
    const auto darker = driver.nextFrame(0ms);
    // White (bar 0) loses 10, black (bar 7) stays black.
    const auto red = [](const auto& frame, int x) { return Pixel(*frame, 160, 119, x)[2]; };
    EXPECT_EQ(std::tuple(red(plain, 0), red(darker, 0), red(darker, 159)), std::tuple(255, 245, 0));
    const auto controls = driver.controls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(std::tuple(controls[0].value, controls[1].kind), std::tuple(-10, VideoControl::Kind::Boolean));
}

// How a scripted device behaves: it may not connect, and its frames may be short or never come.
struct Script {
    bool connectWorks = true;
    std::size_t frameBytes = SIZE_MAX;  // SIZE_MAX: a whole frame
    bool framesCome = true;
};

class ScriptedDriver final : public CaptureDriver {
public:
    explicit ScriptedDriver(Script script)
        : script_(script)
    {
    }
    bool connect() override { return connected_ = script_.connectWorks; }
    void disconnect() override { connected_ = false; }
    bool connected() const override { return connected_; }
    DeviceLayout layout() const override { return {PixelCoding::Bgr24, 6, 4, 18}; }
    std::vector<FormatOption> formatOptions() const override { return {}; }
    bool setFormat(PixelCoding, Size) override { return false; }
    std::vector<VideoControl> controls() const override { return {}; }
    bool setControl(std::uint32_t, int) override { return false; }
    std::optional<std::vector<std::uint8_t>> nextFrame(std::chrono::milliseconds) override
    {
        if (!script_.framesCome)
            return std::nullopt;
        return std::vector<std::uint8_t>(std::min<std::size_t>(script_.frameBytes, DibStride(6, 24) * 4), 0x5A);
    }

private:
    const Script script_;
    bool connected_ = false;
};

// Each factory call makes a fresh driver with the script as it stands at that moment.
struct Scripted : Script {
    FixedDriverCatalogue::Factory factory()
    {
        return [this] { return std::make_unique<ScriptedDriver>(*this); };
    }
};

// Changes the format to the next smaller size, as the user would in the format dialog.
class SmallerFormat final : public DriverDialogs {
public:
    int sourceShown = 0;
    bool videoSource(CaptureDriver&) override { return ++sourceShown, true; }
    bool videoFormat(CaptureDriver& driver) override
    {
        return driver.setFormat(PixelCoding::Bgr24, {320, 240});
    }
};

TEST(VideoCapture, DriversAreListedWithoutGapsAndTheirNamesFitTheField)
{
    FixedDriverCatalogue catalogue;
    Scripted scripted;
    std::string longName(78, 'x');
    longName += "ção";  // 'ç' starts at byte 78 and would be cut in half at 79
    catalogue.add({longName, "1"}, scripted.factory());
    catalogue.add({"", "2"}, scripted.factory());
    catalogue.add({"Câmera", "3"}, scripted.factory());
    VideoCapture capture(catalogue);
    ASSERT_TRUE(capture.listDrivers());
    EXPECT_EQ(capture.drivers(), (std::vector<std::string>{std::string(78, 'x'), "Câmera"}));
    EXPECT_EQ(capture.selected(), 0);
    EXPECT_EQ(FitDescription("abc", 3), "ab");
    EXPECT_EQ(FitDescription("abc", 0), "");

    FixedDriverCatalogue none;
    VideoCapture nothing(none);
    nothing.select(3);
    EXPECT_FALSE(nothing.listDrivers());
    EXPECT_EQ(nothing.selected(), -1);
    EXPECT_FALSE(nothing.start());
    EXPECT_FALSE(nothing.grab(0ms));
}

TEST(VideoCapture, GrabbedFramesArePackedPicturesOfTheFormatAndFollowItsChanges)
{
    FixedDriverCatalogue catalogue;
    catalogue.add({kTestPatternDescription, kTestPatternVersion}, [] { return std::make_unique<TestPatternDriver>(); });
    Scripted scripted;
    catalogue.add({"Câmera", "1"}, scripted.factory());
    VideoCapture capture(catalogue);
    ASSERT_TRUE(capture.listDrivers());

    ASSERT_TRUE(capture.connect(0));
    EXPECT_TRUE(capture.caps().fHasDlgVideoSource);
    EXPECT_TRUE(capture.caps().fHasDlgVideoFormat);
    EXPECT_EQ(capture.status().uiImageWidth, 640u);
    ASSERT_EQ(capture.videoFormat().size(), 40u);
    EXPECT_FALSE(capture.grab(0ms)) << "no frame callback before start";

    ASSERT_TRUE(capture.start());
    HDIB frame = capture.grab(0ms);
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame.hasValidLayout());
    EXPECT_EQ(std::tuple(frame.width(), frame.height(), frame.bitCount()), std::tuple(640, 480, 24));
    EXPECT_EQ(frame.header().biSizeImage, DibStride(640, 24) * 480);
    EXPECT_EQ(frame.size(), 40 + DibStride(640, 24) * 480);
    EXPECT_EQ(std::memcmp(frame.data(), capture.videoFormat().data(), 40), 0);
    EXPECT_FALSE(capture.frameReady()) << "the grab took the frame";

    SmallerFormat dialogs;
    ASSERT_TRUE(capture.formatDialog(dialogs));
    HDIB smaller = capture.grab(0ms);
    ASSERT_TRUE(smaller);
    EXPECT_EQ(std::tuple(smaller.width(), smaller.size()), std::tuple(320, 40 + DibStride(320, 24) * 240));
    ASSERT_TRUE(capture.sourceDialog(dialogs));
    EXPECT_EQ(dialogs.sourceShown, 1);

    // Another driver while the callback stays installed.
    capture.disconnect();
    ASSERT_TRUE(capture.connect(1));
    HDIB other = capture.grab(0ms);
    ASSERT_TRUE(other);
    EXPECT_EQ(std::tuple(other.width(), other.row(0)[0]), std::tuple(6, 0x5A));

    capture.stop();
    EXPECT_FALSE(capture.connected());
    EXPECT_TRUE(capture.videoFormat().empty());
    EXPECT_FALSE(capture.grab(0ms));
    capture.select(0);
    ASSERT_TRUE(capture.start()) << "start connects the chosen driver again";
    EXPECT_EQ(capture.connectedIndex(), 0);
    EXPECT_TRUE(capture.grab(0ms));
    capture.close();
    EXPECT_FALSE(capture.windowExists());
}

TEST(VideoCapture, ShortOrMissingFramesGiveNoPicture)
{
    FixedDriverCatalogue catalogue;
    Scripted scripted;
    catalogue.add({"Câmera", "1"}, scripted.factory());
    VideoCapture capture(catalogue);
    capture.listDrivers();
    scripted.frameBytes = DibStride(6, 24) * 4 - 1;
    ASSERT_TRUE(capture.start());
    EXPECT_FALSE(capture.grab(0ms));
    EXPECT_FALSE(capture.frameReady());
    capture.stop();
    scripted.frameBytes = SIZE_MAX;
    scripted.framesCome = false;
    ASSERT_TRUE(capture.start());
    EXPECT_FALSE(capture.grab(0ms));
}

class DialogSteps : public ::testing::Test {
protected:
    DialogSteps()
    {
        catalogue.add({"Câmera A", "1"}, good.factory());
        catalogue.add({"Câmera B", "1"}, broken.factory());
        broken.connectWorks = false;
    }
    FixedDriverCatalogue catalogue;
    Scripted good, broken;
    SmallerFormat dialogs;
    lv::testing::UiRecorder ui;
};

TEST_F(DialogSteps, ConcluidoWithAnUnconnectableChoiceClosesEverything)
{
    VideoCapture capture(catalogue);
    CaptureDialogSteps steps(capture, dialogs);
    steps.open();
    capture.select(1);
    EXPECT_EQ(steps.done(), kDialogDriverFailed);
    EXPECT_FALSE(capture.windowExists() || capture.connected());
}

TEST_F(DialogSteps, NoDriversOrAStalledDeviceAreSaidInPortuguese)
{
    FixedDriverCatalogue none;
    VideoCapture empty(none);
    CaptureDialogSteps emptySteps(empty, dialogs);
    EXPECT_TRUE(emptySteps.open().empty());
    EXPECT_FALSE(emptySteps.capture()) << "capturing does nothing without a driver";
    ASSERT_EQ(ui.texts(), (std::vector<std::string>{"Nenhum driver VFW está instalado no sistema"}));

    good.framesCome = false;
    VideoCapture capture(catalogue);
    CaptureDialogSteps steps(capture, dialogs);
    steps.open();
    EXPECT_FALSE(steps.capture());
    EXPECT_EQ(ui.messages.back().text, "Não foi possível conectar com o dispositivo de captura de vídeo.");
    EXPECT_FALSE(steps.source()) << "the scripted device has no controls to show";
    steps.cancel();
    EXPECT_FALSE(capture.windowExists());
}

}  // namespace
}  // namespace lv::video
