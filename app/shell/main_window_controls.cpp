// The main window's skinned controls: the colour panel in the "Cores" box and the screens'
// list boxes.

#include "app/shell/main_window.h"

#include "app/core/view/colours.h"
#include "app/core/shell_state.h"
#include "app/skin/colour_panel_layout.h"

namespace lv::app {
namespace {

QString ColourText(RgbTriple c)
{
    return QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
}

}  // namespace

void MainWindow::showColourPanel(SkinPanelWidget& base)
{
    const std::optional<QRect> box = base.controlRect(skin::kColourToolsControl);
    if (!box || base.findChild<ColourPanel*>())
        return;
    const bool large = Shell().screenMode.mode == 0;
    const skin::ColourPanelLayout layout
        = skin::ColourPanelLayoutFor(large ? skin::SkinVariant::Large : skin::SkinVariant::Small);
    auto* panel = new ColourPanel(
        base, large, skin_->loadControlPanel(layout.toolbarPanel),
        [] { return ColourPair{ActiveColour(), SecondaryColour()}; },
        [](const ColourPair& colours) { SetColours(colours.active, colours.secondary); });  // owned by the base panel's window
    // The panel's own choices and the colour picker's reach the swatches and the log alike.
    const int listener = AddColourListener([this, panel] {
        panel->refresh();
        LV_TEST_LOG(hooks_,
                    QStringLiteral("colours %1 %2").arg(ColourText(ActiveColour()), ColourText(SecondaryColour())));
    });
    QObject::connect(panel, &QObject::destroyed, [listener] { RemoveColourListener(listener); });
    panel->setGeometry(*box);
    panel->show();
}

ColourPanel* MainWindow::colourPanel() const
{
    SkinPanelWidget* base = skin_ ? skin_->panelAt(0) : nullptr;
    return base ? base->findChild<ColourPanel*>() : nullptr;
}

skin::ListBox* MainWindow::listBox(int controlId)
{
    return skin_ ? skin_->listBoxes().list(controlId) : nullptr;
}

void MainWindow::listPicked(const skin::ListNotification& notification)
{
    LV_TEST_LOG(hooks_, QStringLiteral("list %1 %2").arg(notification.controlId).arg(notification.message));
    ScreenCode* code = screenCode();
    skin::ListBox* list = listBox(notification.controlId);
    if (code && list)
        code->listPicked(notification, *list);
}

}  // namespace lv::app
