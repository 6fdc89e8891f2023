#pragma once
// Switching the main window from one screen to another, step by step. The surrounding
// program supplies the steps that touch windows through ScreenSwitchHooks.

#include "app/skin/screen_areas.h"

#include <string>

namespace lv::skin {

class ScreenSwitchHooks {
public:
    virtual ~ScreenSwitchHooks() = default;
    // Leaving a template screen: whether its template window is visible and changed.
    virtual bool templateChanged(int screen) = 0;
    // "Sim" to the template question: the projects screen keeps the template.
    virtual void keepTemplate(int screen) = 0;
    // "Cancelar": the screen buttons show the current screen again.
    virtual void restoreScreenButtons(int screen) = 0;
    virtual void closeCapturePreview() = 0;
    virtual void resetBrushSizeButtons() = 0;
    // Text editor, colour views, full view, album windows and preview of the current screen.
    virtual void closeAuxiliaryWindows(int screen) = 0;
    virtual void hideActiveToolState() = 0;
    virtual void refreshDocumentList() = 0;
    // Loads the panels of the new screen.
    virtual void rebuildSkin(int screen) = 0;
    virtual void resetSubMode() = 0;
};

// The projects screens that hold a template page.
bool IsTemplateScreen(int screen);

// String 6461 "Deseja manter o modelo atual?" with two lines saying what Sim and Não do, asked
// when a changed template is left or replaced.
std::string KeepTemplateQuestion();

enum class SwitchResult { Switched, Cancelled, InvalidScreen };

class ScreenSwitcher {
public:
    explicit ScreenSwitcher(ScreenSwitchHooks& hooks, int startScreen = 0);

    SwitchResult switchTo(int screen, bool refreshDocuments);
    // A press of an area button (group 6) with its argument.
    SwitchResult selectArea(unsigned argument);

    int current() const { return current_; }
    // Set during a switch: the main window then answers every message except the
    // edit-colour request with 0.
    bool busy() const { return busy_; }
    const AreaMemory& areas() const { return areas_; }

private:
    ScreenSwitchHooks& hooks_;
    AreaMemory areas_;
    int current_;
    bool busy_ = false;
};

}  // namespace lv::skin
