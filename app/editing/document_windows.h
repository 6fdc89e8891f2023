#pragma once
// The image windows of the main window: opening documents into them (command line, dropped
// files, the Open and New dialogs), placing them one or two side by side in the workspace,
// the active window, zoom, undo and redo, saving, and closing with the question.

#include "app/core/documents/document_opener.h"
#include "app/core/documents/open_windows.h"
#include "app/core/undo/undo_table.h"
#include "app/shell/image_windows.h"
#include "app/editing/layer_palette.h"
#include "app/shell/test_hooks.h"
#include "app/core/view/window_placement.h"
#include "edit/layer_stack.h"
#include "imagelib/metadata/photo_metadata.h"

#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lv::app {

class ImageWindow;
class MainWindow;
class PaintOptionsPanels;
class WandOptions;
class TextOptions;
class AdjustmentPanels;
class ScreenCode;

class DocumentWindows final : public DocumentOpener, public ImageWindows, private LayerPaletteHost {
public:
    explicit DocumentWindows(const TestHooks& hooks);
    ~DocumentWindows() override;

    // Called once the main window exists: its workspace (control 100) holds the windows, and
    // its buttons and commands (undo, redo, zoom, open, save, new, close) act on them.
    void attach(MainWindow& mainWindow);

    // DocumentOpener: command line, dropped files.
    bool acceptsFile(const std::string& path) override;
    bool openDocument(const std::string& path) override;

    // Opens a window on a document; the title is its file name or an untitled name.
    bool openDocumentWindow(std::unique_ptr<LayerStack> document, std::string title);

    ImageWindow* active() const;
    // The open windows, in the order they were opened.
    std::vector<ImageWindow*> openWindows() const;
    // Told the window's id after its document was saved, and after the window closed.
    struct DocumentEvents {
        std::function<void(int)> saved;
        std::function<void(int)> closed;
    };
    void setDocumentEvents(DocumentEvents events) { events_ = std::move(events); }
    void activate(ImageWindow& window);
    int count() const { return open_.count(); }

    // ImageWindows: the main window's questions and requests.
    bool anyOpen() const override { return open_.count() > 0; }
    bool closeAll() override;
    bool activeScrollable() const override;
    void tick() override;
    void activateAt(QPoint point) override;
    void hideToolState() override;
    void workspaceShown(bool shown) override;

    bool closeActive();
    // Buttons 209 and 210: the left or right of two windows side by side.
    bool closeSide(Side side);

    void zoomCommand(int command);
    void undo();
    void redo();

    // Chooses the current tool (the tool buttons): the old one drops what it had under way,
    // the status line names the new one. 1125 and 1126 are undo and redo.
    void chooseTool(int tool);
    // Control 132 and the Delete key: the selection's pixels when there is a selection,
    // otherwise the current layer.
    void deleteSelectionOrLayer(ImageWindow& window);

    // The layer commands and the clipboard on the active window; a refused command beeps.
    bool layerCommand(const std::function<bool(LayerStack&)>& run);
    void copy();
    void paste();
    void openAsLayer();

    // The layer palette (Ctrl+P): shown or hidden; it follows the active window.
    void showLayerPalette(bool shown);
    bool layerPaletteShown() const override;
    bool isImageWindow(const QWidget* widget) const override;
    LayerPalette* layerPalette() const { return palette_.data(); }

    bool save(ImageWindow& window);
    bool saveAs(ImageWindow& window);
    // Save as with another name and type proposed than the window's own.
    bool saveAs(ImageWindow& window, const std::string& proposedName, int type);
    void newPicture();
    void openWithDialog(bool allImages);
    void showFullScreen();

    // The zoom readout for the active window (shown in the status field); empty without one.
    std::string zoomReadout() const;

    // From the windows.
    void readoutsChanged();
    // The window shows another part of its document (zoom, size or scrolling).
    void viewMoved(ImageWindow& window);
    // A tool changed the document or its selection.
    void documentEdited(ImageWindow& window);
    void windowClosed(ImageWindow& window);
    bool clipboardHasPicture() const;
    void contextCommand(ImageWindow& window, int command);

#ifdef LV_TEST_DRIVER
    // Test commands on the single-instance socket; false when the command is not one of these.
    bool handleTestCommand(const QString& command);
#endif

private:
    ImageWindow* find(int id) const;
    ImageWindow* onSide(Side side) const;
    QRect workspace() const;
    void registerHandlers();
    void registerLayerHandlers();
    // The palette shows the active window's layers again; during a drag it waits for the end.
    void refreshPalette();
    LayerStack* paletteDocument() override;
    void paletteChangedDocument() override;
    void paletteCommand(int button) override;
    void paletteShownChanged(bool shown) override;
    bool openFile(std::string path);
    void exchangeStep(bool (UndoTable::*step)(LayerStack&, int));
    bool writeAs(ImageWindow& window, std::string path, int saveType, bool removePersonal = false);
    void logState() const;
    // The workspace strip's lamp: lit while the active picture has changes not saved.
    void showModifiedLamp();
#ifdef LV_TEST_DRIVER
    void runDialogForTest(const QString& which);
    bool grabForTest(const std::string& path) const;
#endif

    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    OpenWindows open_;
    std::map<int, QPointer<ImageWindow>> windows_;
    // The EXIF, XMP and IPTC of the photos opened, by window, carried into their saves.
    std::map<int, PhotoMetadata> photoMetadata_;
    int divider_ = 0;
    std::unique_ptr<WandOptions> wandOptions_;
    std::unique_ptr<PaintOptionsPanels> paintOptions_;
    std::unique_ptr<TextOptions> textOptions_;
    std::unique_ptr<AdjustmentPanels> adjustments_;
    std::unique_ptr<ScreenCode> layersScreen_;  // the palette's check follows the palette
    bool workspaceShown_ = true;  // hidden over the screens without a workspace
    mutable QRect lastWorkspace_;
    QPointer<LayerPalette> palette_;  // the main window owns it
    bool paletteStale_ = false;
    DocumentEvents events_;
};

}  // namespace lv::app
