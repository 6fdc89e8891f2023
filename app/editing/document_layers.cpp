// The layer commands of the editing screen and the clipboard, on the active image window.

#include "app/editing/document_windows.h"

#include "app/core/documents/document_io.h"
#include "app/core/shell_state.h"
#include "app/core/documents/untitled_names.h"
#include "app/editing/open_dialog.h"
#include "app/shell/clipboard_exchange.h"
#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/widgets/program_key.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "edit/clipboard_layer.h"
#include "edit/compositing.h"
#include "edit/layer_commands.h"
#include "edit/layers.h"

namespace lv::app {
namespace {

// The selection screen copies the selected content rather than the whole layer.
constexpr int kSelectionScreen = 8;
constexpr int kLayersScreen = 3;

// The layer page's "Paleta de camadas" check, when that page shows, says whether the palette is shown.
void ShowPaletteCheck(MainWindow& window, bool shown)
{
    const MainSkin* skin = window.skin();
    if (!skin || skin->screen() != kLayersScreen)
        return;
    for (const ShownPanel& p : skin->panels())
        if (p.panel == kLayersScreen && p.window)
            for (int i = 0; i < int(p.window->input().size()); ++i)
                if (p.window->input().control(i).definition.handler == skin::Handler::ShowLayerPalette)
                    p.window->setButtonSelected(i, shown);
}

class LayersScreen final : public ScreenCode {
public:
    LayersScreen(MainWindow& window, const DocumentWindows& documents)
        : window_(&window)
        , documents_(documents)
    {
        window.setScreenCode(kLayersScreen, this);
    }
    ~LayersScreen() override
    {
        if (window_)
            window_->setScreenCode(kLayersScreen, nullptr);
    }
    void shown(MainSkin&) override
    {
        if (window_)
            ShowPaletteCheck(*window_, documents_.layerPaletteShown());
    }

private:
    QPointer<MainWindow> window_;
    const DocumentWindows& documents_;
};

}  // namespace

void DocumentWindows::registerLayerHandlers()
{
    using skin::Handler;
    HandlerTable& handlers = mainWindow_->handlers();
    const auto command = [this](bool (*run)(LayerStack&)) {
        return [this, run](const HandlerCall&) { layerCommand(run); };
    };
    handlers.set(Handler::NewLayer, command(NewTransparentLayer));
    handlers.set(Handler::DuplicateLayer, command(DuplicateCurrentLayer));
    handlers.set(Handler::MergeLayerDown, command(MergeDown));
    handlers.set(Handler::FlattenImage, command(FlattenLayers));
    handlers.set(Handler::MoveLayer, [this](const HandlerCall& call) {
        const bool up = std::int16_t(call.argument & 0xFFFF) > 0;
        layerCommand([up](LayerStack& d) { return MoveCurrentLayer(d, up); });
    });
    handlers.set(Handler::OpenAsLayer, [this](const HandlerCall&) { openAsLayer(); });
    // Ctrl+P wherever the focus is in the program, the palette itself included, and before
    // any click has made a window active.
    new ProgramKey(*mainWindow_, Qt::Key_P, Qt::ControlModifier,
                   [this] { showLayerPalette(!layerPaletteShown()); });  // the main window owns it
    // The check says what it wants; the menu and other callers toggle.
    handlers.set(Handler::ShowLayerPalette, [this](const HandlerCall& call) {
        const auto* panel = static_cast<const SkinPanelWidget*>(call.host);
        showLayerPalette(panel && call.button >= 0 ? panel->input().selected(call.button) : !layerPaletteShown());
    });
    layersScreen_ = std::make_unique<LayersScreen>(*mainWindow_, *this);
    handlers.set(Handler::Copy, [this](const HandlerCall&) { copy(); });
    handlers.set(Handler::Paste, [this](const HandlerCall&) { paste(); });
}

bool DocumentWindows::layerCommand(const std::function<bool(LayerStack&)>& run)
{
    ImageWindow* window = active();
    if (!window || window->dragging()) {
        ui::Beep("no picture open");
        return false;
    }
    window->cancelTool();
    if (!run(window->document())) {
        ui::Beep("layer command refused");
        return false;
    }
    window->documentChanged();
    documentEdited(*window);
    return true;
}

void DocumentWindows::copy()
{
    ImageWindow* window = active();
    if (!window) {
        ui::Beep("no picture open");
        return;
    }
    ui::BusyCursor busy;
    const LayerStack& doc = window->document();
    const bool selected = doc.selectionActive && mainWindow_ && mainWindow_->screen() == kSelectionScreen;
    const auto piece = selected ? CopySelectedContent(doc) : CopyCurrentLayer(doc);
    if (!piece) {
        ui::Beep("nothing to copy");
        return;
    }
    PutLayerOnClipboard(*piece);
    LV_TEST_LOG(hooks_, QStringLiteral("copied %1x%2")
                            .arg(piece->layer.image.read().width())
                            .arg(piece->layer.image.read().height()));
}

void DocumentWindows::paste()
{
    auto piece = LayerFromClipboard();
    if (!piece)
        return;  // text from another program pastes as nothing
    ImageWindow* window = active();
    if (!window) {
        // Nothing open: the clipboard's picture becomes a new picture.
        const HDIB& image = piece->layer.image.read();
        auto stack = CreateEmptyLayerStack(image.width(), image.height(), 24);
        if (!stack || !PasteLayer(*stack, std::move(*piece)))
            return;
        stack->layers[0].x = 0;
        stack->layers[0].y = 0;
        CompositeLayers(*stack);
        openDocumentWindow(std::move(stack), ProcessUntitledNames().next(kNewPictureBaseString));
        return;
    }
    if (window->dragging()) {
        ui::Beep("drag under way");
        return;
    }
    window->cancelTool();
    if (!PasteLayer(window->document(), std::move(*piece)))
        return;  // the stack was full: the message was shown
    window->documentChanged();
    documentEdited(*window);
}

void DocumentWindows::openAsLayer()
{
    ImageWindow* window = active();
    if (!window) {
        ui::Beep("no picture open");
        return;
    }
    const std::string path = RunOpenDialog(mainWindow_, false, Shell().recent.mostRecentDirectory());
    if (path.empty())
        return;
    LoadedDocument loaded;
    {
        ui::BusyCursor busy;
        loaded = LoadDocument(path);
    }
    if (!loaded.stack)
        return;
    const LayerStack& source = *loaded.stack;
    layerCommand([&source, &path](LayerStack& doc) { return AddLayersFrom(doc, source, path); });
}

void DocumentWindows::showLayerPalette(bool shown)
{
    if (!palette_) {
        if (!shown)
            return;
        palette_ = new LayerPalette(static_cast<LayerPaletteHost&>(*this), mainWindow_);  // the main window owns it
        if (mainWindow_)
            palette_->move(mainWindow_->geometry().topRight() - QPoint(palette_->width() + 40, -80));
    }
    palette_->setVisible(shown);
    if (shown)
        palette_->refresh();
    if (mainWindow_)
        ShowPaletteCheck(*mainWindow_, shown);
    LV_TEST_LOG(hooks_, QStringLiteral("palette ") + (shown ? QStringLiteral("shown") : QStringLiteral("hidden")));
}

bool DocumentWindows::layerPaletteShown() const
{
    return palette_ && palette_->isVisible();
}

bool DocumentWindows::isImageWindow(const QWidget* widget) const
{
    return dynamic_cast<const ImageWindow*>(widget) != nullptr;
}

void DocumentWindows::paletteShownChanged(bool shown)
{
    if (mainWindow_)
        ShowPaletteCheck(*mainWindow_, shown);
}

void DocumentWindows::refreshPalette()
{
    if (!palette_ || !palette_->isVisible())
        return;
    // Thumbnails wait for the end of a stroke, so painting stays quick.
    const ImageWindow* window = active();
    paletteStale_ = window && window->dragging();
    if (!paletteStale_)
        palette_->refresh();
}

LayerStack* DocumentWindows::paletteDocument()
{
    ImageWindow* window = active();
    return window ? &window->document() : nullptr;
}

void DocumentWindows::paletteChangedDocument()
{
    if (ImageWindow* window = active()) {
        window->documentChanged();
        window->document().modified = 1;
        logState();
    }
}

void DocumentWindows::paletteCommand(int button)
{
    using skin::Handler;
    constexpr Handler kButtons[] = {Handler::NewLayer, Handler::DuplicateLayer, Handler::DeleteLayerOrSelection,
                                    Handler::MergeLayerDown, Handler::FlattenImage, Handler::MoveLayer,
                                    Handler::MoveLayer};
    if (!mainWindow_ || button < 0 || button >= int(std::size(kButtons)))
        return;
    mainWindow_->handlers().call(kButtons[button], button == 5 ? 1u : button == 6 ? 0xFFFFu : 0u);
}

}  // namespace lv::app
