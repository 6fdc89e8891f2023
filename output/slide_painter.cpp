#include "output/slide_painter.h"

#include "common/failure_notices.h"
#include "common/ui_service.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"
#include "output/slide_show.h"
#include "output/transitions.h"

#include <algorithm>
#include <filesystem>

namespace lv {

namespace {

// Over a running show nothing may pop up: no boxes, questions or progress windows. The busy
// pointer still shows while a photo loads.
class ShowLoadService final : public ui::Service {
public:
    explicit ShowLoadService(ui::Service& outer)
        : outer_(outer)
    {
    }
    void showMessage(std::string_view, std::string_view, ui::Icon) override {}
    ui::Answer ask(std::string_view, std::string_view, ui::Buttons, ui::Icon) override { return ui::Answer::No; }
    void beep() override {}
    void setBusy(bool busy) override { outer_.setBusy(busy); }
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }

private:
    ui::Service& outer_;
};

}  // namespace

HDIB LoadSlidePhoto(const std::string& path, PictureFacts* facts)
{
    // A photo that has gone is a black slide, not a message in the middle of the show.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    ShowLoadService quiet(ui::Current());
    const ui::ScopedService showing(quiet);
    const ui::BusyCursor busy;
    const ScopedPhotoCdMode storedChoices(kPhotoCdStored);  // no options dialog over the show
    OpenOptions options;
    options.promoteTo24 = true;
    options.showMessages = false;
    OpenedImage opened = LoadGeneralImage(path, LibraryDocumentReaders(), options);
    ShowFailureNotices(opened.result.failure());
    if (facts && opened.result.ok())
        *facts = std::move(opened.result.facts());
    return opened.result.ok() ? opened.result.take() : HDIB();
}

Rect FittedSlideRect(int width, int height, int screenWidth, int screenHeight)
{
    if (width < 1 || height < 1 || screenWidth < 1 || screenHeight < 1)
        return {};
    // The box shrinks on the side where the picture is relatively smaller, rounding to the
    // nearest pixel, as the fitted scaled copy does.
    int w = screenWidth, h = screenHeight;
    if (std::int64_t(width) * screenHeight < std::int64_t(height) * screenWidth)
        w = int((std::int64_t(width) * screenHeight + height / 2) / height);
    else
        h = int((std::int64_t(height) * screenWidth + width / 2) / width);
    w = std::max(w, 1), h = std::max(h, 1);
    const int left = (screenWidth - w) / 2, top = (screenHeight - h) / 2;
    return {left, top, left + w, top + h};
}

SlidePainter::SlidePainter(int screenWidth, int screenHeight)
    : screen_(screenWidth, screenHeight)
{
}

void SlidePainter::resize(int screenWidth, int screenHeight)
{
    screen_ = ScreenBitmap(screenWidth, screenHeight);
    slide_ = ScreenBitmap();
    place_ = {};
    player_ = TransitionPlayer();
}

void SlidePainter::blackScreen()
{
    screen_.fill({0, 0, screen_.width(), screen_.height()}, kScreenBlack);
    slide_ = ScreenBitmap();
    place_ = {};
    choice_ = {};
    player_ = TransitionPlayer();
}

void SlidePainter::begin(const Slide* slide, const PhotoLoader& loader, std::string_view workingName,
                         bool transitionsOn, ShowRandom& random, int transitionTimeMs)
{
    HDIB photo = slide && loader ? loader(slide->path) : HDIB();
    if (!photo) {
        blackScreen();
        return;
    }
    beginWith(photo, ChooseTransition(workingName, transitionsOn, random), random, transitionTimeMs);
}

void SlidePainter::beginWith(const HDIB& photo, TransitionChoice choice, ShowRandom& random, int transitionTimeMs)
{
    player_ = TransitionPlayer();
    const Rect place = photo ? FittedSlideRect(photo.width(), photo.height(), screen_.width(), screen_.height()) : Rect{};
    if (place.width() > 0)
        slide_ = place.width() == photo.width() && place.height() == photo.height()
                     ? ScreenBitmapFromDib(photo)
                     : ScreenBitmapFromDib(DibScaledCopy(photo, place.width(), place.height(), false));
    else
        slide_ = ScreenBitmap();
    if (slide_.empty() || slide_.width() != place.width() || slide_.height() != place.height()) {
        blackScreen();
        return;
    }
    place_ = place;
    choice_ = choice;
    screen_.fill({0, 0, screen_.width(), place_.top}, kScreenBlack);
    screen_.fill({0, place_.bottom, screen_.width(), screen_.height()}, kScreenBlack);
    screen_.fill({0, place_.top, place_.left, place_.bottom}, kScreenBlack);
    screen_.fill({place_.right, place_.top, screen_.width(), place_.bottom}, kScreenBlack);
    player_ = TransitionPlayer(MakeTransition(choice, slide_.width(), slide_.height(), random), transitionTimeMs);
}

bool SlidePainter::drawDue(long elapsedMs)
{
    SlideBlitter b = blitter();
    return player_.drawDue(elapsedMs, b);
}

void SlidePainter::drawNextStep()
{
    SlideBlitter b = blitter();
    player_.drawNext(b);
}

void SlidePainter::finish()
{
    SlideBlitter b = blitter();
    player_.finish(b);
}

}  // namespace lv
