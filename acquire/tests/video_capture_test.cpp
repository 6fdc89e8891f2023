// The capture layer: the test-pattern driver's frames, the driver list, connecting and
// grabbing through the capture window, the frame callback's pictures and the capture
// dialog's steps with drivers that fail in the ways devices do.

#include "acquire/video/capture_dialog_steps.h"
#include "acquire/video/test_pattern_driver.h"
#include "acquire/video/video_capture.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>

namespace lv::video {
namespace {

using namespace std::chrono_literals;

std::chrono::system_clock::time_point LocalTime(int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = 100, local.tm_mon = 0, local.tm_mday = 5;
    local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second;
    local.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

Bgr At(const std::vector<std::uint8_t>& rows, int width, int row, int x)
{
    const std::uint8_t* p = rows.data() + std::size_t(row) * DibStride(std::uint64_t(width), 24) + 3 * std::size_t(x);
    return {p[0], p[1], p[2]};
}

bool Same(Bgr a, Bgr b)
{
    return a.blue == b.blue && a.green == b.green && a.red == b.red;
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
        EXPECT_TRUE(Same(At(*first, 320, top, x), TestPatternBar(bar))) << x;
    for (int x = 0; x + kTestPatternStep < 320; ++x)
        ASSERT_TRUE(Same(At(*second, 320, top, x), At(*first, 320, top, x + kTestPatternStep))) << x;
    // The bars wrap around: what left at the left edge comes back at the right.
    EXPECT_TRUE(Same(At(*second, 320, top, 319), At(*first, 320, top, 3)));

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
    EXPECT_GT(changedRows, 0) << "the seconds' digit changed";
    EXPECT_LT(highestChanged, 80) << "the clock stands in the lowest third";
    EXPECT_LE(changedRows, 48);
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
    EXPECT_EQ(At(*darker, 160, 119, 0).red, 245);
    EXPECT_EQ(At(*plain, 160, 119, 0).red, 255);
    EXPECT_EQ(At(*darker, 160, 119, 159).red, 0);
    const auto controls = driver.controls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].value, -10);
    EXPECT_EQ(controls[1].kind, VideoControl::Kind::Boolean);
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
    ASSERT_EQ(capture.drivers().size(), 2u);
    EXPECT_EQ(capture.drivers()[0], std::string(78, 'x'));
    EXPECT_EQ(capture.drivers()[1], "Câmera");
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
    EXPECT_EQ(frame.width(), 640);
    EXPECT_EQ(frame.height(), 480);
    EXPECT_EQ(frame.bitCount(), 24);
    EXPECT_EQ(frame.header().biSizeImage, DibStride(640, 24) * 480);
    EXPECT_EQ(frame.size(), 40 + DibStride(640, 24) * 480);
    EXPECT_EQ(std::memcmp(frame.data(), capture.videoFormat().data(), 40), 0);
    EXPECT_FALSE(capture.frameReady()) << "the grab took the frame";

    SmallerFormat dialogs;
    ASSERT_TRUE(capture.formatDialog(dialogs));
    HDIB smaller = capture.grab(0ms);
    ASSERT_TRUE(smaller);
    EXPECT_EQ(smaller.width(), 320);
    EXPECT_EQ(smaller.size(), 40 + DibStride(320, 24) * 240);
    ASSERT_TRUE(capture.sourceDialog(dialogs));
    EXPECT_EQ(dialogs.sourceShown, 1);

    // Another driver while the callback stays installed.
    capture.disconnect();
    ASSERT_TRUE(capture.connect(1));
    HDIB other = capture.grab(0ms);
    ASSERT_TRUE(other);
    EXPECT_EQ(other.width(), 6);
    EXPECT_EQ(other.row(0)[0], 0x5A);

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
    testing::UiRecorder ui;
};

TEST_F(DialogSteps, ADriverThatWontConnectIsNamedAndThePreviousChoiceComesBack)
{
    VideoCapture capture(catalogue);
    CaptureDialogSteps steps(capture, dialogs);
    EXPECT_EQ(steps.open(), (std::vector<std::string>{"Câmera A", "Câmera B"}));
    EXPECT_EQ(capture.connectedIndex(), 0);
    EXPECT_FALSE(steps.chooseDriver(1));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Não é possível abrir \"Câmera B\"");
    EXPECT_EQ(ui.messages[0].title, "Atenção");
    EXPECT_EQ(steps.selected(), 0);
    EXPECT_EQ(capture.connectedIndex(), 0);
    EXPECT_TRUE(steps.capture()) << "the first driver still works";
    EXPECT_EQ(steps.done(), kDialogDone);
}

TEST_F(DialogSteps, ConcluidoWithAnUnconnectableChoiceClosesEverything)
{
    VideoCapture capture(catalogue);
    CaptureDialogSteps steps(capture, dialogs);
    steps.open();
    capture.select(1);
    EXPECT_EQ(steps.done(), kDialogDriverFailed);
    EXPECT_FALSE(capture.windowExists());
    EXPECT_FALSE(capture.connected());
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
