#pragma once
// A strip along the top of a small floating window that moves the window while it is
// dragged: without a window manager such a window has no title bar to take it by.

#include <QPoint>
#include <QWidget>

#include <optional>

namespace lv::app {

class DragStrip final : public QWidget {
public:
    explicit DragStrip(const QString& title, QWidget* parent);

    static constexpr int kHeight = 14;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString title_;
    // Where the press took the window, from the window's top left.
    std::optional<QPoint> grip_;
};

}  // namespace lv::app
