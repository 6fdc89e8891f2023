#include "app/windows/text_options.h"

#include "app/core/program_paths.h"
#include "app/dialogs/drop_shadow_dialog.h"
#include "app/dialogs/text_dialog.h"
#include "app/shell/handler_table.h"
#include "app/windows/image_window.h"
#include "app/windows/main_window.h"
#include "app/widgets/skin_panel_widget.h"
#include "common/ui_service.h"
#include "edit/tools/tool_registry.h"

#include <QDialog>

namespace lv::app {

TextOptions::TextOptions(MainWindow& window, std::function<ImageWindow*()> activeWindow,
                         std::function<void(int)> chooseTool)
    : window_(&window)
    , activeWindow_(std::move(activeWindow))
{
    using skin::Handler;
    HandlerTable& handlers = window.handlers();
    handlers.set(Handler::TextFont, [this](const HandlerCall&) {
        if (TextTool* t = tool())
            ChooseTextFont(window_, t->choice().settings.font);
    });
    handlers.set(Handler::TextSmoothEdges, [this](const HandlerCall& call) {
        const auto* panel = static_cast<const SkinPanelWidget*>(call.host);
        if (TextTool* t = tool(); t && panel && call.button >= 0)
            t->choice().settings.style.smoothEdges = panel->input().selected(call.button);
    });
    // "Escrever texto": the text tool, whose click opens the dialog where the text goes.
    handlers.set(Handler::TextEntry, [chooseTool = std::move(chooseTool)](const HandlerCall&) {
        if (chooseTool)
            chooseTool(tool_id::kText);
    });
    handlers.set(Handler::TextDropShadow, [this](const HandlerCall&) { addShadowToCurrentLayer(); });
    if (TextTool* t = tool())
        t->setScreen(this);
}

TextOptions::~TextOptions()
{
    if (TextTool* t = tool())
        t->setScreen(nullptr);
}

TextTool* TextOptions::tool() const
{
    return dynamic_cast<TextTool*>(Tools().find(tool_id::kText));
}

FontLibrary* TextOptions::fonts()
{
    if (!fontsTried_) {
        fontsTried_ = true;
        fonts_ = FontLibrary::Open(ProgramFile("fonts.conf"));
    }
    return fonts_.get();
}

bool TextOptions::edit(TextToolChoice& choice, bool editing)
{
    TextDialog dialog(window_, choice, editing);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

// The shadow dialog starts from the settings used last in the session.
void TextOptions::addShadowToCurrentLayer()
{
    ImageWindow* window = activeWindow_ ? activeWindow_() : nullptr;
    TextTool* t = tool();
    if (!window || !t) {
        ui::Current().beep();
        return;
    }
    LayerStack& doc = window->document();
    if (!IsLayerIndex(doc, doc.currentLayer) || doc.layers[std::size_t(doc.currentLayer)].kind != LAYER_TEXT) {
        ui::Current().beep();
        return;
    }
    if (AskAndAddDropShadow(window_, doc, t->choice().shadow))
        window->apply(ToolResult::Document());
}

}  // namespace lv::app
