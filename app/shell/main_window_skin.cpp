// The main window as the host of its skin panels and as the screen switch's hands.

#include "app/shell/main_window.h"

#include "app/widgets/shared_style.h"
#include "app/skin/button_table.h"
#include "app/skin/help_context.h"
#include "app/widgets/qt_text.h"
#include "common/string_table.h"

#include <QPainter>

namespace lv::app {
namespace {

constexpr int kStatusPadding = 6;

// The zoom box is too narrow for "Visualizar 25%" on one line: it shows the percentage, and
// the status field keeps the words.
QString ZoomBoxText(const QString& readout)
{
    return readout.section(' ', -1);
}

}  // namespace

void MainWindow::fire(SkinPanelWidget& panel, const skin::effect::Fire& fire)
{
    handlers_.call({fire.handler, fire.argument, fire.point, fire.state, fire.dragBlock, fire.button,
                    panel.panel(), &panel});
}

void MainWindow::showStatus(int stringId)
{
    setStatusText(StringText(stringId));
}

void MainWindow::setStatusText(const QString& text)
{
    status_ = text;
    repaintBaseControl(kStatusControl);
}

void MainWindow::setZoomReadout(const QString& text)
{
    zoomStatus_ = text;
    zoomReadout_ = text.trimmed();
    if (SkinPanelWidget* base = skin_ ? skin_->panelAt(0) : nullptr)
        base->setControlText(kZoomReadoutControl, ZoomBoxText(zoomReadout_));
}

void MainWindow::showTooltip(SkinPanelWidget& panel, int stringId, QPoint at)
{
    tooltip_.show(panel, at, LoadString(stringId));
}

void MainWindow::hideTooltip()
{
    tooltip_.hide();
}

void MainWindow::playSound(std::string_view file)
{
    sounds_->play(file);
    LV_TEST_LOG(hooks_, QStringLiteral("sound ") + QtText(file));
}

void MainWindow::sliderReleased(SkinPanelWidget& panel, int button, int value)
{
    if (ScreenCode* code = screenCode())
        code->sliderReleased(panel.panel(), button, value);
}

void MainWindow::toggleMirrored(SkinPanelWidget& panel, const skin::effect::MirrorToggle& toggle)
{
    skin_->mirrorToggle(panel, toggle);
}

void MainWindow::leftPressed(SkinPanelWidget&)
{
    setFocus(Qt::MouseFocusReason);
    pageBlinkAtPress_ = pageBlinkTimer_.isActive();
}

void MainWindow::leftReleased(SkinPanelWidget& panel, QPoint at, int controlId)
{
    if (&panel != skin_->panelAt(0))
        return;
    // A card of the start screen counts as its area's button.
    if (const int i = skin::ButtonIndexByControl(0, controlId); i >= 0) {
        const skin::ButtonDefinition& b = skin::PanelButtons(0)[std::size_t(i)];
        if (b.art.style == skin::ButtonStyle::Card)
            controlId = skin::AreaButtonControl(skin::AreaOfArgument(b.argument));
    }
    if (const auto image = areaBlink_.released(controlId))
        panel.showControlImage(areaBlink_.control(), *image);
    if (!areaBlink_.running())
        areaBlinkTimer_.stop();
    if (pageBlinkAtPress_) {
        const auto image = pageBlink_.released(controlId);
        SkinPanelWidget* page = skin_->panelAt(1);
        if (image && page)
            page->showControlImage(pageBlink_.control(), *image);
        if (!pageBlink_.running())
            pageBlinkTimer_.stop();
    }
    const QPoint point = panel.mapTo(this, at);
    if (const auto workspace = controlRect(kWorkspaceControl); workspace && workspace->contains(point))
        imageWindows_.activateAt(point);
}

void MainWindow::rightPressed(SkinPanelWidget& panel, QPoint at, int button)
{
    const QPoint point = panel.mapTo(this, at);
    // Only a button of the base panel opens its screen's help; anywhere else the help menu.
    if (&panel != skin_->panelAt(0)) {
        showHelpMenu(mapToGlobal(point));
        return;
    }
    if (const auto workspace = controlRect(kWorkspaceControl); workspace && workspace->contains(point))
        return;
    if (button >= 0)
        openHelp(skin::HelpContextForScreen(screen()));
    else
        showHelpMenu(mapToGlobal(point));
}

void MainWindow::blinkTick(skin::AttentionBlink& blink, QTimer& timer, int level)
{
    if (switcher_.busy())
        return;
    const auto image = blink.tick();
    if (!image) {
        timer.stop();
        return;
    }
    if (SkinPanelWidget* panel = skin_->panelAt(level))
        panel->showControlImage(blink.control(), *image);
}

// Control 192 of the first nested panel blinks while it is shown, until the blink stops.
void MainWindow::startPageBlinkIfShown()
{
    SkinPanelWidget* page = skin_->panelAt(1);
    if (pageBlink_.running() && page && page->controlRect(pageBlink_.control())) {
        if (!pageBlinkTimer_.isActive())
            pageBlinkTimer_.start(skin::kBlinkMilliseconds);
    } else {
        pageBlinkTimer_.stop();
    }
}

void MainWindow::paintBaseOverlay(QPainter& painter) const
{
    const SkinPanelWidget* base = skin_->panelAt(0);
    if (!base)
        return;
    if (const auto workspace = base->controlRect(kWorkspaceControl); workspace && !imageWindows_.anyOpen()
                                                                    && !workspaceTaken_ && !splash_.isNull()) {
        const QPoint corner = workspace->topLeft()
                            + QPoint((workspace->width() - splash_.width()) / 2, (workspace->height() - splash_.height()) / 2);
        painter.save();
        painter.setClipRect(*workspace);
        painter.drawImage(corner, splash_);
        painter.restore();
    }
    if (const auto lamp = base->controlRect(kIndicatorControl))
        painter.drawImage(lamp->topLeft(), indicatorLit_ ? indicator_ : indicatorBlank_);
    if (const auto status = base->controlRect(kStatusControl); status && !status_.isEmpty()) {
        // On the dark skin the status text takes the shared brush's grey as its colour.
        painter.setFont(SharedFont());
        painter.setPen(SharedBrushColour());
        const QRect text = status->adjusted(kStatusPadding, 0, -kStatusPadding, 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(status_, Qt::ElideRight, text.width()));
    }
}

bool MainWindow::activeImageScrollable() const
{
    return imageWindows_.activeScrollable();
}

bool MainWindow::templateChanged(int screen)
{
    return switchFeatures_.templateChanged && switchFeatures_.templateChanged(screen);
}

void MainWindow::keepTemplate(int screen)
{
    if (switchFeatures_.keepTemplate)
        switchFeatures_.keepTemplate(screen);
}

void MainWindow::restoreScreenButtons(int)
{
    skin_->showSelectionAgain();
}

void MainWindow::closeCapturePreview()
{
    if (switchFeatures_.closeCapturePreview)
        switchFeatures_.closeCapturePreview();
}

void MainWindow::resetBrushSizeButtons()
{
    if (switchFeatures_.resetBrushSizeButtons)
        switchFeatures_.resetBrushSizeButtons();
}

void MainWindow::closeAuxiliaryWindows(int screen)
{
    if (ScreenCode* code = screenCodeOf(screen))
        code->leaving(screen);
    if (switchFeatures_.closeAuxiliaryWindows)
        switchFeatures_.closeAuxiliaryWindows(screen);
}

void MainWindow::rebuildSkin(int screen)
{
    tooltip_.hide();
    // A hint of the last screen goes; the active picture's zoom shows until the new one says more.
    status_ = zoomStatus_;
    skin_->show(screen);
    if (skin::ScreenLayout(screen).basePanel == 0)
        lastMainSkinScreen_ = screen;
    if (SkinPanelWidget* base = skin_->panelAt(0)) {
        base->setOverlay([this](QPainter& painter) { paintBaseOverlay(painter); });
        base->setControlText(kZoomReadoutControl, ZoomBoxText(zoomReadout_));
        showColourPanel(*base);
    }
    // The Internet screens have no workspace: the pictures wait until one shows again.
    imageWindows_.workspaceShown(controlRect(kWorkspaceControl).has_value() && !workspaceTaken_);
    startPageBlinkIfShown();
    // The switch names the new screen only after this: its code by the number given.
    if (const auto code = screenCodes_.find(screen); code != screenCodes_.end() && code->second)
        code->second->shown(*skin_);

    QStringList panels;
    for (const ShownPanel& shown : skin_->panels())
        panels << QString::number(shown.panel);
    LV_TEST_LOG(hooks_, QStringLiteral("screen %1 panels %2").arg(screen).arg(panels.join(',')));
    if (ScreenCode* code = screenCodeOf(screen))
        code->shown(screen);
}

void MainWindow::resetSubMode()
{
    if (switchFeatures_.resetSubMode)
        switchFeatures_.resetSubMode();
}

}  // namespace lv::app
