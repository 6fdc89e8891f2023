#pragma once
// Screen 26, video capture: "Abrir captura" opens dialog 100, "Formato" and "Origem" the
// driver's dialogs, "Capturar quadro" grabs a frame into a new image window (or, chosen in
// the dialog, into the open album); "&Ao vivo" shows the device live in the workspace until
// the page is left.

#include "acquire/video/capture_dialog_steps.h"
#include "acquire/video/driver_catalogue.h"
#include "acquire/video/video_capture.h"
#include "app/acquire/video_driver_dialogs.h"
#include "app/shell/test_hooks.h"
#include "app/acquire/video_preview.h"

#include <QPointer>

#include <memory>

namespace lv::app {

class Acquisition;
class MainWindow;

class VideoCapturePage {
public:
    VideoCapturePage(Acquisition& acquisition, const TestHooks& hooks);
    ~VideoCapturePage();

    void attach(MainWindow& mainWindow);

    // The page's buttons.
    void openDialog();
    void format();
    void source();
    void grab(bool toAlbum = false);
    void startLive();
    // Leaving the page: the live view closes and the device is let go.
    void closePreview();

    const VideoPreview* preview() const { return preview_; }
    video::VideoCapture& capture() { return capture_; }

#ifdef LV_TEST_DRIVER
    // "video grab|album|live|preview|stop" on the test socket.
    bool handleTestCommand(const QString& command);
#endif

private:
    // Lists the drivers and connects the chosen one the first time a button needs it.
    bool ready();
    void deliver(HDIB frame, bool toAlbum);

    Acquisition& acquisition_;
    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    video::SystemDriverCatalogue catalogue_;
    video::VideoCapture capture_;
    QtDriverDialogs dialogs_;
    video::CaptureDialogSteps steps_;
    QPointer<VideoPreview> preview_;
};

}  // namespace lv::app
