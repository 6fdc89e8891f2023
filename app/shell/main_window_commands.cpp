// The main window's commands: accelerator table 501, the help, the about box and the
// handlers the shell implements itself.

#include "app/shell/main_window.h"

#include "common/beep.h"
#include "common/program_paths.h"
#include "app/shell/about_dialog.h"
#include "app/skin/help_context.h"
#include "app/skin/keyboard.h"
#include "app/widgets/qt_text.h"
#include "common/string_table.h"
#include "common/ui_service.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

namespace lv::app {
namespace {

constexpr int kPreferencesItem = 36215;

}  // namespace

void MainWindow::registerShellHandlers()
{
    using skin::Handler;
    handlers_.set(Handler::SelectScreenArea, [this](const HandlerCall& call) { switcher_.selectArea(call.argument); });
    handlers_.set(Handler::SwitchScreen, [this](const HandlerCall& call) { switchScreen(int(call.argument & 0xFFFF)); });
    handlers_.set(Handler::ReturnFromInternet, [this](const HandlerCall&) { switchScreen(lastMainSkinScreen_); });
    handlers_.set(Handler::About, [this](const HandlerCall&) { showAbout(); });
    handlers_.set(Handler::HelpContents, [this](const HandlerCall&) { openHelp(std::nullopt); });
    handlers_.set(Handler::Minimize, [this](const HandlerCall&) { showMinimized(); });
    handlers_.set(Handler::Quit, [this](const HandlerCall&) { close(); });
    // As the help menu's item; the dialog opens once the button's release is handled.
    handlers_.set(Handler::Preferences, [this](const HandlerCall&) {
        QTimer::singleShot(0, this, [this] {
            if (!runCommand(kCommandPreferences))
                ui::Beep("command refused");
        });
    });
    // The dialog opens once the button's release is handled, not inside the panel's mouse handling.
    handlers_.set(Handler::StartSlideShow, [this](const HandlerCall&) {
        QTimer::singleShot(0, this, [this] { runSlideShow(true); });
    });
    handlers_.set(Handler::SlideShowSettings, [this](const HandlerCall&) {
        QTimer::singleShot(0, this, [this] { runSlideShow(false); });
    });
}

bool MainWindow::runCommand(int command)
{
    if (switcher_.busy())
        return true;  // answered with nothing
    switch (command) {
    case skin::kCommandHelp:
    case skin::kCommandEscape:
    case skin::kCommandNextField:
    case skin::kCommandClose:
    case skin::kCommandUndo:
    case skin::kCommandRedo:
    case skin::kCommandCut:
    case skin::kCommandCopy:
    case skin::kCommandPaste:
        runKeyboardCommand(command);
        return true;
    case kCommandHelpContents:
        openHelp(std::nullopt);
        return true;
    default:
        break;
    }
    const auto it = commands_.find(command);
    if (it == commands_.end())
        return false;
    it->second();
    return true;
}

// The window's own focus child, not the application's: until the window system has made the
// window active, a field given the focus is not the application's focus yet, and Tab would
// go back to the first field.
int MainWindow::focusedControl() const
{
    return SkinFields::ControlOf(focusWidget());
}

void MainWindow::runKeyboardCommand(int command)
{
    using skin::Handler;
    using skin::KeyboardAction;
    QWidget* focus = focusWidget();
    // The text fields are windows of their own, as the panels and the image windows are not:
    // copy and paste there reach the document.
    const bool focusElsewhere = focus && focus != this && !dynamic_cast<SkinPanelWidget*>(focus) &&
                                !imageWindows_.isImageWindow(focus);
    const skin::KeyboardContext context{screen(), focusedControl(), focusElsewhere, slideShow_ && slideShow_->isVisible()};
    const skin::KeyboardOutcome outcome = skin::RouteKeyboardCommand(command, context);
    switch (outcome.action) {
    case KeyboardAction::None:
        break;
    case KeyboardAction::ScreenHelp:
        openHelp(skin::HelpContextForScreen(screen()));
        break;
    case KeyboardAction::EscapeToSlideShow: {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(slideShow_, &escape);
        break;
    }
    case KeyboardAction::FocusField:
        if (QWidget* field = skin_ ? skin_->field(outcome.control) : nullptr)
            field->setFocus(Qt::TabFocusReason);
        break;
    case KeyboardAction::CloseMainWindow:
        close();
        break;
    case KeyboardAction::Undo:
        handlers_.call(Handler::Undo);
        break;
    case KeyboardAction::Redo:
        handlers_.call(Handler::Redo);
        break;
    case KeyboardAction::Beep:
        ui::Beep("undo not offered");
        break;
    case KeyboardAction::CopyThenDelete:
        handlers_.call(Handler::Copy);
        handlers_.call(Handler::DeleteLayerOrSelection);
        break;
    case KeyboardAction::Copy:
        handlers_.call(Handler::Copy);
        break;
    case KeyboardAction::SendCopyToFocus:
        QMetaObject::invokeMethod(focus, "copy");
        break;
    case KeyboardAction::Paste:
        handlers_.call(Handler::Paste);
        break;
    case KeyboardAction::SendPasteToFocus:
        QMetaObject::invokeMethod(focus, "paste");
        break;
    }
}

void MainWindow::openHelp(std::optional<int> context)
{
    const std::string page = context ? skin::HelpPageForContext(*context) : std::string(skin::kHelpContentsPage);
    if (!help_)
        help_ = std::make_unique<HelpWindow>(ProgramFile(skin::kHelpFolder));
    // Over an open dialog the help takes the input until it closes, or the dialog would block it.
    QWidget* modal = QApplication::activeModalWidget();
    help_->showPage(page, modal && modal != help_.get());
    LV_TEST_LOG(hooks_, QStringLiteral("help ") + QString::fromStdString(page));
}

void MainWindow::showHelpMenu(QPoint at)
{
    auto* menu = new QMenu(this);  // deletes itself when closed
    menu->setObjectName(QStringLiteral("menu %1").arg(kHelpMenu));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("&Ajuda"), this, [this] { runCommand(skin::kCommandHelp); });
    menu->addAction(StringText(kPreferencesItem), this, [this] { runCommand(kCommandPreferences); });
    menu->addAction(QString::fromLatin1(imageWindows_.layerPaletteShown() ? kHideLayerPaletteItem : kShowLayerPaletteItem),
                    this, [this] { handlers_.call(skin::Handler::ShowLayerPalette); });
    menu->popup(at);
    LV_TEST_LOG(hooks_, QStringLiteral("menu %1").arg(kHelpMenu));
}

void MainWindow::showAbout()
{
    AboutDialog about(this);
    LV_TEST_LOG(hooks_, QStringLiteral("about"));
    if (hooks_.answersDialogs())
        QTimer::singleShot(0, &about, &QDialog::accept);
    about.exec();
}

}  // namespace lv::app
