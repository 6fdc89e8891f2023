#pragma once
// The enhancement screen (10) and the effects screen (27): the panel's choice previewed on
// the active picture while a slider moves, applied once with "Aplicar", dropped with the
// cancel button; and the one-click enhancements of screen 9.

#include "app/core/effects_bridge.h"
#include "app/shell/test_hooks.h"
#include "app/editing/effect_preview_list.h"
#include "app/shell/screen_features.h"

#include <QPointer>
#include <QTimer>

namespace lv::app {

class DocumentWindows;
class ImageWindow;
class MainWindow;
class SkinPanelWidget;

inline constexpr int kEnhanceScreen = 9;
inline constexpr int kEnhancementScreen = 10;
inline constexpr int kEffectsScreen = 27;

class AdjustmentPanels final : public ScreenCode {
public:
    AdjustmentPanels(MainWindow& window, DocumentWindows& documents, const TestHooks& hooks);
    ~AdjustmentPanels() override;

    void shown(MainSkin& skin) override;
    void listPicked(const skin::ListNotification& notification, skin::ListBox& list) override;
    // A window showing a preview shows another part: the preview follows.
    void viewMoved(const ImageWindow& window);

    const AdjustmentChoice& choice() const { return choice_; }
    const EffectPreviewList& effectPreviews() const { return effectPreviews_; }

private:
    SkinPanelWidget* panel(int id) const;
    void setMode(int mode);
    void setSlider(int index, int value);
    void setPreviewOn(bool on);
    // Shows the choice on the active window, or the plain picture with preview off. A
    // moving slider's frames may be coarse; the frame it settles on is exact.
    void schedulePreview(PreviewPass pass = PreviewPass::Final);
    void preview(PreviewPass pass);
    void dropPreview();
    void accept();
    void cancel();
    void applyAtOnce(int mode);
    void reset();
    void showSliders();
    void showEffects();
    void followSliders(SkinPanelWidget& panel);
    void logChoice(const char* event) const;
    // The active window's current layer picture, empty without one.
    SharedPicture currentPicture() const;

    QPointer<MainWindow> window_;
    DocumentWindows& documents_;
    const TestHooks& hooks_;
    AdjustmentChoice choice_;
    bool previewOn_ = true;
    bool previewScheduled_ = false;
    PreviewPass pendingPass_ = PreviewPass::Final;
    QTimer settle_;  // a still slider's exact frame after coarse ones
    QPointer<ImageWindow> previewed_;  // the window whose composite shows a preview
    PreviewCache previewCache_;        // of that window
    EffectPreviewList effectPreviews_;
};

}  // namespace lv::app
