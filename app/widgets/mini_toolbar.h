#pragma once
// The mini tool bar ("Mini Toolbar"): a few small buttons drawn from a panel of the skin file
// (normal, pressed and hot pictures), firing their command on release, with standard
// tooltips. A hot button goes back to normal once the pointer has left the bar, which a
// 100 ms timer looks for.

#include "app/skin/mini_toolbar.h"
#include "app/skin/panel_loader.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

namespace lv::app {

inline constexpr char kMiniToolbarClass[] = "Mini Toolbar";

class MiniToolbar final : public QWidget {
public:
    using Command = std::function<void(int command)>;

    // Each button of `panel` becomes a button of the bar; its command is the button's handler.
    MiniToolbar(QWidget& parent, const skin::LoadedPanel& panel, Command command);

    const skin::ButtonBar& bar() const { return bar_; }
    // The pointer's place for the hot timer, in the bar's coordinates (the cursor's by default).
    void setPointerSource(std::function<QPoint()> source) { pointer_ = std::move(source); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void apply(const skin::BarChange& change);

    skin::ButtonBar bar_;
    QImage background_;
    std::vector<std::array<QImage, 3>> pictures_;  // normal, pressed, hot
    Command command_;
    std::function<QPoint()> pointer_;
    QTimer hotTimer_;
};

}  // namespace lv::app
