#include "app/shell/main_window.h"

#include "common/beep.h"
#include "common/program_paths.h"
#include "app/core/screen_mode.h"
#include "app/core/shell_state.h"
#include "app/shell/help_request.h"
#include "app/widgets/program_icon.h"
#include "app/widgets/program_picture.h"
#include "app/skin/dropped_files.h"
#include "common/string_table.h"
#include "common/ui_service.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QUrl>

namespace lv::app {
namespace {

std::vector<std::string> DroppedFiles(const QMimeData* mime)
{
    std::vector<std::string> files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    return files;
}

// What the main window answers with nothing while it switches screens.
bool HeldBackWhileSwitching(QEvent::Type type)
{
    switch (int(type)) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ContextMenu:
    case QEvent::Close:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Timer:
    case kAcquiredPictureRequest:
    case kRealisePaletteRequest:
    case kHelpRequestEvent:
        return true;
    default:
        return false;
    }
}

}  // namespace

MainWindow::MainWindow(DocumentOpener& opener, ImageWindows& imageWindows, const TestHooks& hooks,
                       DestroyHandler onDestroy)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , opener_(opener)
    , imageWindows_(imageWindows)
    , hooks_(hooks)
    , onDestroy_(std::move(onDestroy))
    , switcher_(*this)
{
    setObjectName(kMainWindowClass);
    setWindowTitle(kMainWindowClass);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    imageTickTimer_.setObjectName(QStringLiteral("timer %1").arg(kImageTickTimer));
    areaBlinkTimer_.setObjectName(QStringLiteral("timer %1").arg(skin::kAreaBlinkTimer));
    pageBlinkTimer_.setObjectName(QStringLiteral("timer %1").arg(skin::kPageBlinkTimer));
    connect(&imageTickTimer_, &QTimer::timeout, this, [this] {
        if (imageTickTimer_.interval() != kImageTickMilliseconds) {  // the first tick after a slide show
            imageTickTimer_.setInterval(kImageTickMilliseconds);
            LV_TEST_LOG(hooks_, QStringLiteral("timer %1 every %2").arg(kImageTickTimer).arg(kImageTickMilliseconds));
        }
        if (!switcher_.busy())
            imageWindows_.tick();
    });
    connect(&areaBlinkTimer_, &QTimer::timeout, this, [this] { blinkTick(areaBlink_, areaBlinkTimer_, 0); });
    connect(&pageBlinkTimer_, &QTimer::timeout, this, [this] { blinkTick(pageBlink_, pageBlinkTimer_, 1); });
    registerShellHandlers();
}

MainWindow::~MainWindow()
{
    delete slideShow_.data();  // its end puts this window's timer back, while the timer is there
    // The panel windows and the fields in them talk to the skin and to this window: they go
    // first, before the members they use.
    const QObjectList children = this->children();
    for (QObject* child : children)
        if (auto* panel = dynamic_cast<SkinPanelWidget*>(child))
            delete panel;
}

bool MainWindow::create()
{
    ShellState& shell = Shell();
    for (const int message : DisplayMessages(shell.displayBitsPerPixel, shell.screenMode.mode))
        ui::Current().showMessage(LoadString(message), ui::kWarningTitle, ui::Icon::Exclamation);
    if (ModeRefused(shell.screenMode.mode))
        return false;

    const bool large = shell.screenMode.mode == 0;
    const std::filesystem::path programDir = ProgramDir();
    QApplication::setWindowIcon(ProgramIcon());  // this window's and every dialog's
    skin_ = std::make_unique<MainSkin>(*this, static_cast<PanelHost&>(*this), static_cast<skin::ButtonEnvironment&>(*this),
                                       large ? skin::SkinVariant::Large : skin::SkinVariant::Small,
                                       programDir,
                                       [this](int control, const QString& text) {
                                           if (ScreenCode* code = screenCode())
                                               code->fieldChanged(control, text);
                                       },
                                       [this](const skin::ListNotification& n) { listPicked(n); });
    sounds_ = std::make_unique<ClickSounds>(programDir);
    rebuildSkin(switcher_.current());
    show();
    imageTickTimer_.start(kImageTickMilliseconds);
    areaBlinkTimer_.start(skin::kBlinkMilliseconds);
    splash_ = ProgramPicture(large ? "ui/splashscreen.800" : "ui/splashscreen.640");
    indicator_ = ProgramPicture("ui/Indicator.640");
    indicatorBlank_ = ProgramPicture("ui/Indicatorblank.640");
    return true;
}

void MainWindow::setCommandHandler(int command, CommandHandler handler)
{
    commands_[command] = std::move(handler);
}

void MainWindow::setScreenCode(int screen, ScreenCode* code)
{
    if (code)
        screenCodes_[screen] = code;
    else
        screenCodes_.erase(screen);
}

ScreenCode* MainWindow::screenCode() const
{
    return screenCodeOf(screen());
}

ScreenCode* MainWindow::screenCodeOf(int screen) const
{
    const auto it = screenCodes_.find(screen);
    return it == screenCodes_.end() ? nullptr : it->second;
}

bool MainWindow::switchScreen(int screen)
{
    return switcher_.switchTo(screen, false) == skin::SwitchResult::Switched;
}

std::optional<QRect> MainWindow::controlRect(int controlId) const
{
    return skin_ ? skin_->controlRect(controlId) : std::nullopt;
}

void MainWindow::setIndicatorLit(bool lit)
{
    if (lit == indicatorLit_)
        return;
    indicatorLit_ = lit;
    repaintBaseControl(kIndicatorControl);
}

void MainWindow::imageWindowsChanged()
{
    repaintBaseControl(kWorkspaceControl);
}

void MainWindow::setWorkspaceTaken(bool taken)
{
    workspaceTaken_ = taken;
    // The pictures would draw over the page that took their place; they come back with it.
    imageWindows_.workspaceShown(!taken && controlRect(kWorkspaceControl).has_value());
    repaintBaseControl(kWorkspaceControl);
}

void MainWindow::repaintBaseControl(int controlId)
{
    if (SkinPanelWidget* base = skin_ ? skin_->panelAt(0) : nullptr)
        if (const auto r = base->controlRect(controlId))
            base->update(*r);
}

bool MainWindow::event(QEvent* event)
{
    if (switcher_.busy() && HeldBackWhileSwitching(event->type())) {
        if (event->type() == QEvent::Close)
            event->ignore();  // the window stays
        return true;
    }
    const int type = int(event->type());
    if (event->type() == kHelpRequestEvent) {
        openHelp(static_cast<const HelpRequestEvent*>(event)->context());
        return true;
    }
    if (type == kAcquiredPictureRequest || type == kRealisePaletteRequest) {
        const auto* request = dynamic_cast<const PrivateRequestEvent*>(event);
        if (ScreenCode* code = screenCode(); code && request)
            code->privateRequest(*request);
        return true;
    }
    // The lamp is a region of the skin, which gives regions no tooltips: its tip is asked here.
    if (event->type() == QEvent::ToolTip && !indicatorMeaning_.isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto lamp = controlRect(kIndicatorControl); lamp && lamp->contains(help->pos())) {
            QToolTip::showText(help->globalPos(), indicatorMeaning_, this, *lamp);
            return true;
        }
    }
    return QWidget::event(event);
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!imageWindows_.closeAll()) {
        event->ignore();
        return;
    }
    event->accept();
    if (ScreenCode* code = screenCode())
        code->leaving(screen());
    imageTickTimer_.stop();
    areaBlinkTimer_.stop();
    pageBlinkTimer_.stop();
    if (help_)
        help_->close();
    if (onDestroy_)
        std::exchange(onDestroy_, nullptr)();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const std::vector<std::string> files = DroppedFiles(event->mimeData());
    if (skin::DecideDrop(screen(), files).action == skin::DropAction::Ignore)
        return;
    event->acceptProposedAction();
    takeDroppedFiles(files);
}

void MainWindow::takeDroppedFiles(const std::vector<std::string>& files)
{
    const skin::DropDecision decision = skin::DecideDrop(screen(), files);
    switch (decision.action) {
    case skin::DropAction::Refuse:
        ui::Beep("drop refused");
        break;
    case skin::DropAction::AddToWebAlbum:
        if (ScreenCode* code = screenCode(); !code || !code->filesDropped(decision.files))
            ui::Beep("drop refused");
        break;
    case skin::DropAction::Open: {
        const std::string& path = decision.files.front();
        if (albumFileOpener_ && IsAlbumFileName(path)) {
            if (!albumFileOpener_(path))
                ui::Beep("album not opened");
            break;
        }
        if (!opener_.acceptsFile(path)) {
            ui::Beep("file not accepted");
            break;
        }
        opener_.openDocument(path);
        break;
    }
    case skin::DropAction::Ignore:
        break;
    }
}

void MainWindow::openHandedOverFiles(const std::vector<std::string>& files)
{
    if (files.empty() || switcher_.busy())
        return;
    if (skin::DecideDrop(screen(), files).action != skin::DropAction::Open) {
        takeDroppedFiles(files);
        return;
    }
    // Each file on its own, so two open side by side as they would from the command line.
    constexpr std::size_t kMostWindows = 2;
    for (std::size_t i = 0; i < std::min(files.size(), kMostWindows); ++i)
        takeDroppedFiles({files[i]});
}

}  // namespace lv::app
