#pragma once
// The "Orientação" button of screen 23 "Panorama e orientação": opens the orientation dialog
// on the open album's photos. Test commands (test builds): "orientation open",
// "orientation left|right|auto", "orientation trim", "orientation all" (no photo chosen).

#include "app/shell/test_hooks.h"

#include <QPointer>
#include <QString>

#include <string>
#include <vector>

namespace lv::album {
class Album;
}

namespace lv::app {

class MainWindow;
class OpenAlbum;
class OrientationDialog;

class OrientationTool {
public:
    // `shown` is the album page's album in memory: its selection is offered, and its records
    // of turned photos follow the file's.
    OrientationTool(MainWindow& window, OpenAlbum& album, album::Album& shown, const TestHooks& hooks);
    ~OrientationTool();
    OrientationTool(const OrientationTool&) = delete;
    OrientationTool& operator=(const OrientationTool&) = delete;

    void open();
#ifdef LV_TEST_DRIVER
    bool handleTestCommand(const QString& command);
#endif

private:
    std::vector<std::string> selection() const;

    MainWindow& window_;
    OpenAlbum& album_;
    album::Album& shown_;
    const TestHooks& hooks_;
    QPointer<OrientationDialog> dialog_;
};

}  // namespace lv::app
