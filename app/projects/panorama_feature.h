#pragma once
// The "Panorama" button of screen 23: opens the panorama window on the open album's chosen
// photos; its result becomes a new untitled picture.

#include "app/shell/test_hooks.h"

#include <QPointer>

namespace lv::album {
class Album;
}

namespace lv::app {

class DocumentWindows;
class MainWindow;
class OpenAlbum;
class PanoramaWindow;

class PanoramaFeature {
public:
    PanoramaFeature(MainWindow& window, DocumentWindows& documents, const album::Album& shownAlbum,
                    const OpenAlbum& openAlbum, const TestHooks& hooks);

private:
    void open();

    MainWindow& window_;
    DocumentWindows& documents_;
    const album::Album& shownAlbum_;
    const OpenAlbum& openAlbum_;
    const TestHooks& hooks_;
    QPointer<PanoramaWindow> panorama_;  // deletes itself when it closes
};

}  // namespace lv::app
