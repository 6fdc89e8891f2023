#pragma once
// The magic wand's options on the selection screen (8): the contiguous switch, the three
// tolerance sliders with their arrows and fields, and the combine mode. They show and set
// the wand's settings, which last while the program runs.

#include "app/shell/screen_features.h"

#include <QPointer>

namespace lv::app {

class MainWindow;
class SkinPanelWidget;

inline constexpr int kSelectionScreen = 8;

class WandOptions final : public ScreenCode {
public:
    // Takes the wand's buttons of the main window and the selection screen's code.
    explicit WandOptions(MainWindow& window);
    ~WandOptions() override;

    void shown(MainSkin& skin) override;
    void fieldChanged(int controlId, const QString& text) override;
    void sliderReleased(int panel, int button, int value) override;

    // Sets one tolerance (channel 1 red, 2 green, 3 blue), kept within 0..255, and shows it.
    void setTolerance(int channel, int value);

private:
    SkinPanelWidget* panel() const;
    void showTolerance(int channel);

    QPointer<MainWindow> window_;  // may go first at shutdown
    bool showing_ = false;  // a field set from here is not read back
};

}  // namespace lv::app
