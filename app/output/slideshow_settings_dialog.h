#pragma once
// The slide show's settings (dialog 1090): which of the user's albums to show, whether
// transitions are used and which one, whether the show repeats, and how long each photo
// stays. OK keeps the choices for the rest of the run and the transition's name in the
// configuration file.

#include "output/slide_show_settings.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace lv {
class Settings;
namespace album {
class AlbumCatalogue;
}
}  // namespace lv

namespace lv::app {

// The dialog's controls (their object names are these numbers).
namespace slideshow_control {
inline constexpr int kAlbums = 100;
inline constexpr int kTransitionsOn = 90;
inline constexpr int kRepeat = 91;
inline constexpr int kDisplayTime = 92;
inline constexpr int kTransitions = 1000;
}  // namespace slideshow_control
inline constexpr int kLongestDisplayTime = 999;  // units of 0.8 s: about 13 minutes a photo
inline constexpr int kUserAlbumCategory = 0;  // the albums the show offers

// The names the transition list offers, in table order: every named transition but "Nenhum".
std::vector<std::string> OfferedTransitionNames();

class SlideShowSettingsDialog final : public QDialog {
public:
    // The albums are the user's (category 0), their current one selected; the transition
    // selected is the one stored under "SLIDESHOW", else the first.
    SlideShowSettingsDialog(QWidget* parent, const album::AlbumCatalogue& catalogue, SlideShowSettings& settings,
                            Settings& config);

    // The row of the album chosen; -1 when the user has no album.
    int album() const;

    QListWidget* albums() const { return albums_; }
    QCheckBox* transitionsOn() const { return transitionsOn_; }
    QListWidget* transitions() const { return transitions_; }
    QCheckBox* repeat() const { return repeat_; }
    QSpinBox* displayTime() const { return displayTime_; }
    QLabel* seconds() const { return seconds_; }

    void accept() override;

private:
    void showSeconds(int displayTime);

    SlideShowSettings& settings_;
    Settings& config_;
    std::string storedName_;
    QListWidget* albums_;
    QCheckBox* transitionsOn_;
    QListWidget* transitions_;
    QCheckBox* repeat_;
    QSpinBox* displayTime_;
    QLabel* seconds_;
};

}  // namespace lv::app
