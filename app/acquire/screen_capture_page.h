#pragma once
// Screen shots from the acquisition page: "Tela inteira" (command 103) the whole desktop,
// "Janela" a window with its frame, "Interior" its client area, picked with the cross-hair.
// The main window hides meanwhile; the shot opens as "Capturado - Sem título-NN". Under
// Wayland the desktop portal takes the shot.

#include "acquire/screen/screen_capture.h"
#include "app/shell/test_hooks.h"

#include <QPointer>

namespace lv::app {

class Acquisition;
class MainWindow;

class ScreenCapturePage {
public:
    ScreenCapturePage(Acquisition& acquisition, const TestHooks& hooks);

    void attach(MainWindow& mainWindow);
    // 103 the desktop, 102 a window's client area, anything else a window with its frame.
    void capture(int command);

    bool hideWhileCapturing() const { return hide_; }
    void setHideWhileCapturing(bool hide) { hide_ = hide; }

#ifdef LV_TEST_DRIVER
    // "capture N" (run after the reply, since picking waits for the pointer) and
    // "capture hide 0|1" on the test socket.
    bool handleTestCommand(const QString& command);
#endif

private:
    HDIB desktop();
    HDIB window(screen::CaptureKind kind);
    HDIB throughPortal(screen::CaptureKind kind);
    void hideMainWindow();
    void showMainWindow();
    void say(int stringId, const QString& detail = {});

    Acquisition& acquisition_;
    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    bool hide_ = true;
    bool waylandSaid_ = false;
};

}  // namespace lv::app
