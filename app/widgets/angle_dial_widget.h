#pragma once
// The "supermeter" angle dial on light grey: a frame, the circle with its hub, ticks and the
// labels 0, 90, 180 and 270, and a needle toward the point the user gave with the left
// button. After each paint that followed such a point it reports the angle, as the design
// sets its parent's item 100.

#include "app/skin/angle_dial.h"

#include <QWidget>

#include <functional>

namespace lv::app {

inline constexpr char kDialClass[] = "supermeter";

class AngleDialWidget final : public QWidget {
public:
    using Report = std::function<void(unsigned angle)>;

    AngleDialWidget(QWidget& parent, Report report);

    // The needle shows this angle; nothing is reported for it.
    void setAngle(int degrees);
    const skin::AngleDial& dial() const { return dial_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void take(QPoint point);

    skin::AngleDial dial_;
    Report report_;
};

}  // namespace lv::app
