#include "app/skin/screen_switch.h"

#include "app/skin/screen_table.h"
#include "common/string_table.h"
#include "common/ui_service.h"

namespace lv::skin {
namespace {

constexpr int kKeepTemplateQuestion = 6461;
constexpr int kVideoCaptureScreen = 26;
constexpr int kAcquireScreen = 1;

}  // namespace

std::string KeepTemplateQuestion()
{
    // The question alone leaves the user guessing what each answer does to the template.
    return std::string(LoadString(kKeepTemplateQuestion))
           + "\nSim: ele continua aberto como uma imagem comum, para editar e salvar."
             "\nNão: ele é fechado e as mudanças se perdem.";
}

bool IsTemplateScreen(int screen)
{
    return screen == 19 || screen == 20 || screen == 21;
}

ScreenSwitcher::ScreenSwitcher(ScreenSwitchHooks& hooks, int startScreen)
    : hooks_(hooks)
    , current_(startScreen)
{
    areas_.noteScreen(startScreen);
}

SwitchResult ScreenSwitcher::switchTo(int screen, bool refreshDocuments)
{
    if (!IsValidScreen(screen))
        return SwitchResult::InvalidScreen;
    const int leaving = current_;

    if (IsTemplateScreen(leaving) && hooks_.templateChanged(leaving)) {
        const ui::Answer answer = ui::Current().ask(KeepTemplateQuestion(), ui::kProductTitle,
                                                    ui::Buttons::YesNoCancel, ui::Icon::Question);
        if (answer == ui::Answer::Cancel) {
            hooks_.restoreScreenButtons(leaving);
            return SwitchResult::Cancelled;
        }
        if (answer == ui::Answer::Yes)
            hooks_.keepTemplate(leaving);
    }

    busy_ = true;
    const bool keepsCapture = screen == kVideoCaptureScreen
                           || (screen == kAcquireScreen && leaving == kVideoCaptureScreen);
    if (!keepsCapture) {
        hooks_.closeCapturePreview();
        hooks_.resetBrushSizeButtons();
    }
    hooks_.closeAuxiliaryWindows(leaving);
    hooks_.hideActiveToolState();
    if (refreshDocuments)
        hooks_.refreshDocumentList();
    busy_ = false;

    hooks_.rebuildSkin(screen);
    current_ = screen;
    areas_.noteScreen(screen);
    const int firstNested = ScreenLayout(screen).panelAt(1);
    if (firstNested != 12 && firstNested != 17)
        hooks_.resetSubMode();
    return SwitchResult::Switched;
}

SwitchResult ScreenSwitcher::selectArea(unsigned argument)
{
    return switchTo(areas_.targetOf(argument & 0xFFFF), false);
}

}  // namespace lv::skin
