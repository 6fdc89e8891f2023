#pragma once
// "Calibração da impressora": per channel, brightness, contrast and gamma with the curve drawn;
// a chart printed to compare with the screen, and the chart as it is and as it will print.

#include "output/print/tone_curve.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace lv::app {

class CurveView;

class CalibrationDialog final : public QDialog {
public:
    explicit CalibrationDialog(QWidget* parent);

    const print::ChannelTones& tones() const { return tones_; }
    int channel() const { return channel_; }
    void setChannel(int channel);  // 0 red, 1 green, 2 blue, 3 grey
    void setTone(const print::ToneSettings& tone);
    bool calibrationOn() const;
    // The chart as it is and through the curves being edited.
    const QImage& chartBefore() const { return before_; }
    const QImage& chartAfter() const { return after_; }

    // Writes printcal.dat, the settings and the switch; false after telling the user why not.
    bool save();

private:
    void toneChanged();
    void refresh();
    void printChart();

    print::ChannelTones tones_{};
    int channel_ = 0;
    bool updating_ = false;
    QComboBox* channels_;
    QSlider* brightness_;
    QSlider* contrast_;
    QSlider* gamma_;
    QLabel* values_;
    CurveView* curve_;
    QLabel* beforeView_;
    QLabel* afterView_;
    QCheckBox* useCalibration_;
    HDIB chart_;
    QImage before_;
    QImage after_;
};

}  // namespace lv::app
