#include "app/windows/paint_options.h"

#include "app/core/paint_settings.h"
#include "app/core/program_paths.h"
#include "app/shell/handler_table.h"
#include "app/windows/main_skin.h"
#include "app/windows/main_window.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/tool_settings.h"

#include <QApplication>
#include <QFileDialog>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kFirstPaintScreen = 13;
constexpr int kLastPaintScreen = 17;
constexpr int kLargestBrush = 32;
constexpr int kFastestBrush = 32;

PaintOptions& paint()
{
    return CurrentToolSettings().paint;
}

// The slider's range and the option it sets, by its handler.
struct SliderOption {
    skin::Handler handler;
    int minimum;
    int maximum;
    int& (*value)();
};
int& brushSize() { return paint().brush.size; }
int& brushSpeed() { return paint().brush.speed; }
int& strength() { return paint().strength; }
constexpr SliderOption kSliders[] = {
    {skin::Handler::BrushSize, 1, kLargestBrush, brushSize},
    {skin::Handler::BrushSpeed, 1, kFastestBrush, brushSpeed},
    {skin::Handler::ToolStrength, 0, 100, strength},
};

const SliderOption* sliderFor(skin::Handler handler)
{
    const auto at = std::find_if(std::begin(kSliders), std::end(kSliders),
                                 [handler](const SliderOption& s) { return s.handler == handler; });
    return at == std::end(kSliders) ? nullptr : at;
}

void setSlider(skin::Handler handler, int value)
{
    if (const SliderOption* s = sliderFor(handler))
        s->value() = std::clamp(value, s->minimum, s->maximum);
}

}  // namespace

PaintOptionsPanels::PaintOptionsPanels(MainWindow& window)
    : window_(&window)
{
    using skin::Handler;
    HandlerTable& handlers = window.handlers();
    handlers.set(Handler::BrushShape, [](const HandlerCall& call) {
        paint().brush.shape = std::clamp(int(call.argument & 0xFFFF), 0, 6);
    });
    for (const SliderOption& s : kSliders)
        handlers.set(s.handler, [handler = s.handler](const HandlerCall& call) { setSlider(handler, int(call.argument)); });
    handlers.set(Handler::CloneAligned, [](const HandlerCall& call) {
        if (const auto* panel = static_cast<const SkinPanelWidget*>(call.host); panel && call.button >= 0)
            paint().cloneAligned = panel->input().selected(call.button);
    });
    handlers.set(Handler::ChooseStamp, [this](const HandlerCall&) { choosePicture(true); });
    handlers.set(Handler::ChooseTexture, [this](const HandlerCall&) { choosePicture(false); });
    for (int screen = kFirstPaintScreen; screen <= kLastPaintScreen; ++screen)
        window.setScreenCode(screen, this);
    LoadPaintPictures(paint());
}

PaintOptionsPanels::~PaintOptionsPanels()
{
    if (window_)
        for (int screen = kFirstPaintScreen; screen <= kLastPaintScreen; ++screen)
            window_->setScreenCode(screen, nullptr);
}

SkinPanelWidget* PaintOptionsPanels::panel() const
{
    const MainSkin* skin = window_ ? window_->skin() : nullptr;
    if (!skin || skin->screen() < kFirstPaintScreen || skin->screen() > kLastPaintScreen)
        return nullptr;
    for (const ShownPanel& shown : skin->panels())
        if (shown.panel == skin->screen() && shown.window)
            return shown.window.data();
    return nullptr;
}

void PaintOptionsPanels::shown(MainSkin&)
{
    SkinPanelWidget* p = panel();
    if (!p)
        return;
    for (int i = 0; i < int(p->input().size()); ++i) {
        const skin::ButtonDefinition& d = p->input().control(i).definition;
        if (d.handler == skin::Handler::BrushShape)
            p->setButtonSelected(i, int(d.argument) == paint().brush.shape);
        else if (d.handler == skin::Handler::CloneAligned)
            p->setButtonSelected(i, paint().cloneAligned);
        else if (d.handler == skin::Handler::SelectTool)
            p->setButtonSelected(i, int(d.argument) == CurrentToolId());
        else if (const SliderOption* s = sliderFor(d.handler); s && d.kind == skin::ButtonKind::SliderThumb)
            p->setButtonSlider(i, s->minimum, s->maximum, s->value());
    }
}

void PaintOptionsPanels::sliderReleased(int panelId, int button, int value)
{
    SkinPanelWidget* p = panel();
    if (!p || panelId < kFirstPaintScreen || panelId > kLastPaintScreen || button < 0
        || std::size_t(button) >= p->input().size())
        return;
    setSlider(p->input().control(button).definition.handler, value);
}

void PaintOptionsPanels::choosePicture(bool stamp)
{
    const std::filesystem::path folder = ProgramFile(stamp ? "stamps" : "sysalbum/texture");
    const QString chosen = QFileDialog::getOpenFileName(
        window_, QString::fromUtf8(stamp ? "Carimbos" : "Texturas"), QString::fromStdString(folder.string()),
        QStringLiteral("*.bmp *.BMP *.png *.PNG *.jpg *.JPG"), nullptr, QFileDialog::DontUseNativeDialog);
    if (chosen.isEmpty())
        return;
    // Pictures of the program's own folders keep the short name the configuration uses.
    const std::filesystem::path path = chosen.toStdString();
    const std::filesystem::path relative = path.lexically_relative(ProgramDir());
    const std::string name = !relative.empty() && *relative.begin() != ".." ? relative.generic_string() : path.string();
    auto picture = LoadPaintPicture(name);
    if (!picture) {
        QApplication::beep();
        return;
    }
    (stamp ? paint().stampName : paint().textureName) = name;
    (stamp ? paint().stamp : paint().texture) = std::move(picture);
}

}  // namespace lv::app
