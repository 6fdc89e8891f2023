#pragma once
// The image windows of the main window: opening documents into them (command line, dropped
// files, the Open and New dialogs), placing them one or two side by side in the workspace,
// the active window, zoom, undo and redo, saving, and closing with the question.

#include "app/core/document_opener.h"
#include "app/core/open_windows.h"
#include "app/test_hooks.h"
#include "edit/layer_stack.h"

#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace lv::app {

class ImageWindow;
class MainWindow;

class DocumentWindows final : public DocumentOpener {
public:
    explicit DocumentWindows(const TestHooks& hooks);
    ~DocumentWindows() override;

    // Called once the main window exists: its workspace holds the windows, its commands
    // (undo, redo, zoom) act on the active one, and its close asks every window first.
    void attach(MainWindow& mainWindow, std::function<QRect()> workspace);

    // DocumentOpener: command line, dropped files.
    bool acceptsFile(const std::string& path) override;
    bool openDocument(const std::string& path) override;

    // Opens a window on a document; the title is its file name or an untitled name.
    bool openDocumentWindow(std::unique_ptr<LayerStack> document, std::string title);

    ImageWindow* active() const;
    void activate(ImageWindow& window);
    int count() const { return open_.count(); }
    bool anyOpen() const { return open_.count() > 0; }
    // An active window that can scroll in some direction.
    bool activeScrollable() const;
    // A left release at `point` in the workspace: of two windows side by side the one on the
    // pointer's side of the divider becomes active, else the active one is activated again.
    void activateAt(QPoint point);
    // The main window's 500 ms tick, for the active window.
    void tick();

    // Asks every window to close, in order; false when one stays open.
    bool closeAll();
    bool closeActive();

    void zoomStep(int step);
    void zoomCommand(int command);
    void undo();
    void redo();

    bool save(ImageWindow& window);
    bool saveAs(ImageWindow& window);
    void newPicture();
    void openWithDialog(bool allImages);
    void showFullScreen();

    // The readout of control 203 for the active window; empty without one.
    std::string zoomReadout() const;
    void setReadoutListener(std::function<void(const std::string&)> listener) { readoutListener_ = std::move(listener); }

    // From the windows.
    void readoutsChanged();
    void windowClosed(ImageWindow& window);
    bool clipboardHasPicture() const;
    void contextCommand(ImageWindow& window, int command);

    // Test commands on the single-instance socket; false when the command is not one of these.
    bool handleTestCommand(const QString& command);

private:
    ImageWindow* find(int id) const;
    bool openFile(std::string path);
    bool writeAs(ImageWindow& window, std::string path, int saveType);
    void logState() const;

    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    std::function<QRect()> workspace_;
    OpenWindows open_;
    std::map<int, QPointer<ImageWindow>> windows_;
    int divider_ = 0;
    std::function<void(const std::string&)> readoutListener_;
};

}  // namespace lv::app
