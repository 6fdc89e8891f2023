#include "app/editing/text_options.h"

#include "common/beep.h"
#include "common/program_paths.h"
#include "app/editing/drop_shadow_dialog.h"
#include "app/editing/text_dialog.h"
#include "app/shell/handler_table.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/skin/list_box_registry.h"
#include "app/widgets/skin_panel_widget.h"
#include "common/ui_service.h"
#include "edit/text_render/font_library.h"
#include "edit/tools/tool_registry.h"

#include <QDialog>
#include <QFontDatabase>

namespace lv::app {

TextOptions::TextOptions(MainWindow& window, std::function<ImageWindow*()> activeWindow,
                         std::function<void(int)> chooseTool)
    : window_(&window)
    , activeWindow_(std::move(activeWindow))
{
    using skin::Handler;
    HandlerTable& handlers = window.handlers();
    handlers.set(Handler::TextFont, [this](const HandlerCall&) {
        if (TextTool* t = tool(); t && ChooseTextFont(window_, t->choice().settings.font, [this](const LogFont& f) {
                return drawnFace(f);
            }))
            t->sizeChosen();
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
    window.setScreenCode(kTextScreen, this);
}

TextOptions::~TextOptions()
{
    if (TextTool* t = tool())
        t->setScreen(nullptr);
    if (window_)
        window_->setScreenCode(kTextScreen, nullptr);
}

void TextOptions::shown(MainSkin&)
{
    showFontList();
}

// The families the font dialog offers, the current font's selected; read once, since the
// fonts don't change while the program runs.
void TextOptions::showFontList()
{
    skin::ListBox* list = window_ ? window_->listBox(skin::kFontListControl) : nullptr;
    if (!list)
        return;
    if (families_.isEmpty())
        for (const QString& family : QFontDatabase::families())
            if (!QFontDatabase::isPrivateFamily(family))
                families_ << family;
    if (list->count() != int(families_.size())) {
        list->resetContent();
        for (const QString& family : families_)
            list->addString(family.toStdString());
    }
    const TextTool* t = tool();
    const auto find = [this](const QString& name) {
        for (int i = 0; i < int(families_.size()); ++i)
            if (families_[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    const LogFont font = t ? t->choice().settings.font : LogFont{};
    int chosen = font.faceName.empty() ? -1 : find(QString::fromStdString(font.faceName));
    if (chosen < 0)  // a name documents use ("Arial"), drawn with its stand-in
        chosen = find(drawnFace(font));
    list->setSelection(chosen);
}

void TextOptions::listPicked(const skin::ListNotification& notification, skin::ListBox& list)
{
    TextTool* t = tool();
    const int index = list.selection();
    if (!t || notification.controlId != skin::kFontListControl || index < 0 || index >= int(families_.size()))
        return;
    t->choice().settings.font.faceName = families_[index].toStdString().substr(0, kFaceNameBytes - 1);
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

QString TextOptions::drawnFace(const LogFont& font)
{
    const std::string drawn = fonts() ? fonts()->drawnFamily(font) : std::string();
    if (!drawn.empty())
        return QString::fromStdString(drawn);
    return QString::fromStdString(font.faceName.empty() ? std::string("Arial") : font.faceName);
}

bool TextOptions::edit(TextToolChoice& choice, bool editing)
{
    TextDialog dialog(window_, choice, editing, [this](const LogFont& f) { return drawnFace(f); });
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
        ui::Beep("no picture open");
        return;
    }
    LayerStack& doc = window->document();
    if (!IsLayerIndex(doc, doc.currentLayer) || doc.layers[std::size_t(doc.currentLayer)].kind != LAYER_TEXT) {
        ui::Beep("no text layer");
        return;
    }
    if (AskAndAddDropShadow(window_, doc, t->choice().shadow))
        window->apply(ToolResult::Document());
}

}  // namespace lv::app
