#pragma once
// "Orientação das fotos": the open album's photos as thumbnails, its selection chosen; one
// click turns the chosen photos (all of them when none is chosen) left or right, or stands
// every one upright by its EXIF orientation. JPEGs turn without loss, refusing or trimming a
// partial edge as the user picks; the box below says what happened to each photo.

#include "album/orientation/album_turns.h"
#include "app/shell/test_hooks.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace lv::app {

class OrientationDialog final : public QDialog {
public:
    OrientationDialog(QWidget* parent, std::string albumPath, std::string albumName, std::vector<std::string> selected,
                      const TestHooks& hooks);

    void turn(orientation::Turn turn);
    // Told the photos each click turned, after the album's file followed.
    void onTurned(std::function<void(const std::vector<std::string>&)> listener) { turned_ = std::move(listener); }
    void setTrim(bool trim);
    // No photo chosen: the buttons act on the whole album.
    void chooseNone();

private:
    void fillList();
    std::vector<std::string> chosenPhotos() const;
    void updateCounts();

    const std::string albumPath_;
    const std::string albumName_;
    std::vector<std::string> selected_;  // as the album page had it when the dialog opened
    const TestHooks& hooks_;
    std::function<void(const std::vector<std::string>&)> turned_;
    std::vector<orientation::AlbumPhoto> photos_;
    QLabel* counts_ = nullptr;
    QListWidget* list_ = nullptr;
    QRadioButton* perfect_ = nullptr;
    QRadioButton* trim_ = nullptr;
    QCheckBox* losslessOnly_ = nullptr;
    QPlainTextEdit* report_ = nullptr;
};

}  // namespace lv::app
