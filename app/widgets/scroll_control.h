#pragma once
// The skin's scroll control ("scrollcontrol"): a thin bar in the skin's colours laid over
// an edge of an image window. It shows the window's scroll range and position and sends the
// ordinary scroll requests back: a page for a press beside the thumb, the thumb's position
// while it is dragged.

#include "app/core/view/image_view.h"

#include <QWidget>

#include <functional>

namespace lv::app {

inline constexpr char kScrollControlClass[] = "scrollcontrol";
inline constexpr int kScrollControlThickness = 10;

class ScrollControl final : public QWidget {
public:
    using ScrollRequest = std::function<void(ScrollAction action, int position)>;

    ScrollControl(Qt::Orientation orientation, QWidget& parent, ScrollRequest request);

    // The range shown: positions 0..maximum, `page` pixels in view.
    void showRange(const ScrollBarState& state, int page);
    const ScrollBarState& range() const { return state_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int along(const QPointF& point) const;
    int track() const;

    Qt::Orientation orientation_;
    ScrollRequest request_;
    ScrollBarState state_;
    int page_ = 0;
    int grab_ = -1;  // where in the thumb it was taken, while dragged
};

}  // namespace lv::app
