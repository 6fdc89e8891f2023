#include "app/editing/wand_options.h"

#include "app/shell/handler_table.h"
#include "app/shell/main_skin.h"
#include "app/shell/main_window.h"
#include "edit/tools/tool_registry.h"
#include "edit/tools/tool_settings.h"

#include <QLineEdit>

#include <algorithm>
#include <array>
#include <vector>

namespace lv::app {
namespace {

constexpr int kMaxTolerance = 255;
constexpr int kToleranceArrowStep = 1;
constexpr int kTolerancePage = 10;
constexpr int kContiguousControl = 239;
constexpr std::array<int, 3> kThumbControls = {233, 234, 235};
constexpr std::array<int, 3> kFieldControls = {230, 231, 232};
constexpr std::array<std::pair<int, CombineMode>, 3> kModeControls = {{
    {236, CombineMode::New},
    {237, CombineMode::Add},
    {238, CombineMode::Subtract},
}};

WandSettings& wand()
{
    return CurrentToolSettings().wand;
}

int& toleranceOf(int channel)
{
    ChannelLimits& t = wand().tolerance;
    return channel == 1 ? t.red : channel == 2 ? t.green : t.blue;
}

}  // namespace

WandOptions::WandOptions(MainWindow& window)
    : window_(&window)
{
    using skin::Handler;
    HandlerTable& handlers = window.handlers();
    handlers.set(Handler::WandContiguous, [](const HandlerCall& call) {
        if (const auto* panel = static_cast<const SkinPanelWidget*>(call.host); panel && call.button >= 0)
            wand().contiguous = panel->input().selected(call.button);
    });
    handlers.set(Handler::WandTolerance, [this](const HandlerCall& call) {
        const auto* panel = static_cast<const SkinPanelWidget*>(call.host);
        if (!panel || call.button < 0)
            return;
        const int channel = int(panel->input().control(call.button).definition.argument & 0xFFFF);
        setTolerance(channel, int(call.argument));
    });
    handlers.set(Handler::WandToleranceStep, [this](const HandlerCall& call) {
        const int channel = int(call.argument & 0xFFFF);
        const int step = std::int16_t(call.argument >> 16) * kToleranceArrowStep;
        if (channel >= 1 && channel <= 3)
            setTolerance(channel, toleranceOf(channel) + step);
    });
    handlers.set(Handler::WandCombineMode, [](const HandlerCall& call) {
        const int mode = int(call.argument & 0xFFFF);
        wand().combine = mode == 1 ? CombineMode::Add : mode == 4 ? CombineMode::Subtract : CombineMode::New;
    });
    window.setScreenCode(kSelectionScreen, this);
}

WandOptions::~WandOptions()
{
    if (window_)
        window_->setScreenCode(kSelectionScreen, nullptr);
}

SkinPanelWidget* WandOptions::panel() const
{
    const MainSkin* skin = window_ ? window_->skin() : nullptr;
    if (!skin || skin->screen() != kSelectionScreen)
        return nullptr;
    for (const ShownPanel& shown : skin->panels())
        if (shown.panel == kSelectionScreen && shown.window)
            return shown.window.data();
    return nullptr;
}

void WandOptions::showTolerance(int channel)
{
    const int index = channel - 1;
    const int value = toleranceOf(channel);
    if (SkinPanelWidget* p = panel())
        p->setSlider(kThumbControls[std::size_t(index)], 0, kMaxTolerance, value, kTolerancePage);
    if (const MainSkin* skin = window_ ? window_->skin() : nullptr)
        if (auto* field = qobject_cast<QLineEdit*>(skin->field(kFieldControls[std::size_t(index)]))) {
            const QString text = QString::number(value);
            if (field->text() != text) {
                showing_ = true;
                field->setText(text);
                showing_ = false;
            }
        }
}

void WandOptions::setTolerance(int channel, int value)
{
    if (channel < 1 || channel > 3)
        return;
    toleranceOf(channel) = std::clamp(value, 0, kMaxTolerance);
    showTolerance(channel);
}

void WandOptions::shown(MainSkin&)
{
    SkinPanelWidget* p = panel();
    if (!p)
        return;
    p->setSelected(kContiguousControl, wand().contiguous);
    for (const auto& [control, mode] : kModeControls)
        p->setSelected(control, wand().combine == mode);
    for (int channel = 1; channel <= 3; ++channel)
        showTolerance(channel);
    // The page's tool buttons show the tool in use when it is one of theirs.
    std::vector<int> tools;
    for (int i = 0; i < int(p->input().size()); ++i)
        if (p->input().control(i).definition.handler == skin::Handler::SelectTool)
            tools.push_back(i);
    const auto current = std::find_if(tools.begin(), tools.end(), [p](int i) {
        return int(p->input().control(i).definition.argument) == CurrentToolId();
    });
    if (current != tools.end())
        for (const int i : tools)
            p->setButtonSelected(i, i == *current);
}

void WandOptions::fieldChanged(int controlId, const QString& text)
{
    const auto at = std::find(kFieldControls.begin(), kFieldControls.end(), controlId);
    if (showing_ || at == kFieldControls.end())
        return;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return;  // the field is being typed in; its last number stays
    const int channel = int(at - kFieldControls.begin()) + 1;
    toleranceOf(channel) = std::clamp(value, 0, kMaxTolerance);
    if (SkinPanelWidget* p = panel())
        p->setSlider(kThumbControls[std::size_t(channel - 1)], 0, kMaxTolerance, toleranceOf(channel), kTolerancePage);
}

void WandOptions::sliderReleased(int panelId, int button, int value)
{
    SkinPanelWidget* p = panel();
    if (panelId != kSelectionScreen || !p || button < 0 || std::size_t(button) >= p->input().size())
        return;
    const skin::ButtonDefinition& d = p->input().control(button).definition;
    if (d.handler == skin::Handler::WandTolerance)
        setTolerance(int(d.argument & 0xFFFF), value);
}

}  // namespace lv::app
