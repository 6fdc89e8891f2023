#pragma once
// The presentation window ("PDPresentWnd"): the slide show full screen, with the keyboard
// focus and no mouse pointer while it is active. Enter moves on, Escape or a left click
// ends the show. Transitions are drawn on a frame timer, the steps due at each refresh
// together, so the window keeps handling input while a slide comes in.

#include "app/output/display_slide_photo.h"
#include "output/qt_slideshow/screen_saver_inhibitor.h"
#include "output/show_random.h"
#include "output/slide_painter.h"
#include "output/slide_show.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace lv {

struct PresentWindowSetup {
    std::vector<Slide> slides;
    SlideShowSettings settings;
    PhotoLoader loader = LoadSlidePhotoForDisplay;
    std::uint32_t seed = 1;  // the show seeds its random numbers with the tick count / 100
    // The main window's periodic timer (101), stopped while the show runs.
    std::function<void()> stopMainTimer;
    std::function<void(int periodMs)> startMainTimer;
    // Told of every slide once it is whole on the screen.
    std::function<void(int index, const ScreenBitmap& screen)> slideDrawn;
    // Where the screen saver is asked to keep off: the session bus when none is given.
    std::optional<QDBusConnection> screenSaverBus;
};

class PresentWindow final : public QWidget, private SlideShowHost {
public:
    explicit PresentWindow(PresentWindowSetup setup, QWidget* parent = nullptr);
    ~PresentWindow() override;

    // Shows the window full screen and starts the show with slide 0.
    void open();

    const SlideShow& show() const { return show_; }
    const ScreenBitmap& screenBitmap() const { return painter_.screen(); }
    bool drawingTransition() const { return frameTimer_.isActive(); }
    const ScreenSaverInhibitor& screenSaver() const { return screenSaver_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // SlideShowHost
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    void showSlide(int index) override;
    void closeWindow() override;

    void drawFrame();
    void beginSlide();
    void reportWholeSlide();
    // The photo, with the busy pointer showing over the blank one while it loads.
    HDIB loadPhoto(const std::string& path) const;

    PresentWindowSetup setup_;
    SlideShow show_;
    SlidePainter painter_;
    ShowRandom random_;
    QTimer slideTimer_;  // timer 102
    QTimer frameTimer_;  // while a transition comes in
    QElapsedTimer transitionClock_;
    ScreenSaverInhibitor screenSaver_;
    int drawnIndex_ = 0;
    bool drawnReported_ = true;
    bool closing_ = false;
};

// The slide show command once the settings are chosen: reads the album's slides and opens
// the presentation window (its random numbers seeded from the clock), or tells the user
// "Não existem imagens no álbum." and opens nothing. The window belongs to `parent` (the main window) and deletes itself when it
// closes.
PresentWindow* OpenSlideShow(const AlbumSlideReader& reader, const std::string& albumPath, PresentWindowSetup setup,
                             QWidget* parent);

// The transition name stored under "SLIDESHOW" of section "USER" (empty when none).
class Settings;
std::string LoadTransitionName(const Settings& settings);
bool StoreTransitionName(Settings& settings, std::string_view name);

}  // namespace lv
