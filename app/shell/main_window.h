#pragma once
// The top-level window "Lumivista 2000": frameless, drawn entirely by its skin. It shows one
// screen at a time, routes the skin buttons to their handlers, the keyboard commands of
// accelerator table 501 to their actions, and hands documents and image-window requests to
// the features that own them.

#include "app/shell/click_sounds.h"
#include "app/core/command_line.h"
#include "app/core/documents/document_opener.h"
#include "app/shell/handler_table.h"
#include "app/shell/help_window.h"
#include "app/shell/image_windows.h"
#include "app/shell/main_skin.h"
#include "app/shell/open_album.h"
#include "app/shell/screen_features.h"
#include "app/skin/attention_blink.h"
#include "app/skin/screen_switch.h"
#include "app/widgets/colour_panel.h"
#include "app/widgets/skin_tooltip.h"
#include "app/shell/test_hooks.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace lv::app {

inline constexpr char kMainWindowClass[] = "Lumivista 2000";

inline constexpr int kImageTickTimer = 100;
inline constexpr int kImageTickMilliseconds = 500;
inline constexpr int kWorkspaceControl = 100;
inline constexpr int kStatusControl = 202;
inline constexpr int kZoomReadoutControl = 203;
inline constexpr int kIndicatorControl = 164;
inline constexpr int kHelpMenu = 221;
inline constexpr int kCommandHelpContents = 21903;
inline constexpr int kCommandPreferences = 21904;  // "Preferências...", the recovery copies' settings

class MainWindow final : public QWidget,
                         private PanelHost,
                         private skin::ScreenSwitchHooks,
                         private skin::ButtonEnvironment {
public:
    using CommandHandler = std::function<void()>;
    using DestroyHandler = std::function<void()>;

    MainWindow(DocumentOpener& opener, ImageWindows& imageWindows, const TestHooks& hooks, DestroyHandler onDestroy);
    ~MainWindow() override;

    // The creation handler: the display checks, then the skin on screen 0, the timers and
    // the splash. False when the display is refused (the window is then not shown).
    bool create();

    // Commands of other features (126 scan, 399 text entry, ...).
    void setCommandHandler(int command, CommandHandler handler);
    // A command: the keyboard's, the help menu's, or one a feature registered. False when
    // nothing handles it.
    bool runCommand(int command);

    void acceptDroppedFiles() { setAcceptDrops(true); }

    HandlerTable& handlers() { return handlers_; }
    ScreenSwitchFeatures& switchFeatures() { return switchFeatures_; }
    void setScreenCode(int screen, ScreenCode* code);
    ScreenCode* screenCodeOf(int screen) const;
    // The slide show's window while a show runs: Esc goes to it.
    void setSlideShowWindow(QWidget* window) { slideShow_ = window; }
    bool slideShowRunning() const { return slideShow_ && slideShow_->isVisible(); }
    // The slide show's buttons: the settings dialog, then for "Iniciar" the show of the
    // album chosen there.
    void runSlideShow(bool start);
    // The album open on the album page: the settings dialog offers it first and the show
    // reads it with the photos the page has not written yet.
    void setOpenAlbum(const OpenAlbum* album) { openAlbum_ = album; }
    // Which indicator picture control 164 shows, and what it stands for (its tooltip).
    void setIndicatorLit(bool lit);
    void setIndicatorMeaning(const QString& meaning) { indicatorMeaning_ = meaning; }
    bool indicatorLit() const { return indicatorLit_; }
    const QString& indicatorMeaning() const { return indicatorMeaning_; }
    // An image window opened or closed: the splash shows in the workspace only while none is open.
    void imageWindowsChanged();
    // A page of the screen shown (the album's grid) uses the workspace: no splash under it.
    void setWorkspaceTaken(bool taken);

    int screen() const { return switcher_.current(); }
    // Switches screens as a screen button does; false when the switch did not happen.
    bool switchScreen(int screen);
    const MainSkin* skin() const { return skin_.get(); }
    MainSkin* skin() { return skin_.get(); }
    // The text shown in control 202 for the button under the pointer.
    const QString& statusText() const { return status_; }
    // Puts a text of the program's own in control 202 (the image windows' zoom readout).
    void setStatusText(const QString& text);
    // The active image window's zoom in control 203, the "1:1" box; empty gives the box its
    // own text again.
    void setZoomReadout(const QString& text);
    const QString& zoomReadout() const { return zoomReadout_; }
    // Files another copy of the program was started with: opened here as if dropped.
    void openHandedOverFiles(const std::vector<std::string>& files);
    // Where a dropped or handed-over album file goes instead of an image window.
    void setAlbumFileOpener(AlbumFileOpener opener) { albumFileOpener_ = std::move(opener); }
    // A control of the screen shown, in window coordinates: 100 is the image workspace,
    // 142 the place of the colour tools.
    std::optional<QRect> controlRect(int controlId) const;
    // The text a field of the screens starts with (the remembered login of the photo store).
    void presetField(int controlId, const QString& text)
    {
        if (skin_)
            skin_->presetField(controlId, text);
    }
    // The items of a screen's list box (200 the albums, 216 the fonts, 217 the effects),
    // whether or not its screen shows; null for another id.
    skin::ListBox* listBox(int controlId);
    // The colour panel in the "Cores" box of the screen shown, or null.
    ColourPanel* colourPanel() const;
    // Help for a context (the contents when there is none).
    void openHelp(std::optional<int> context);
    HelpWindow* helpWindow() const { return help_.get(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // PanelHost
    void fire(SkinPanelWidget& panel, const skin::effect::Fire& fire) override;
    void showStatus(int stringId) override;
    void showTooltip(SkinPanelWidget& panel, int stringId, QPoint at) override;
    void hideTooltip() override;
    void playSound(std::string_view file) override;
    void sliderReleased(SkinPanelWidget& panel, int button, int value) override;
    void toggleMirrored(SkinPanelWidget& panel, const skin::effect::MirrorToggle& toggle) override;
    void leftPressed(SkinPanelWidget& panel) override;
    void leftReleased(SkinPanelWidget& panel, QPoint at, int controlId) override;
    void rightPressed(SkinPanelWidget& panel, QPoint at, int button) override;

    // ScreenSwitchHooks
    bool templateChanged(int screen) override;
    void keepTemplate(int screen) override;
    void restoreScreenButtons(int screen) override;
    void closeCapturePreview() override;
    void resetBrushSizeButtons() override;
    void closeAuxiliaryWindows(int screen) override;
    void hideActiveToolState() override { imageWindows_.hideToolState(); }
    // The document list has no view of its own.
    void refreshDocumentList() override {}
    void rebuildSkin(int screen) override;
    void resetSubMode() override;

    // ButtonEnvironment
    bool activeImageScrollable() const override;

    void registerShellHandlers();
    // The periodic tick (timer 100) stops while a slide show runs; it comes back with its
    // first tick `firstMs` after the show, then every 500 ms.
    void pausePeriodicTick();
    void resumePeriodicTick(int firstMs);
    void runKeyboardCommand(int command);
    void showAbout();
    void showHelpMenu(QPoint at);
    void takeDroppedFiles(const std::vector<std::string>& files);
    void paintBaseOverlay(QPainter& painter) const;
    void showColourPanel(SkinPanelWidget& base);
    void listPicked(const skin::ListNotification& notification);
    void repaintBaseControl(int controlId);
    void blinkTick(skin::AttentionBlink& blink, QTimer& timer, int level);
    void startPageBlinkIfShown();
    ScreenCode* screenCode() const;
    int focusedControl() const;

    DocumentOpener& opener_;
    ImageWindows& imageWindows_;
    const TestHooks& hooks_;
    DestroyHandler onDestroy_;
    std::map<int, CommandHandler> commands_;
    HandlerTable handlers_;
    ScreenSwitchFeatures switchFeatures_;
    std::map<int, ScreenCode*> screenCodes_;
    QPointer<QWidget> slideShow_;
    const OpenAlbum* openAlbum_ = nullptr;

    skin::ScreenSwitcher switcher_;
    std::unique_ptr<MainSkin> skin_;
    int lastMainSkinScreen_ = 0;  // where "Voltar" returns from the Internet screens
    SkinTooltip tooltip_;
    std::unique_ptr<ClickSounds> sounds_;
    QString status_;
    QString zoomReadout_;
    QString zoomStatus_;  // the readout as the status field shows it, back after a screen switch

    skin::AttentionBlink areaBlink_{skin::kAreaBlinkControl};
    skin::AttentionBlink pageBlink_{skin::kPageBlinkControl};
    // Children of the window, so they can be found by name ("timer 100").
    QTimer imageTickTimer_{this};
    QTimer areaBlinkTimer_{this};
    QTimer pageBlinkTimer_{this};
    bool pageBlinkAtPress_ = false;  // a release counts for the page blink only if it ran at the press

    QImage splash_;
    QImage indicator_;
    QImage indicatorBlank_;
    bool indicatorLit_ = false;
    QString indicatorMeaning_;
    bool workspaceTaken_ = false;
    AlbumFileOpener albumFileOpener_;
    std::unique_ptr<HelpWindow> help_;
};

}  // namespace lv::app
