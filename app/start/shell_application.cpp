#include "app/start/shell_application.h"

#include "app/core/paint_settings.h"
#include "edit/tools/tool_settings.h"

#include "app/start/album_argument.h"
#include "app/shell/display_profile.h"
#include "app/core/view/display_profile_state.h"
#include "app/core/command_line.h"
#include "app/core/configuration.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "app/core/shell_state.h"
#include "common/temp_files.h"
#include "app/widgets/qt_geometry.h"
#include "app/widgets/qt_text.h"

#include <QScreen>
#include <QTimer>

namespace lv::app {
ShellApplication::ShellApplication(QApplication& application, std::vector<std::string> arguments,
                                   const TestHooks& hooks, DocumentOpener& opener, ImageWindows& imageWindows)
    : application_(application)
    , arguments_(std::move(arguments))
    , hooks_(hooks)
    , opener_(opener)
    , imageWindows_(imageWindows)
    , instance_(InstanceServerName(ConfigFilePath()))
    , uiService_(hooks)
    , photoCdOptions_(hooks)
    , store_(ConfigFilePath())
    , filters_(application)
{
}

ShellApplication::~ShellApplication()
{
    filters_.setFilter(EventFilterChain::Stage::Accelerators, nullptr);
}

int ShellApplication::run()
{
    const std::optional<QString> testCommand = hooks_.commandToSend();
    std::error_code error;
    const QString command = testCommand.value_or(HandOverCommand(arguments_, std::filesystem::current_path(error)));
    if (instance_.sendToRunningCopy(command) || testCommand)
        return 0;
    // Without the socket the program still runs; it only cannot call itself forward.
    instance_.listen([this](const QString& command) { handleInstanceCommand(command); });
    if (!startUp())
        return 0;
    return application_.exec();
}

bool ShellApplication::startUp()
{
    uiGuard_.emplace(uiService_);
    photoCdGuard_.emplace(photoCdOptions_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    const QSize screenSize = screen ? screen->size() : QSize(1024, 768);
    const QPoint screenCorner = screen ? screen->geometry().topLeft() : QPoint();

    Settings settings(store_);
    ShellState& shell = Shell();
    LoadShellState(shell, settings, depth);
    DisplayColourSettings().profile = ReadDisplayColourProfile();

    // Optional: without it the store's screens say the Internet function is not set up.
    storeLibrary_.setFileName(QString::fromStdString(ProgramFile(kStoreLibraryName).string()));
    storeLibrary_.load();

    shell.screenMode = QueryScreenMode({screenSize.width(), screenSize.height()}, settings.get(setting::kFor640));
    mainWindow_ = std::make_unique<MainWindow>(opener_, imageWindows_, hooks_, [this] { shutDown(); });
    shell.config.loginId = settings.get(setting::kLoginId);
    const Rect r = MainWindowRect(shell.screenMode, {screenCorner.x(), screenCorner.y()});
    mainWindow_->setGeometry(ToQRect(r));
    if (!mainWindow_->create()) {
        mainWindow_.reset();
        return false;
    }

    accelerators_ = std::make_unique<AcceleratorFilter>(*mainWindow_);
    filters_.setFilter(EventFilterChain::Stage::Accelerators, accelerators_.get());

    if (mainWindowCreated_)
        mainWindowCreated_(*mainWindow_);
    AlbumFileOpener openAlbum = [this](const std::string& album) {
        return OpenAlbumFromCommandLine(*mainWindow_, openAlbum_, album, hooks_);
    };
    mainWindow_->setAlbumFileOpener(openAlbum);
    OpenCommandLineFiles(arguments_, opener_, openAlbum);
    mainWindow_->acceptDroppedFiles();

    const QRect g = mainWindow_->geometry();
    LV_TEST_LOG(hooks_, QStringLiteral("ready %1 %2 %3 %4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
    if (hooks_.quitAfterStart())
        QTimer::singleShot(0, mainWindow_.get(), [this] { mainWindow_->close(); });
    return true;
}

void ShellApplication::shutDown()
{
    if (storeLibrary_.isLoaded())
        storeLibrary_.unload();

    Settings settings(store_);
    KeepBrushConfiguration(CurrentToolSettings().paint, Shell().config);
    SaveConfigurationAtExit(settings, Shell().config, Shell().recent, ExecutablePath().string());

    // Not WritableProgramDir: a folder that was never used need not be made just to be emptied.
    DeleteTemporaryFiles(ResolveWritableLocation(ProgramDir(), UserDataDir(), kTempFolder));

    // The window object lives until the loop has ended, but from here on there is no main window.
    filters_.setFilter(EventFilterChain::Stage::Accelerators, nullptr);
    retiredWindow_ = std::move(mainWindow_);
    LV_TEST_LOG(hooks_, QStringLiteral("exit"));
    QCoreApplication::exit(0);
}

void ShellApplication::handleInstanceCommand(const QString& command)
{
    if (command == kForwardCommand) {
        bringForward();
        return;
    }
    if (const auto files = HandedOverFiles(command)) {
        bringForward();
        if (mainWindow_) {
            LV_TEST_LOG(hooks_, QStringLiteral("handed over %1").arg(files->size()));
            // After the answer, so the second copy is not kept waiting by a question.
            QTimer::singleShot(0, mainWindow_.get(), [this, files = *files] {
                if (mainWindow_)
                    mainWindow_->openHandedOverFiles(files);
            });
        }
        return;
    }
    // A release build's socket only hands files over.
#ifdef LV_TEST_DRIVER
    handleTestCommand(command);
#endif
}

// A second copy asked for this one: restore it if minimised, bring it to the front, and put
// an open modal dialog above it.
void ShellApplication::bringForward()
{
    MainWindow* window = mainWindow_.get();
    if (!window)
        return;
    QWidget* popup = QApplication::activeModalWidget();
    const bool wasMinimised = window->isMinimized();
    window->raise();
    if (wasMinimised)
        window->showNormal();
    window->activateWindow();
    if (popup && popup != window) {
        popup->raise();
        popup->activateWindow();
    }
    LV_TEST_LOG(hooks_, QStringLiteral("forward minimised=%1 restored=%2 modal=%3")
                            .arg(wasMinimised)
                            .arg(!window->isMinimized())
                            .arg(popup ? popup->objectName() : QStringLiteral("-")));
}

}  // namespace lv::app
