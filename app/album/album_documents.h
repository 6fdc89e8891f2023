#pragma once
// What the album page asks of the image windows: open a photo in a new window, and add a
// picture as a layer of the active window or of the window a photo was dropped on; a
// project's picture takes the photo into its current photo box instead.

#include "imagelib/dib.h"

#include <functional>
#include <string>

class QWidget;

namespace lv::app {

class DocumentWindows;
class ImageWindow;

class AlbumDocuments {
public:
    virtual ~AlbumDocuments() = default;
    virtual bool openPhoto(const std::string& path) = 0;
    virtual bool hasActiveImage() const = 0;
    // The image window `widget` belongs to (null: the active one) takes the picture as a new
    // layer. False when there is no such window or the layer could not be added.
    virtual bool addLayer(QWidget* widget, HDIB picture) = 0;
    // Whether the widget is (inside) an image window.
    virtual bool isImageWindow(const QWidget* widget) const = 0;
    // The window `widget` belongs to (null: the active one) is a project's page and took the
    // photo into its photo box; false leaves the photo to addLayer.
    virtual bool placeInProject(QWidget* /*widget*/, const std::string& /*path*/) { return false; }
};

// The program's image windows.
class ImageWindowsForAlbum final : public AlbumDocuments {
public:
    explicit ImageWindowsForAlbum(DocumentWindows& windows)
        : windows_(windows)
    {
    }
    bool openPhoto(const std::string& path) override;
    bool hasActiveImage() const override;
    bool addLayer(QWidget* widget, HDIB picture) override;
    bool isImageWindow(const QWidget* widget) const override;
    bool placeInProject(QWidget* widget, const std::string& path) override;

    // The project screens, which know which window is a project (set by the composition root).
    using ProjectPlacer = std::function<bool(ImageWindow& window, const std::string& path)>;
    void setProjectPlacer(ProjectPlacer placer) { placer_ = std::move(placer); }

private:
    DocumentWindows& windows_;
    ProjectPlacer placer_;
};

}  // namespace lv::app
