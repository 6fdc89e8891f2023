#pragma once
// What the album page asks of the image windows: open a photo in a new window, and add a
// picture as a layer of the active window or of the window a photo was dropped on.

#include "imagelib/dib.h"

#include <string>

class QWidget;

namespace lv::app {

class DocumentWindows;

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

private:
    DocumentWindows& windows_;
};

}  // namespace lv::app
