#pragma once
// The painting tools' option panels (screens 13–17): brush shape buttons, the size and
// density sliders, the retouching strength, the clone's "Alinhado" check and the choice of
// stamp and texture. They show and set the session's paint options; the brush settings go
// back to the configuration at exit.

#include "app/windows/screen_features.h"

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
    void choosePicture(bool stamp);

    QPointer<MainWindow> window_;
};

}  // namespace lv::app
