#include "app/editing/document_windows.h"

#include "app/core/view/colours.h"
#include "app/core/documents/document_files.h"
#include "app/core/documents/document_io.h"
#include "app/core/documents/new_picture.h"
#include "app/core/shell_state.h"
#include "app/core/tools.h"
#include "app/core/undo/undo_table.h"
#include "app/core/documents/untitled_names.h"
#include "app/core/view/window_placement.h"
#include "app/editing/adjustment_panels.h"
#include "app/editing/full_screen_view.h"
#include "app/shell/clipboard_exchange.h"
#include "app/shell/handler_table.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/editing/paint_options.h"
#include "app/editing/picture_geometry_commands.h"
#include "app/editing/wand_options.h"
#include "app/editing/text_options.h"
#include "app/widgets/dib_image.h"
#include "app/editing/new_picture_dialog.h"
#include "app/editing/open_dialog.h"
#include "app/editing/save_as_dialog.h"
#include "app/skin/handlers.h"
#include "app/skin/help_context.h"
#include "app/skin/keyboard.h"
#include "app/widgets/qt_geometry.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "edit/layer_commands.h"
#include "edit/layers.h"
#include "edit/selection/selection.h"
#include "edit/selection/selection_content.h"
#include "imagelib/metadata/metadata_writer.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTimer>

#include <filesystem>
#include <sstream>

namespace lv::app {

DocumentWindows::DocumentWindows(const TestHooks& hooks)
    : hooks_(hooks)
{
}

DocumentWindows::~DocumentWindows() = default;

void DocumentWindows::attach(MainWindow& mainWindow)
{
    mainWindow_ = &mainWindow;
    ProcessUndoTable().setLevel(Shell().config.undoLevel);
    for (int command = kZoomInCommand; command <= kZoomFitCommand; ++command)
        if (ZoomForCommand(command, 0, {1, 1}, {1, 1}))
            mainWindow.setCommandHandler(command, [this, command] { zoomCommand(command); });
    registerHandlers();
    registerLayerHandlers();
    wandOptions_ = std::make_unique<WandOptions>(mainWindow);
    paintOptions_ = std::make_unique<PaintOptionsPanels>(mainWindow);
    textOptions_ = std::make_unique<TextOptions>(mainWindow, [this] { return active(); }, [this](int tool) { chooseTool(tool); });
    adjustments_ = std::make_unique<AdjustmentPanels>(mainWindow, *this, hooks_);
}

void DocumentWindows::registerHandlers()
{
    using skin::Handler;
    HandlerTable& handlers = mainWindow_->handlers();
    const auto active = [this](auto action) {
        return [this, action](const HandlerCall&) {
            if (ImageWindow* window = this->active())
                action(*window);
            else
                ui::Beep("no picture open");
        };
    };
    handlers.set(Handler::Undo, [this](const HandlerCall&) { undo(); });
    handlers.set(Handler::Redo, [this](const HandlerCall&) { redo(); });
    handlers.set(Handler::ZoomIn, active([](ImageWindow& window) { window.zoomStep(+1); }));
    handlers.set(Handler::ZoomOut, active([](ImageWindow& window) { window.zoomStep(-1); }));
    handlers.set(Handler::ZoomReset, active([](ImageWindow& window) { window.setZoomLevel(0); }));
    handlers.set(Handler::FullScreenView, [this](const HandlerCall&) { showFullScreen(); });
    handlers.set(Handler::CloseImage, [this](const HandlerCall&) { closeActive(); });
    // The strip's "×" at either end: with two pictures side by side, the one on its side;
    // otherwise the active picture, asking as "Fechar imagem" does.
    handlers.set(Handler::CloseSideImage, [this](const HandlerCall& call) {
        if (open_.count() == 2)
            closeSide((call.argument & 0xFFFF) == 0 ? Side::Left : Side::Right);
        else
            closeActive();
    });
    handlers.set(Handler::OpenImage, [this](const HandlerCall&) { openWithDialog(false); });
    handlers.set(Handler::SaveImageAs, active([this](ImageWindow& window) { saveAs(window); }));
    handlers.set(Handler::NewImage, [this](const HandlerCall&) { newPicture(); });
    handlers.set(Handler::SelectTool, [this](const HandlerCall& call) { chooseTool(int(call.argument & 0xFFFF)); });
    handlers.set(Handler::TransformToolChoice, [this](const HandlerCall& call) {
        switch (call.argument & 0xFFFF) {
        case 1:
        case 2:
            CurrentToolSettings().transform = (call.argument & 0xFFFF) == 1 ? TransformChoice::Resize
                                                                             : TransformChoice::FreeRotate;
            chooseTool(tool_id::kTransform);
            break;
        case 4: chooseTool(tool_id::kGrab); break;
        default: break;
        }
    });
    handlers.set(Handler::DeleteLayerOrSelection, active([this](ImageWindow& window) { deleteSelectionOrLayer(window); }));
    handlers.set(Handler::SwapColours, [](const HandlerCall&) { SwapColours(); });
    RegisterPictureGeometryCommands(handlers, [this] { return this->active(); });
}

QRect DocumentWindows::workspace() const
{
    if (!mainWindow_)
        return {};
    // The Internet screens have no workspace; a picture opened there waits for the one of the
    // other screens, which is the same on all of them.
    if (const auto shown = mainWindow_->controlRect(kWorkspaceControl))
        lastWorkspace_ = *shown;
    return lastWorkspace_.isValid() ? lastWorkspace_ : mainWindow_->rect();
}

ImageWindow* DocumentWindows::find(int id) const
{
    const auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second.data();
}

ImageWindow* DocumentWindows::active() const
{
    const auto id = open_.active();
    return id ? find(*id) : nullptr;
}

std::vector<ImageWindow*> DocumentWindows::openWindows() const
{
    std::vector<ImageWindow*> windows;
    for (const int id : open_.windows())
        if (ImageWindow* window = find(id))
            windows.push_back(window);
    return windows;
}

void DocumentWindows::activate(ImageWindow& window)
{
    ImageWindow* previous = active();
    if (previous && previous != &window)
        previous->cancelTool();
    open_.activate(window.id());
    window.raise();
    window.setFocus();
    if (previous != &window)
        window.activateTool();
    readoutsChanged();
}

void DocumentWindows::hideToolState()
{
    if (ImageWindow* window = active())
        window->cancelTool();
}

void DocumentWindows::chooseTool(int tool)
{
    if (tool == tool_id::kUndoCommand || tool == tool_id::kRedoCommand) {
        tool == tool_id::kUndoCommand ? undo() : redo();
        return;
    }
    if (!IsToolId(tool))
        return;
    ImageWindow* window = active();
    if (window)
        window->cancelTool();
    CurrentToolId() = tool;
    LV_TEST_LOG(hooks_, QStringLiteral("tool %1").arg(tool));
    if (mainWindow_)
        mainWindow_->setStatusText(QString::fromStdString(ToolStatusText(tool, window && window->zoom() > 0)));
    if (!window)
        return;
    if (Tool* chosen = CurrentTool())
        window->apply(chosen->chosen(window->toolContext()));
    window->activateTool();
}

void DocumentWindows::deleteSelectionOrLayer(ImageWindow& window)
{
    LayerStack& doc = window.document();
    if (window.dragging()) {
        ui::Beep("drag under way");
        return;
    }
    if (doc.selectionActive) {
        if (const auto changed = DeleteSelectionContent(doc))
            window.apply(ToolResult::Changed(*changed));
        return;
    }
    if (!DeleteLayerOrSelection(doc)) {
        ui::Beep("nothing to delete");
        return;
    }
    window.documentChanged();
    documentEdited(window);
}

void DocumentWindows::documentEdited(ImageWindow& window)
{
    if (&window == active()) {
        refreshPalette();
        showModifiedLamp();
        logState();
    }
}

void DocumentWindows::showModifiedLamp()
{
    if (!mainWindow_)
        return;
    const ImageWindow* window = active();
    const bool changed = window && window->document().modified != 0;
    mainWindow_->setIndicatorLit(changed);
    mainWindow_->setIndicatorMeaning(!window ? QStringLiteral("Nenhuma imagem aberta")
                                     : changed ? QStringLiteral("A imagem tem alterações não salvas")
                                               : QStringLiteral("A imagem não tem alterações por salvar"));
}

bool DocumentWindows::activeScrollable() const
{
    const ImageWindow* window = active();
    return window && (window->view().scrollable(Axis::Horizontal) || window->view().scrollable(Axis::Vertical));
}

ImageWindow* DocumentWindows::onSide(Side side) const
{
    if (open_.count() != 2)
        return nullptr;
    const Rect area = FromQRect(workspace());
    for (const int id : open_.windows())
        if (ImageWindow* window = find(id); window && SideOf(area, divider_, window->area().left()) == side)
            return window;
    return nullptr;
}

void DocumentWindows::activateAt(QPoint point)
{
    if (ImageWindow* window = onSide(SideOf(FromQRect(workspace()), divider_, point.x())))
        activate(*window);
    else if (ImageWindow* current = active())
        activate(*current);
}

bool DocumentWindows::closeSide(Side side)
{
    ImageWindow* window = onSide(side);
    if (!window)
        return false;
    activate(*window);
    return window->requestClose();
}

void DocumentWindows::tick()
{
    if (ImageWindow* window = active(); window && !DocumentEngineBusy() && mainWindow_ && !mainWindow_->isMinimized())
        window->tick();
    showModifiedLamp();  // saving clears the changes without telling the windows
    if (paletteStale_)
        refreshPalette();
}

bool DocumentWindows::acceptsFile(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool DocumentWindows::openDocument(const std::string& path)
{
    const bool opened = openFile(path);
    LV_TEST_LOG(hooks_, QStringLiteral("open %1 %2").arg(QString::fromStdString(path), opened ? "ok" : "failed"));
    return opened;
}

bool DocumentWindows::openFile(std::string path)
{
    path = WithDefaultExtension(std::move(path), CurrentSaveType());
    bool secondCopy = false;
    for (const auto& [id, window] : windows_)
        if (window && SameDocumentName(window->title(), path))
            secondCopy = true;
    if (secondCopy && !AskOpenSecondCopy(path))
        return false;

    LoadedDocument loaded;
    {
        ui::BusyCursor busy;
        EngineBusy engine;
        loaded = LoadDocument(path);
    }
    if (!loaded.stack)
        return false;
    std::string title = secondCopy ? ProcessUntitledNames().next(kSecondCopyBase) : path;
    if (!openDocumentWindow(std::move(loaded.stack), std::move(title)))
        return false;
    if (ImageWindow* opened = active()) {
        opened->setPictureFacts(std::move(loaded.facts));
        if (loaded.metadata.hasBlocks())
            photoMetadata_[opened->id()] = std::move(loaded.metadata);
    }
    Shell().recent.add(path);
    return true;
}

bool DocumentWindows::openDocumentWindow(std::unique_ptr<LayerStack> document, std::string title)
{
    if (!mainWindow_ || !document)
        return false;
    if (mainWindow_->isMinimized()) {
        mainWindow_->showNormal();
        mainWindow_->raise();
    }
    ui::BusyCursor busy;

    const Rect workspace = FromQRect(this->workspace());
    Rect area = workspace;
    if (open_.mustCloseActiveBeforeOpening())
        if (ImageWindow* current = active(); current && !current->requestClose())
            return false;
    if (open_.count() == 1) {
        // The window already open moves into one half, fitted anew; the new one takes the other.
        if (ImageWindow* existing = find(open_.windows().front())) {
            const SideBySide halves = SplitWorkspace(workspace, divider_, FromQRect(existing->geometry()));
            existing->fitInto(ToQRect(halves.existing));
            area = halves.newWindow;
            divider_ = halves.divider;
        }
        open_.clearActive();
    }

    static int nextId = 1;  // unique in the process: undo steps are kept by window
    const int id = nextId++;
    auto* window = new ImageWindow(*this, id, std::move(document), std::move(title), 0, mainWindow_);
    windows_[id] = window;
    window->fitInto(ToQRect(area));
    window->setVisible(workspaceShown_);
    mainWindow_->imageWindowsChanged();
    open_.add(id);
    if (open_.count() < 2)
        divider_ = 0;
    activate(*window);
    logState();
    return true;
}

bool DocumentWindows::closeAll()
{
    const std::vector<int> ids = open_.windows();
    for (const int id : ids)
        if (ImageWindow* window = find(id); window && !window->requestClose())
            return false;
    return true;
}

bool DocumentWindows::closeActive()
{
    ImageWindow* window = active();
    return window && window->requestClose();
}

void DocumentWindows::windowClosed(ImageWindow& window)
{
    const int id = window.id();
    ProcessUndoTable().purge(id);
    window.document().undo = nullptr;
    windows_.erase(id);
    photoMetadata_.erase(id);
    window.deleteLater();
    if (events_.closed)
        events_.closed(id);
    const auto next = open_.remove(id);
    if (mainWindow_)
        mainWindow_->imageWindowsChanged();
    if (open_.count() < 2)
        divider_ = 0;
    // The one left takes the whole workspace again.
    if (open_.count() == 1)
        if (ImageWindow* remaining = find(open_.windows().front()))
            remaining->fitInto(this->workspace());
    if (next)
        if (ImageWindow* neighbour = find(*next))
            activate(*neighbour);
    readoutsChanged();
    logState();
}

void DocumentWindows::zoomCommand(int command)
{
    ImageWindow* window = active();
    if (!window) {
        ui::Beep("no picture open");
        return;
    }
    const auto choice = ZoomForCommand(command, window->zoom(), window->view().document(), window->view().pictureArea());
    if (!choice)
        return;
    if (choice->beep)
        ui::Beep("zoom limit");
    window->setZoomLevel(choice->zoom);
}

void DocumentWindows::undo()
{
    exchangeStep(&UndoTable::undo);
}

void DocumentWindows::redo()
{
    exchangeStep(&UndoTable::redo);
}

// Undo and redo wait for the end of a tool's drag; a refusal beeps.
void DocumentWindows::exchangeStep(bool (UndoTable::*step)(LayerStack&, int))
{
    ImageWindow* window = active();
    if (!window || window->dragging() || !(ProcessUndoTable().*step)(window->document(), window->id())) {
        ui::Beep("nothing to undo");
        return;
    }
    window->documentChanged();
    refreshPalette();
    logState();
}

bool DocumentWindows::writeAs(ImageWindow& window, std::string path, int saveType, bool removePersonal)
{
    EngineBusy engine;
    const auto found = photoMetadata_.find(window.id());
    PhotoMetadata metadata = found != photoMetadata_.end() ? found->second : PhotoMetadata{};
    // What was removed from the file stays out of the document's later saves.
    if (removePersonal)
        metadata = WithoutPersonalData(metadata);
    if (!WriteDocument(window.document(), path, saveType, window.pictureFacts(), metadata))
        return false;
    if (removePersonal && found != photoMetadata_.end())
        found->second = std::move(metadata);
    window.setTitle(path);
    Shell().recent.add(path);
    if (events_.saved)
        events_.saved(window.id());
    return true;
}

bool DocumentWindows::save(ImageWindow& window)
{
    if (IsUntitledTitle(window.title()))
        return saveAs(window);
    if (!ConfirmSaveUnderName(window.title(), window.document().layerCount))
        return saveAs(window);
    return writeAs(window, window.title(), SaveTypeOfName(window.title(), CurrentSaveType()));
}

bool DocumentWindows::saveAs(ImageWindow& window)
{
    return saveAs(window, window.title(), 0);
}

bool DocumentWindows::saveAs(ImageWindow& window, const std::string& proposedName, int type)
{
    const auto chosen = RunSaveAsDialog(mainWindow_, proposedName, window.document().layerCount, type);
    if (!chosen)
        return false;
    return writeAs(window, chosen->path, chosen->saveType, chosen->removePersonal);
}

void DocumentWindows::newPicture()
{
    const auto request = RunNewPictureDialog(mainWindow_);
    if (!request)
        return;
    HDIB picture = MakeNewPicture(*request, Shell().config.secondaryColour);
    auto stack = picture ? CreateLayerStackFromImage(std::move(picture)) : nullptr;
    if (!stack)
        return;
    RebuildComposite(*stack);
    openDocumentWindow(std::move(stack), ProcessUntitledNames().next(kNewPictureBaseString));
}

void DocumentWindows::openWithDialog(bool allImages)
{
    const std::string path = RunOpenDialog(mainWindow_, allImages, Shell().recent.mostRecentDirectory());
    if (!path.empty())
        openFile(path);
}

void DocumentWindows::showFullScreen()
{
    if (ImageWindow* window = active())
        ShowFullScreenView(window->document().composite, window->pictureFacts().iccProfile);
    else
        ui::Beep("no picture open");
}

std::string DocumentWindows::zoomReadout() const
{
    const ImageWindow* window = active();
    return window ? ZoomReadout(window->zoom()) : std::string();
}

void DocumentWindows::viewMoved(ImageWindow& window)
{
    if (adjustments_)
        adjustments_->viewMoved(window);
}

void DocumentWindows::readoutsChanged()
{
    refreshPalette();
    showModifiedLamp();
    if (mainWindow_) {
        const QString readout = QString::fromStdString(zoomReadout());
        mainWindow_->setStatusText(readout);
        mainWindow_->setZoomReadout(readout);
    }
    // The active window's caption is lit.
    for (const auto& [id, window] : windows_)
        if (window)
            window->update(0, 0, window->width(), kCaptionHeight);
}

void DocumentWindows::workspaceShown(bool shown)
{
    workspaceShown_ = shown;
    for (const auto& [id, window] : windows_)
        if (window)
            window->setVisible(shown);
}

bool DocumentWindows::clipboardHasPicture() const
{
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    return mime && (mime->hasImage() || mime->hasFormat(ClipboardMimeType()));
}

void DocumentWindows::contextCommand(ImageWindow& window, int command)
{
    activate(window);
    const auto run = [this](int mainCommand) {
        if (!mainWindow_ || !mainWindow_->runCommand(mainCommand))
            ui::Beep("command refused");
    };
    switch (command) {
    case 40100: window.zoomStep(+1); break;
    case 40101: window.zoomStep(-1); break;
    case 40102: run(skin::kCommandCut); break;
    case 40103: run(skin::kCommandCopy); break;
    case 40104: run(skin::kCommandPaste); break;
    case 40105:
        if (mainWindow_)
            mainWindow_->openHelp(skin::kImageMenuHelpContext);
        break;
    case kRulersCommand: window.showRulers(!window.rulersShown()); break;
    default: break;
    }
}

void DocumentWindows::logState() const
{
    if (!hooks_.enabled())
        return;
    std::ostringstream line;
    line << "state windows=" << open_.count();
    if (const ImageWindow* window = active()) {
        const LayerStack& doc = window->document();
        const QRect g = window->geometry();
        line << " active=" << window->title() << " size=" << doc.width << "x" << doc.height
             << " zoom=" << window->zoom() << " layers=" << doc.layerCount << " current=" << doc.currentLayer
             << " modified=" << int(window->modifiedState()) << " frame=" << g.x() << "," << g.y() << ","
             << g.width() << "," << g.height() << " readout=[" << zoomReadout() << "]";
        const Rect& r = doc.selectionRect;
        line << " selection=" << doc.selectionActive;
        if (doc.selectionActive)
            line << ":" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ":" << SelectedPixelCount(doc);
        line << " tool=" << CurrentToolId();
        if (const auto box = GetLayerTopDownRect(doc, doc.currentLayer))
            line << " layer=" << box->left << "," << box->top << "," << box->right << "," << box->bottom;
        if (IsLayerIndex(doc, doc.currentLayer))
            if (const auto& object = doc.layers[std::size_t(doc.currentLayer)].textObject)
                line << " text=[" << object->text << "]";
    }
    // Every window in the order opened: frame and zoom; what control 203 shows; the open dialog.
    line << " all=";
    for (const int id : open_.windows())
        if (const ImageWindow* window = find(id)) {
            const QRect g = window->geometry();
            line << g.x() << "," << g.y() << "," << g.width() << "," << g.height() << "@" << window->zoom()
                 << (window->isVisible() ? "" : "-hidden") << ";";
        }
    if (mainWindow_)
        line << " box=[" << mainWindow_->zoomReadout().toStdString() << "]";
    const QWidget* modal = QApplication::activeModalWidget();
    line << " modal=" << (modal ? modal->objectName().toStdString() : "-");
    if (const ImageWindow* window = active()) {
        line << " names=[";
        for (int i = 0; i < window->document().layerCount; ++i)
            line << (i ? "|" : "") << window->document().layers[std::size_t(i)].name;
        line << "]";
    }
    LV_TEST_LOG(hooks_, QString::fromStdString(line.str()));
}

}  // namespace lv::app
