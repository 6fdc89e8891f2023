#pragma once
// The live picture of the capture device in the main window's workspace ("&Ao vivo"): the
// newest frame, fitted into the widget, refreshed while it shows.

#include "imagelib/dib.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lv::app {

inline constexpr int kPreviewMilliseconds = 40;

class VideoPreview final : public QWidget {
public:
    // `nextFrame` gives the device's newest frame, or null when none is waiting.
    VideoPreview(QWidget* parent, std::function<HDIB()> nextFrame);

    int framesShown() const { return framesShown_; }
    const QImage& frame() const { return frame_; }
    // Fetches a frame now, as the timer does.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<HDIB()> nextFrame_;
    QTimer timer_;
    QImage frame_;
    int framesShown_ = 0;
};

}  // namespace lv::app
