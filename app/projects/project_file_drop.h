#pragma once
// Files dragged from the desktop (a file manager's text/uri-list) onto a project's page: one
// dropped on a photo box fills that box, as an album photo dropped there does; anywhere else
// the main window opens it as a new picture.

#include "edit/layer_stack.h"

#include <QObject>

#include <functional>
#include <string>

class QPoint;
class QWidget;

namespace lv::app {

// The front-most photo box (a photo placeholder, not text, a calendar piece or the background)
// holding the document point; −1 for none.
int PhotoBoxAt(const LayerStack& document, Point point);

class ProjectFileDrop final : public QObject {
public:
    // `take(point, path)`: whether the file dropped at `point` (the main window's coordinates)
    // went into a photo box; when not, the main window has the drop.
    using Taker = std::function<bool(const QPoint& point, const std::string& path)>;
    ProjectFileDrop(QWidget& mainWindow, Taker take);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Taker take_;
};

}  // namespace lv::app
