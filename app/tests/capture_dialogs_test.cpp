// The video capture dialogs as the user works them: the driver list with a driver that won't
// open, grabbing into a window or the album, Concluído and Cancelar; the device's controls
// applied live and put back on Cancelar; choosing a frame size.

#include "acquire/video/test_pattern_driver.h"
#include "app/acquire/video_capture_dialog.h"
#include "app/acquire/video_driver_dialogs.h"
#include "common/testing/ui_recorder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

// A device that is listed but can't be opened (unplugged, or held by another program).
class RefusingDriver final : public video::CaptureDriver {
public:
    bool connect() override { return false; }
    void disconnect() override {}
    bool connected() const override { return false; }
    video::DeviceLayout layout() const override { return {}; }
    std::vector<video::FormatOption> formatOptions() const override { return {}; }
    bool setFormat(video::PixelCoding, Size) override { return false; }
    std::vector<video::VideoControl> controls() const override { return {}; }
    bool setControl(std::uint32_t, int) override { return false; }
    std::optional<std::vector<std::uint8_t>> nextFrame(std::chrono::milliseconds) override { return std::nullopt; }
};

template <typename T>
T* child(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

class CaptureDialog : public ::testing::Test {
protected:
    CaptureDialog()
    {
        catalogue.add({"Padrão", "1"}, [] { return std::make_unique<video::TestPatternDriver>(); });
        catalogue.add({"Câmera quebrada", "1"}, [] { return std::make_unique<RefusingDriver>(); });
    }
    VideoCaptureActions actions(bool albumOpen)
    {
        VideoCaptureActions a;
        a.captured = [this](HDIB frame, bool toAlbum) {
            frames.push_back(frame.width());
            albums.push_back(toAlbum);
        };
        a.live = [this] { ++lives; };
        a.cancelled = [this] { ++cancels; };
        a.albumOpen = albumOpen;
        a.camerasFound = false;
        return a;
    }

    testing::UiRecorder ui;
    video::FixedDriverCatalogue catalogue;
    video::VideoCapture capture{catalogue};
    QtDriverDialogs dialogs;
    std::vector<int> frames;
    std::vector<bool> albums;
    int lives = 0, cancels = 0;
};

TEST_F(CaptureDialog, ADriverThatWontOpenIsNamedAndTheListGoesBack)
{
    VideoCaptureDialog dialog(nullptr, capture, dialogs, actions(false));
    EXPECT_EQ(dialog.windowTitle(), "Capturar imagem da câmara de vídeo");
    auto* list = child<QComboBox>(dialog, "200");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2);
    // The current driver is connected on opening; no album is open.
    EXPECT_EQ(std::tuple(list->itemText(1), list->currentIndex(), capture.connected(), child<QCheckBox>(dialog, "album")),
              std::tuple(QString("Câmera quebrada"), 0, true, nullptr));
    ASSERT_TRUE(child<QLabel>(dialog, "note"));

    list->setCurrentIndex(1);
    emit list->activated(1);
    ASSERT_EQ(ui.texts(), std::vector<std::string>{"Não é possível abrir \"Câmera quebrada\""});
    EXPECT_EQ(std::tuple(ui.messages[0].title, list->currentIndex(), capture.connectedIndex()),
              std::tuple("Atenção", 0, 0));

    child<QPushButton>(dialog, "capture")->click();
    child<QPushButton>(dialog, "live")->click();
    EXPECT_EQ(std::tuple(frames, lives), std::tuple(std::vector<int>{640}, 1));
    child<QPushButton>(dialog, "done")->click();
    EXPECT_EQ(std::tuple(dialog.result(), capture.connected()), std::tuple(1, true))
        << "Concluído keeps the driver for the page's buttons";
}

TEST_F(CaptureDialog, FramesGoToTheAlbumWhenChosenAndCancelClosesEverything)
{
    VideoCaptureDialog dialog(nullptr, capture, dialogs, actions(true));
    auto* toAlbum = child<QCheckBox>(dialog, "album");
    ASSERT_TRUE(toAlbum);
    EXPECT_EQ(toAlbum->text(), "Guardar no álbum aberto");
    child<QPushButton>(dialog, "capture")->click();
    toAlbum->setChecked(true);
    child<QPushButton>(dialog, "capture")->click();
    EXPECT_EQ(albums, (std::vector<bool>{false, true}));
    dialog.reject();
    EXPECT_EQ(std::tuple(dialog.result(), cancels, capture.windowExists()), std::tuple(0, 1, false));
}

TEST(VideoDriverDialogs, ControlsApplyAsTheyMoveAndCancelPutsThemBack)
{
    video::TestPatternDriver driver;
    ASSERT_TRUE(driver.connect());
    {
        VideoSourceDialog dialog(nullptr, driver);
        EXPECT_EQ(dialog.windowTitle(), "Origem do vídeo");
        auto* brightness = child<QSlider>(dialog, "control 1");
        auto* moving = child<QCheckBox>(dialog, "control 2");
        ASSERT_TRUE(brightness && moving);
        EXPECT_EQ(std::tuple(brightness->minimum(), moving->isChecked()), std::tuple(-128, true));
        const auto values = [&] { return std::tuple(driver.controls()[0].value, driver.controls()[1].value); };
        brightness->setValue(40);
        moving->setChecked(false);
        EXPECT_EQ(values(), std::tuple(40, 0)) << "the live view shows it at once";
        EXPECT_TRUE(dialog.changed());
        dialog.reject();
        EXPECT_EQ(values(), std::tuple(0, 1));
    }
    VideoSourceDialog kept(nullptr, driver);
    child<QSlider>(kept, "control 1")->setValue(-5);
    kept.accept();
    EXPECT_EQ(driver.controls()[0].value, -5);
}

TEST(VideoDriverDialogs, TheFormatDialogOffersTheDevicesSizes)
{
    testing::UiRecorder ui;
    video::TestPatternDriver driver;
    ASSERT_TRUE(driver.connect());
    VideoFormatDialog dialog(nullptr, driver);
    auto* coding = child<QComboBox>(dialog, "coding");
    auto* size = child<QComboBox>(dialog, "size");
    ASSERT_TRUE(coding && size);
    EXPECT_EQ(std::tuple(coding->currentText(), size->currentText(), size->count()),
              std::tuple("BGR 24 bits", "640 × 480", 4))
        << "the current size is chosen";
    size->setCurrentIndex(size->findText("320 × 240"));
    dialog.accept();
    EXPECT_EQ(std::tuple(dialog.result(), driver.layout().width, driver.layout().height),
              std::tuple(int(QDialog::Accepted), 320, 240));
}

}  // namespace
}  // namespace lv::app
