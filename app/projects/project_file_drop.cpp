#include "app/projects/project_file_drop.h"

#include "app/core/project_steps.h"
#include "edit/layers.h"
#include "projects/placeholders.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace lv::app {

int PhotoBoxAt(const LayerStack& document, Point point)
{
    const std::vector<int> boxes = PlaceholderLayers(document);  // bottom first
    for (auto layer = boxes.rbegin(); layer != boxes.rend(); ++layer) {
        const LayerRecord& record = document.layers[std::size_t(*layer)];
        if (record.kind == LAYER_TEXT || KindOfPlaceholder(record.name) != PlaceholderKind::Photo)
            continue;
        const auto box = GetLayerTopDownRect(document, *layer);
        if (box && point.x >= box->left && point.x < box->right && point.y >= box->top && point.y < box->bottom)
            return *layer;
    }
    return -1;
}

ProjectFileDrop::ProjectFileDrop(QWidget& mainWindow, Taker take)
    : take_(std::move(take))
{
    mainWindow.installEventFilter(this);  // taken off when this object goes
}

bool ProjectFileDrop::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* mime = drop->mimeData();
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().front().isLocalFile())
        return false;
    if (!take_(drop->position().toPoint(), mime->urls().front().toLocalFile().toStdString()))
        return false;
    drop->acceptProposedAction();
    return true;
}

}  // namespace lv::app
