#include "app/album/album_documents.h"

#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "edit/layers.h"

namespace lv::app {
namespace {

ImageWindow* imageWindowOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* window = dynamic_cast<ImageWindow*>(w))
            return window;
    return nullptr;
}

}  // namespace

bool ImageWindowsForAlbum::openPhoto(const std::string& path)
{
    return windows_.openDocument(path);
}

bool ImageWindowsForAlbum::hasActiveImage() const
{
    return windows_.active() != nullptr;
}

bool ImageWindowsForAlbum::addLayer(QWidget* widget, HDIB picture)
{
    ImageWindow* window = widget ? imageWindowOf(widget) : windows_.active();
    if (!window || !picture)
        return false;
    windows_.activate(*window);
    // On top of the stack, as a new layer is.
    if (!AddLayer(window->document(), 0, std::move(picture), {}, true, false))
        return false;
    window->documentChanged();
    return true;
}

bool ImageWindowsForAlbum::placeInProject(QWidget* widget, const std::string& path)
{
    ImageWindow* window = widget ? imageWindowOf(widget) : windows_.active();
    return window && placer_ && placer_(*window, path);
}

bool ImageWindowsForAlbum::isImageWindow(const QWidget* widget) const
{
    return imageWindowOf(const_cast<QWidget*>(widget)) != nullptr;
}

}  // namespace lv::app
