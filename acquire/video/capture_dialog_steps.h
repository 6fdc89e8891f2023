#pragma once
// What the video capture dialog does for each of its controls, without the dialog itself:
// the driver list, choosing a driver, the driver's source and format dialogs, grabbing, and
// ending with Concluído or Cancel.

#include "acquire/video/video_capture.h"

#include <string>
#include <vector>

namespace lv::video {

inline constexpr int kCaptureDialog = 100;
inline constexpr int kDriverListControl = 200;
inline constexpr int kCannotOpenString = 34060;     // "Não é possível abrir"
inline constexpr int kCannotOpenCaption = 34050;    // "Atenção"
inline constexpr int kNoDriverString = 6308;        // no capture driver installed
inline constexpr int kCannotConnectString = 6309;   // the device stopped answering
// Concluído when the chosen driver could not be connected.
inline constexpr int kDialogDriverFailed = -2;
inline constexpr int kDialogDone = 1;

class CaptureDialogSteps {
public:
    CaptureDialogSteps(VideoCapture& capture, DriverDialogs& dialogs);

    // Opening: lists the drivers, makes the capture window and connects the current driver.
    // The names for the list; the entry to show chosen is selected().
    std::vector<std::string> open();
    int selected() const { return capture_.selected(); }

    // Another list entry: the old driver goes, the new one connects. When it can't, the
    // message names it and the previous entry is chosen again; false then.
    bool chooseDriver(int index);
    // "F&onte" and "&Formatar": connect when needed, then the driver's dialog.
    bool source();
    bool format();
    // "&Capturar": a frame for the main window; null, after saying so, when none came.
    HDIB capture();
    // "Co&ncluído": 1, or −2 after closing everything when the chosen driver won't connect.
    int done();
    // Cancel: disconnect, stop, close the capture window.
    void cancel();

private:
    bool connectSelected();
    void showCannotOpen(int index) const;

    VideoCapture& capture_;
    DriverDialogs& dialogs_;
};

}  // namespace lv::video
