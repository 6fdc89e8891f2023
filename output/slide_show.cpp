#include "output/slide_show.h"

#include "common/string_table.h"
#include "common/ui_service.h"

namespace lv {

namespace {
constexpr int kAlbumHasNoPictures = 2546;
}

SlideShow::SlideShow(std::vector<Slide> slides, SlideShowSettings settings, SlideShowHost& host)
    : slides_(std::move(slides))
    , settings_(std::move(settings))
    , host_(host)
{
}

const Slide* SlideShow::currentSlide() const
{
    return slide_ >= 0 && std::size_t(slide_) < slides_.size() ? &slides_[std::size_t(slide_)] : nullptr;
}

void SlideShow::start()
{
    if (started_)
        return;
    started_ = true;
    host_.stopTimer(kMainWindowTimerId);
    host_.startTimer(kSlideTimerId, settings_.timerPeriodMs());
    slide_ = 0;
    tick_ = 0;
    host_.showSlide(slide_);
}

void SlideShow::timerTick()
{
    if (!running())
        return;
    if (++tick_ < kTicksPerSlide)
        return;
    tick_ = 0;
    if (std::size_t(++slide_) >= slides_.size()) {
        slide_ = 0;
        if (!settings_.repeat) {
            close();
            return;
        }
    }
    host_.showSlide(slide_);
}

void SlideShow::enterPressed()
{
    if (!running())
        return;
    tick_ = kTicksPerSlide - 1;
    timerTick();
}

void SlideShow::close()
{
    if (!started_ || closed_)
        return;
    closed_ = true;
    host_.stopTimer(kSlideTimerId);
    host_.startTimer(kMainWindowTimerId, kMainWindowTimerRestartMs);
    slides_.clear();
    slides_.shrink_to_fit();
    host_.closeWindow();
}

std::optional<std::vector<Slide>> ReadShowSlides(const AlbumSlideReader& reader, const std::string& albumPath)
{
    std::optional<std::vector<Slide>> slides = reader ? reader(albumPath) : std::nullopt;
    if (!slides)
        ui::Current().showMessage(LoadString(kAlbumHasNoPictures), ui::kWarningTitle, ui::Icon::Exclamation);
    return slides;
}

}  // namespace lv
