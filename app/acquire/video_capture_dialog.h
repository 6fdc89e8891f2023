#pragma once
// Dialog 100, "Capturar imagem da câmara de vídeo": the capture drivers (list 200), the
// driver's format and source dialogs, the live view in the main window, grabbing a frame,
// and Concluído.

#include "acquire/video/capture_dialog_steps.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;

namespace lv::app {

struct VideoCaptureActions {
    // A grabbed frame; `toAlbum` when it goes into the open album instead of a window.
    std::function<void(HDIB frame, bool toAlbum)> captured;
    std::function<void()> live;
    std::function<void()> cancelled;  // everything was closed: the live view too
    bool albumOpen = false;           // offer to keep frames in the open album
    bool camerasFound = true;         // a real device, not only the test pattern
};

class VideoCaptureDialog final : public QDialog {
public:
    VideoCaptureDialog(QWidget* parent, video::VideoCapture& capture, video::DriverDialogs& dialogs,
                       VideoCaptureActions actions);

    // "Co&ncluído": ends with 1, or −2 when the chosen driver can't be connected.
    void accept() override;
    // Cancel: closes the capture and ends with 0.
    void reject() override;

private:
    void choose(int index);
    void grab();

    video::CaptureDialogSteps steps_;
    VideoCaptureActions actions_;
    QComboBox* drivers_;
    QCheckBox* toAlbum_ = nullptr;
};

}  // namespace lv::app
