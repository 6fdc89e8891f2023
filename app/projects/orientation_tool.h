#pragma once
// The "Orientação" button of screen 23 "Panorama e orientação": opens the orientation dialog
// on the open album's photos. Test commands (test builds): "orientation open",
// "orientation left|right|auto", "orientation trim".

#include "app/shell/test_hooks.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace lv::app {

class MainWindow;
class OpenAlbum;
class OrientationDialog;

class OrientationTool {
public:
    // `selection` gives the photos selected on the album page (absolute paths).
    using Selection = std::function<std::vector<std::string>()>;
    OrientationTool(MainWindow& window, OpenAlbum& album, Selection selection, const TestHooks& hooks);
    ~OrientationTool();
    OrientationTool(const OrientationTool&) = delete;
    OrientationTool& operator=(const OrientationTool&) = delete;

    void open();
#ifdef LV_TEST_DRIVER
    bool handleTestCommand(const QString& command);
#endif

private:
    MainWindow& window_;
    OpenAlbum& album_;
    const Selection selection_;
    const TestHooks& hooks_;
    QPointer<OrientationDialog> dialog_;
};

}  // namespace lv::app
