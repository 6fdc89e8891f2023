#include "app/editing/adjustment_panels.h"

#include "app/core/documents/document_io.h"
#include "app/shell/handler_table.h"
#include "app/widgets/skin_list_box.h"
#include "app/widgets/skin_panel_widget.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_skin.h"
#include "app/shell/main_window.h"
#include "effects/catalogue.h"
#include "effects/slider_mapping.h"

#include <QTimer>

#include <algorithm>
#include <array>

namespace lv::app {
namespace {

using skin::Handler;

constexpr int kSliderMaximum = 100;
constexpr int kSliderPage = 10;
constexpr int kFirstSlidingMode = 0;
constexpr int kLastSlidingMode = 5;

// What each slider does in each sliding mode, in the order the library reads them.
constexpr std::array<std::array<const char*, 3>, kLastSlidingMode + 1> kSliderNames{{
    {"Brilho", "", ""},
    {"Brilho", "Contraste", ""},
    {"Matiz", "Saturação", ""},
    {"Vermelho", "Verde", "Azul"},
    {"Nitidez", "", ""},
    {"Suavização", "", ""},
}};

QString SliderName(int mode, int slider)
{
    if (mode < kFirstSlidingMode || mode > kLastSlidingMode || slider < 1 || slider > 3)
        return {};
    return QString::fromUtf8(kSliderNames[std::size_t(mode)][std::size_t(slider - 1)]);
}

bool IsPanelSlider(const skin::ButtonDefinition& d)
{
    return d.kind == skin::ButtonKind::SliderThumb &&
           (d.handler == Handler::EnhancementSlider || d.handler == Handler::EffectStrength);
}

}  // namespace

AdjustmentPanels::AdjustmentPanels(MainWindow& window, DocumentWindows& documents, const TestHooks& hooks)
    : window_(&window)
    , documents_(documents)
    , hooks_(hooks)
    , effectPreviews_([this] { return currentPicture(); })
{
    HandlerTable& handlers = window.handlers();
    handlers.set(Handler::EnhancementMode, [this](const HandlerCall& call) { setMode(int(call.argument & 0xFFFF)); });
    handlers.set(Handler::EnhancementSlider, [this](const HandlerCall& call) {
        const auto* p = static_cast<const SkinPanelWidget*>(call.host);
        if (p && call.button >= 0)
            setSlider(int(p->input().control(call.button).definition.argument & 0xFFFF), int(call.argument));
    });
    handlers.set(Handler::EffectStrength, [this](const HandlerCall& call) { setSlider(0, int(call.argument)); });
    handlers.set(Handler::PreviewAdjustment, [this](const HandlerCall& call) { setPreviewOn(call.argument != 0); });
    handlers.set(Handler::ApplyAdjustment, [this](const HandlerCall&) { accept(); });
    handlers.set(Handler::CancelAdjustment, [this](const HandlerCall&) { cancel(); });
    handlers.set(Handler::OneClickEnhancement, [this](const HandlerCall& call) { applyAtOnce(int(call.argument & 0xFFFF)); });
    window.setScreenCode(kEnhanceScreen, this);
    window.setScreenCode(kEnhancementScreen, this);
    window.setScreenCode(kEffectsScreen, this);
    // Long enough that a dragging hand does not pay for exact frames between moves.
    constexpr int kSettleMs = 150;
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    QObject::connect(&settle_, &QTimer::timeout, [this] { schedulePreview(); });
}

AdjustmentPanels::~AdjustmentPanels()
{
    if (window_) {
        window_->setScreenCode(kEnhanceScreen, nullptr);
        window_->setScreenCode(kEnhancementScreen, nullptr);
        window_->setScreenCode(kEffectsScreen, nullptr);
    }
}

SkinPanelWidget* AdjustmentPanels::panel(int id) const
{
    const MainSkin* skin = window_ ? window_->skin() : nullptr;
    if (!skin)
        return nullptr;
    for (const ShownPanel& shown : skin->panels())
        if (shown.panel == id && shown.window)
            return shown.window.data();
    return nullptr;
}

void AdjustmentPanels::shown(MainSkin&)
{
    // The switch names its new screen only after this: the panels shown tell it.
    if (SkinPanelWidget* effects = panel(kEffectsScreen)) {
        if (choice_.kind != AdjustmentChoice::Kind::Effect) {
            choice_ = AdjustmentChoice{};
            choice_.kind = AdjustmentChoice::Kind::Effect;
            choice_.operation = effects::EffectCatalogue().front().code;
        }
        followSliders(*effects);
        showEffects();
        effectPreviews_.setStrength(choice_.strength);
        if (auto* list = effects->findChild<SkinListBox*>(kListBoxClass))
            effectPreviews_.attach(*list);
        schedulePreview();
        return;
    }
    effectPreviews_.stop();
    SkinPanelWidget* sliders = panel(kEnhancementScreen);
    if (!sliders) {
        // Back on the page without a panel open: nothing is previewed any more.
        dropPreview();
        reset();
        return;
    }
    choice_.kind = AdjustmentChoice::Kind::Enhancement;
    if (choice_.mode == kEnhancementModeNone)
        choice_.mode = kFirstSlidingMode;
    followSliders(*sliders);
    showSliders();
    schedulePreview();
}

// The catalogue in its order, the chosen effect selected, the strength on the slider.
void AdjustmentPanels::showEffects()
{
    if (skin::ListBox* list = window_ ? window_->listBox(skin::kEffectsListControl) : nullptr) {
        const auto catalogue = effects::EffectCatalogue();
        if (list->count() != int(catalogue.size())) {
            list->resetContent();
            for (const effects::EffectEntry& e : catalogue)
                list->addString(e.name);
        }
        const auto chosen = std::find_if(catalogue.begin(), catalogue.end(),
                                         [this](const effects::EffectEntry& e) { return e.code == choice_.operation; });
        list->setSelection(chosen == catalogue.end() ? -1 : int(chosen - catalogue.begin()));
    }
    const effects::EffectEntry* effect = effects::FindEffect(choice_.operation);
    if (SkinPanelWidget* p = panel(kEffectsScreen))
        for (int i = 0; i < int(p->input().size()); ++i)
            if (p->input().control(i).definition.handler == Handler::EffectStrength &&
                p->input().control(i).definition.kind == skin::ButtonKind::SliderThumb) {
                p->setButtonSlider(i, 0, kSliderMaximum, choice_.strength);
                p->setButtonHidden(i, !effect || !effect->usesStrength);
            }
}

void AdjustmentPanels::listPicked(const skin::ListNotification& notification, skin::ListBox& list)
{
    const auto catalogue = effects::EffectCatalogue();
    const int index = list.selection();
    if (notification.controlId != skin::kEffectsListControl || index < 0 || index >= int(catalogue.size()))
        return;
    choice_.kind = AdjustmentChoice::Kind::Effect;
    choice_.operation = catalogue[std::size_t(index)].code;
    if (hooks_.enabled())
        LV_TEST_LOG(hooks_, QStringLiteral("effect chosen %1").arg(choice_.operation));
    showEffects();
    schedulePreview();
}

void AdjustmentPanels::viewMoved(const ImageWindow& window)
{
    if (previewed_ == &window)
        schedulePreview();
}

// The readouts already watch the sliders; the preview follows the thumbs as well, while
// they are dragged.
void AdjustmentPanels::followSliders(SkinPanelWidget& p)
{
    if (p.property("lvAdjustmentFollows").toBool())
        return;
    p.setProperty("lvAdjustmentFollows", true);
    SkinPanelWidget::SliderObserver before = p.sliderObserver();
    QPointer<SkinPanelWidget> watched(&p);
    p.setSliderObserver([this, before, watched](int button, int value) {
        if (before)
            before(button, value);
        if (!watched)
            return;
        const skin::ButtonDefinition& d = watched->input().control(button).definition;
        if (IsPanelSlider(d))
            setSlider(d.handler == Handler::EffectStrength ? 0 : int(d.argument & 0xFFFF), value);
    });
}

void AdjustmentPanels::showSliders()
{
    SkinPanelWidget* p = panel(kEnhancementScreen);
    if (!p)
        return;
    for (int i = 0; i < int(p->input().size()); ++i) {
        const skin::ButtonDefinition& d = p->input().control(i).definition;
        if (d.handler == Handler::EnhancementMode)
            p->setButtonSelected(i, int(d.argument) == choice_.mode);
        if (d.handler == Handler::EnhancementSlider && d.kind == skin::ButtonKind::SliderThumb) {
            const int index = int(d.argument & 0xFFFF);
            if (index >= 1 && index <= 3)
                p->setButtonSlider(i, 0, kSliderMaximum, choice_.sliders[std::size_t(index - 1)]);
            // Only the sliders the mode reads show, each named for what it does there.
            p->setButtonHidden(i, index > effects::EnhancementSliderCount(choice_.mode));
            p->setSliderLabel(i, SliderName(choice_.mode, index));
        }
    }
}

void AdjustmentPanels::setMode(int mode)
{
    if (mode < kFirstSlidingMode || mode > kLastSlidingMode)
        return;
    choice_.kind = AdjustmentChoice::Kind::Enhancement;
    choice_.mode = mode;
    choice_.sliders = {effects::kSliderNeutral, effects::kSliderNeutral, effects::kSliderNeutral};
    showSliders();
    schedulePreview();
}

void AdjustmentPanels::setSlider(int index, int value)
{
    value = std::clamp(value, 0, kSliderMaximum);
    if (index == 0) {
        if (choice_.strength == value)
            return;
        choice_.strength = value;
        effectPreviews_.setStrength(value);
    } else if (index >= 1 && index <= 3) {
        int& slider = choice_.sliders[std::size_t(index - 1)];
        if (slider == value)
            return;
        slider = value;
    } else {
        return;
    }
    schedulePreview(PreviewPass::Moving);
}

void AdjustmentPanels::setPreviewOn(bool on)
{
    previewOn_ = on;
    schedulePreview();
}

// A drag sends many moves; the picture follows once per pass of the event loop.
void AdjustmentPanels::schedulePreview(PreviewPass pass)
{
    if (!window_)
        return;
    if (previewScheduled_) {
        if (pass == PreviewPass::Final)
            pendingPass_ = pass;
        return;
    }
    previewScheduled_ = true;
    pendingPass_ = pass;
    QTimer::singleShot(0, window_, [this] {
        previewScheduled_ = false;
        preview(pendingPass_);
    });
}

void AdjustmentPanels::preview(PreviewPass pass)
{
    settle_.stop();
    ImageWindow* window = documents_.active();
    if (previewed_ && previewed_ != window)
        dropPreview();
    if (!window || choice_.kind == AdjustmentChoice::Kind::None)
        return;
    if (!previewOn_) {
        dropPreview();
        return;
    }
    const ShownPart part = ShownPartOf(window->view());
    const bool coarse = pass == PreviewPass::Moving && MovingPreviewIsCoarser(choice_);
    PreviewComposite(window->document(), choice_, part, previewCache_, coarse ? PreviewPass::Moving : PreviewPass::Final);
    previewed_ = window;
    window->update();
    if (coarse)
        settle_.start();
    logChoice(coarse ? "draft" : "preview");
}

void AdjustmentPanels::dropPreview()
{
    settle_.stop();
    if (ImageWindow* window = previewed_.data()) {
        RebuildComposite(window->document());
        window->update();
    }
    previewed_ = nullptr;
    previewCache_.clear();
}

void AdjustmentPanels::accept()
{
    ImageWindow* window = documents_.active();
    settle_.stop();
    previewed_ = nullptr;
    previewCache_.clear();
    if (window) {
        const bool applied = ApplyAdjustment(window->document(), choice_, false);
        window->documentChanged();
        logChoice(applied ? "applied" : "refused");
        documents_.documentEdited(*window);
    }
    reset();
    if (window_)
        window_->switchScreen(kEnhanceScreen);
}

void AdjustmentPanels::cancel()
{
    dropPreview();
    logChoice("cancelled");
    reset();
    if (window_)
        window_->switchScreen(kEnhanceScreen);
}

void AdjustmentPanels::applyAtOnce(int mode)
{
    ImageWindow* window = documents_.active();
    if (!window || (mode != 6 && mode != 7))
        return;
    dropPreview();
    const bool applied = ApplyEnhancement(window->document(), mode, {}, false);
    window->documentChanged();
    if (hooks_.enabled())
        LV_TEST_LOG(hooks_, QStringLiteral("adjust %1 mode=%2").arg(applied ? "applied" : "refused").arg(mode));
    documents_.documentEdited(*window);
}

void AdjustmentPanels::reset()
{
    choice_ = AdjustmentChoice{};
}

SharedPicture AdjustmentPanels::currentPicture() const
{
    const ImageWindow* window = documents_.active();
    if (!window)
        return {};
    const LayerStack& stack = window->document();
    if (stack.currentLayer < 0 || std::size_t(stack.currentLayer) >= stack.layers.size())
        return {};
    return stack.layers[std::size_t(stack.currentLayer)].image;
}

void AdjustmentPanels::logChoice(const char* event) const
{
    if (!hooks_.enabled())
        return;
    const AdjustmentChoice& c = choice_;
    LV_TEST_LOG(hooks_, QStringLiteral("adjust %1 mode=%2 sliders=%3,%4,%5 effect=%6 strength=%7")
                            .arg(QLatin1String(event))
                            .arg(c.kind == AdjustmentChoice::Kind::Enhancement ? c.mode : -1)
                            .arg(c.sliders[0])
                            .arg(c.sliders[1])
                            .arg(c.sliders[2])
                            .arg(c.kind == AdjustmentChoice::Kind::Effect ? c.operation : 0)
                            .arg(c.strength));
}

}  // namespace lv::app
