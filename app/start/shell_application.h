#pragma once
// The program's life: start-up in its fixed order, the event loop, and the shutdown that the
// main window's destruction runs.

#include "app/shell/accelerators.h"
#include "app/editing/photo_cd_options_dialog.h"
#include "app/core/documents/document_opener.h"
#include "common/settings_store.h"
#include "app/shell/event_filter_chain.h"
#include "app/shell/image_windows.h"
#include "app/shell/main_window.h"
#include "app/shell/qt_ui_service.h"
#include "app/shell/single_instance.h"
#include "app/shell/test_hooks.h"

#include <QApplication>
#include <QDialog>
#include <QLibrary>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::app {

class ShellApplication {
public:
    ShellApplication(QApplication& application, std::vector<std::string> arguments, const TestHooks& hooks,
                     DocumentOpener& opener, ImageWindows& imageWindows);
    ~ShellApplication();
    ShellApplication(const ShellApplication&) = delete;
    ShellApplication& operator=(const ShellApplication&) = delete;

    // Runs the program; the process's exit code.
    int run();

    // Called once the main window exists, before the command-line files open.
    void setMainWindowCreated(std::function<void(MainWindow&)> created) { mainWindowCreated_ = std::move(created); }
    // An album named on the command line or handed over becomes the process's open album.
    void setOpenAlbum(OpenAlbum& album) { openAlbum_ = &album; }
    // The online photo store library, loaded at start-up when the program folder has it.
    QLibrary* storeLibrary() { return &storeLibrary_; }
    EventFilterChain& filters() { return filters_; }
#ifdef LV_TEST_DRIVER
    // Test commands on the socket that the shell itself does not know; false when unknown.
    void setTestCommandHandler(std::function<bool(const QString&)> handler) { testCommands_ = std::move(handler); }
#endif

private:
    bool startUp();
    void shutDown();
    void handleInstanceCommand(const QString& command);
    void bringForward();
#ifdef LV_TEST_DRIVER
    // Any other command on the socket, when the test hooks are on.
    void handleTestCommand(const QString& command);
#endif

    QApplication& application_;
    std::vector<std::string> arguments_;
    const TestHooks& hooks_;
    DocumentOpener& opener_;
    ImageWindows& imageWindows_;
    SingleInstance instance_;
    QtUiService uiService_;
    std::optional<ui::ScopedService> uiGuard_;
    QtPhotoCdOptions photoCdOptions_;
    std::optional<ScopedPhotoCdOptionsDialog> photoCdGuard_;
    ProfileStore store_;
    EventFilterChain filters_;
    QLibrary storeLibrary_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<MainWindow> retiredWindow_;  // after shutdown, until the loop ends
    std::unique_ptr<AcceleratorFilter> accelerators_;
    std::function<void(MainWindow&)> mainWindowCreated_;
    OpenAlbum* openAlbum_ = nullptr;
#ifdef LV_TEST_DRIVER
    std::unique_ptr<QDialog> testDialog_;
    std::unique_ptr<QObject> dialogRejecter_;
    std::unique_ptr<QObject> testBatch_;
    std::function<bool(const QString&)> testCommands_;
#endif
};

// File name (without "lib" and ".so") of the online photo store library in the program folder.
inline constexpr char kStoreLibraryName[] = "lvstore";

}  // namespace lv::app
