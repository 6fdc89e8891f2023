#include "app/editing/paint_options.h"

#include "common/beep.h"
#include "app/core/paint_settings.h"
#include "common/program_paths.h"
#include "app/editing/paint_picture_dialog.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_skin.h"
#include "app/shell/main_window.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/tool_settings.h"

#include <QApplication>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kFirstPaintScreen = 13;
constexpr int kLastPaintScreen = 17;
constexpr int kLargestBrush = 32;
constexpr int kFastestBrush = 32;
constexpr int kLargestWeight = 255;  // softness and pressure
constexpr int kMostFillTransparency = 99;

PaintOptions& paint()
{
    return CurrentToolSettings().paint;
}

// A slider's option: its handler and argument (the option's number for PaintOption), its
// range and the option it sets.
struct SliderOption {
    skin::Handler handler;
    std::uint32_t argument;
    int minimum;
    int maximum;
    int& (*value)(PaintOptions&);
};
constexpr SliderOption kSliders[] = {
    {skin::Handler::BrushSize, 0, 1, kLargestBrush, [](PaintOptions& o) -> int& { return o.brush.size; }},
    {skin::Handler::BrushSpeed, 0, 1, kFastestBrush, [](PaintOptions& o) -> int& { return o.brush.speed; }},
    {skin::Handler::ToolStrength, 0, 0, 100, [](PaintOptions& o) -> int& { return o.strength; }},
    {skin::Handler::PaintOption, 1, 0, kLargestWeight, [](PaintOptions& o) -> int& { return o.softness; }},
    {skin::Handler::PaintOption, 2, 0, kLargestWeight, [](PaintOptions& o) -> int& { return o.airbrushPressure; }},
    {skin::Handler::PaintOption, 3, 0, 100, [](PaintOptions& o) -> int& { return o.eraserIntensity; }},
    {skin::Handler::PaintOption, 4, 0, 255, [](PaintOptions& o) -> int& { return o.fillTolerance; }},
    {skin::Handler::PaintOption, 5, 0, kMostFillTransparency, [](PaintOptions& o) -> int& { return o.fillTransparency; }},
};

struct CheckOption {
    skin::Handler handler;
    std::uint32_t argument;
    bool& (*value)(PaintOptions&);
};
constexpr CheckOption kChecks[] = {
    {skin::Handler::CloneAligned, 0, [](PaintOptions& o) -> bool& { return o.cloneAligned; }},
    {skin::Handler::PaintCheck, 1, [](PaintOptions& o) -> bool& { return o.cloneSoftEdge; }},
    {skin::Handler::PaintCheck, 2, [](PaintOptions& o) -> bool& { return o.eraserSoftEdge; }},
};

template <class Option, std::size_t N>
const Option* optionFor(const Option (&table)[N], const skin::ButtonDefinition& d)
{
    const auto at = std::find_if(std::begin(table), std::end(table), [&d](const Option& o) {
        return o.handler == d.handler && o.argument == (d.argument & 0xFFFF);
    });
    return at == std::end(table) ? nullptr : at;
}

// The button a handler was fired from, or, for a call without one, the handler alone.
skin::ButtonDefinition firedFrom(skin::Handler handler, const HandlerCall& call)
{
    if (const auto* panel = static_cast<const SkinPanelWidget*>(call.host); panel && call.button >= 0)
        return panel->input().control(call.button).definition;
    skin::ButtonDefinition d;
    d.handler = handler;
    return d;
}

void setSlider(const skin::ButtonDefinition& d, int value)
{
    if (const SliderOption* s = optionFor(kSliders, d))
        s->value(paint()) = std::clamp(value, s->minimum, s->maximum);
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
    for (const Handler slider : {Handler::BrushSize, Handler::BrushSpeed, Handler::ToolStrength, Handler::PaintOption})
        handlers.set(slider, [slider](const HandlerCall& call) { setSlider(firedFrom(slider, call), int(call.argument)); });
    for (const Handler check : {Handler::CloneAligned, Handler::PaintCheck})
        handlers.set(check, [](const HandlerCall& call) {
            const auto* panel = static_cast<const SkinPanelWidget*>(call.host);
            if (!panel || call.button < 0)
                return;
            if (const CheckOption* c = optionFor(kChecks, panel->input().control(call.button).definition))
                c->value(paint()) = panel->input().selected(call.button);
        });
    handlers.set(Handler::ChooseStamp, [this](const HandlerCall&) { choosePicture(PaintPictureKind::Stamp); });
    handlers.set(Handler::ChooseTexture, [this](const HandlerCall&) { choosePicture(PaintPictureKind::Texture); });
    handlers.set(Handler::ChooseBrushPicture, [this](const HandlerCall&) { choosePicture(PaintPictureKind::BrushShape); });
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
        else if (d.handler == skin::Handler::SelectTool)
            p->setButtonSelected(i, int(d.argument) == CurrentToolId());
        else if (const CheckOption* c = optionFor(kChecks, d))
            p->setButtonSelected(i, c->value(paint()));
        else if (const SliderOption* s = optionFor(kSliders, d); s && d.kind == skin::ButtonKind::SliderThumb)
            p->setButtonSlider(i, s->minimum, s->maximum, s->value(paint()));
    }
}

void PaintOptionsPanels::sliderReleased(int panelId, int button, int value)
{
    SkinPanelWidget* p = panel();
    if (!p || panelId < kFirstPaintScreen || panelId > kLastPaintScreen || button < 0
        || std::size_t(button) >= p->input().size())
        return;
    setSlider(p->input().control(button).definition, value);
}

void PaintOptionsPanels::choosePicture(PaintPictureKind kind)
{
    const std::string chosen = RunPaintPictureDialog(window_, kind);
    if (chosen.empty())
        return;
    // Pictures of the program's own folders keep the short name the configuration uses.
    const std::filesystem::path path = chosen;
    const std::filesystem::path relative = path.lexically_relative(ProgramDir());
    const std::string name = !relative.empty() && *relative.begin() != ".." ? relative.generic_string() : path.string();
    auto picture = LoadPaintPicture(name);
    if (!picture) {
        ui::Beep("picture not loaded");
        return;
    }
    switch (kind) {
    case PaintPictureKind::Stamp:
        paint().stampName = name;
        paint().stamp = std::move(picture);
        break;
    case PaintPictureKind::Texture:
        paint().textureName = name;
        paint().texture = std::move(picture);
        break;
    case PaintPictureKind::BrushShape:
        // Choosing the picture is choosing the shape that paints with it.
        paint().customShape = std::move(picture);
        paint().brush.shape = int(BrushShape::Custom);
        if (window_ && window_->skin())
            shown(*window_->skin());
        break;
    }
}

}  // namespace lv::app
