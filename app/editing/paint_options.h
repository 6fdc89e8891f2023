#pragma once
// The painting tools' option panels (screens 13–17): brush shape buttons and the picture of
// the custom shape, the size, density, softness and pressure sliders, the retouching
// strength, the clone's "Alinhado" and soft-edge checks, the eraser's soft edge and
// strength, the fill's tolerance and transparency, and the choice of stamp and texture from
// their system albums. They show and set the session's paint options; the brush settings
// go back to the configuration at exit.

#include "app/editing/paint_picture_dialog.h"
#include "app/shell/screen_features.h"

#include <QPointer>

namespace lv::app {

class MainWindow;
class SkinPanelWidget;

class PaintOptionsPanels final : public ScreenCode {
public:
    explicit PaintOptionsPanels(MainWindow& window);
    ~PaintOptionsPanels() override;

    void shown(MainSkin& skin) override;
    void sliderReleased(int panel, int button, int value) override;

private:
    // The shown panel of one of the paint screens, or null.
    SkinPanelWidget* panel() const;
    void choosePicture(PaintPictureKind kind);

    QPointer<MainWindow> window_;
};

}  // namespace lv::app
