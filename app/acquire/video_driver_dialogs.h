#pragma once
// The capture driver's own dialogs: "Origem do vídeo" with the device's picture controls
// (applied as they move, so the live view shows them; Cancelar puts them back) and "Formato
// do vídeo" with the codings and frame sizes the device offers.

#include "acquire/video/capture_window.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace lv::app {

class VideoSourceDialog final : public QDialog {
public:
    VideoSourceDialog(QWidget* parent, video::CaptureDriver& driver);
    // True when a control now differs from what it was when the dialog opened.
    bool changed() const;
    void reject() override;

private:
    void set(std::uint32_t id, int value);

    video::CaptureDriver& driver_;
    std::vector<video::VideoControl> original_;
};

class VideoFormatDialog final : public QDialog {
public:
    VideoFormatDialog(QWidget* parent, video::CaptureDriver& driver);
    // Sets the chosen format; the dialog stays open when the device refuses it.
    void accept() override;

private:
    void fillSizes();

    video::CaptureDriver& driver_;
    std::vector<video::FormatOption> options_;
    QComboBox* coding_;
    QComboBox* size_;
};

// Runs them modally over `parent`.
class QtDriverDialogs final : public video::DriverDialogs {
public:
    explicit QtDriverDialogs(QWidget* parent = nullptr)
        : parent_(parent)
    {
    }
    void setParent(QWidget* parent) { parent_ = parent; }
    bool videoSource(video::CaptureDriver& driver) override;
    bool videoFormat(video::CaptureDriver& driver) override;

private:
    QWidget* parent_;
};

}  // namespace lv::app
