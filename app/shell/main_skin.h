#pragma once
// The skin of the main window: the panels of the screen shown, each in its own window at
// its place. A panel that stays from one screen to the next keeps its window and starts
// afresh; the others are loaded from the program folder.

#include "app/skin/panel_loader.h"
#include "app/skin/screen_composition.h"
#include "app/skin/toggle_memory.h"
#include "app/widgets/skin_fields.h"
#include "app/widgets/skin_list_boxes.h"
#include "app/widgets/skin_panel_widget.h"

#include <QPointer>
#include <QRect>

#include <filesystem>
#include <optional>
#include <vector>

namespace lv::app {

struct ShownPanel {
    int panel = -1;
    QRect area;  // in main-window coordinates
    QPointer<SkinPanelWidget> window;
};

class MainSkin {
public:
    MainSkin(QWidget& mainWindow, PanelHost& host, const skin::ButtonEnvironment& environment,
             skin::SkinVariant variant, std::filesystem::path programDir, SkinFields::ChangeHandler onFieldChange,
             SkinListBoxes::Notify onListPick);

    // Shows a screen: its panels in their places, their selections for that screen.
    void show(int screen);
    // The grouped buttons show the current screen again (a switch was cancelled).
    void showSelectionAgain();

    int screen() const { return screen_; }
    const std::vector<ShownPanel>& panels() const { return shown_; }
    // The panel window at depth `level` (0 base), or null.
    SkinPanelWidget* panelAt(int level) const;
    // A control of the shown panels (the base first) in main-window coordinates.
    std::optional<QRect> controlRect(int controlId) const;
    // A text field of the screen shown, by control id.
    QWidget* field(int controlId) const;
    // The text a field starts with when its panel is next shown.
    void presetField(int controlId, const QString& text) { fields_.preset(controlId, text); }
    // The list boxes of the screens: their items whether or not they show.
    SkinListBoxes& listBoxes() { return lists_; }
    // A panel of the skinned controls (a list's popup panel, a tool bar), loaded afresh.
    skin::LoadedPanel loadControlPanel(int panel) const;

    // A toggle changed: remembered for every screen, and followed by the other panels shown.
    void mirrorToggle(const SkinPanelWidget& from, const skin::effect::MirrorToggle& toggle);

private:
    SkinPanelWidget* windowFor(int panel, std::vector<ShownPanel>& old, const skin::LoadedPanel* loaded);

    QWidget& mainWindow_;
    PanelHost& host_;
    const skin::ButtonEnvironment& environment_;
    skin::SkinVariant variant_;
    std::filesystem::path programDir_;
    skin::StandardPictureDecoder decoder_;
    skin::ToggleMemory toggles_;
    SkinFields fields_;
    SkinListBoxes lists_;
    std::vector<ShownPanel> shown_;
    int screen_ = -1;
};

}  // namespace lv::app
