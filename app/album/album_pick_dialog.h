#pragma once
// Picks one photo of an album with the album browser control: a template from the gallery of
// a project screen, or the user's photo for a template's placeholder (then with the list of
// the user's albums beside the browser).

#include "album/catalogue.h"
#include "app/shell/test_hooks.h"

#include <QDialog>
#include <QString>

#include <optional>
#include <string>

namespace lv::app {

class AlbumBrowser;

class AlbumPickDialog final : public QDialog {
public:
    // `name` keeps the browser's state apart from other pickers; `userAlbums` adds the list.
    AlbumPickDialog(QWidget* parent, const QString& name, const QString& title, const std::string& albumPath,
                    album::AlbumCatalogue* userAlbums);

    // The chosen photo's file, once accepted.
    const std::string& chosenPath() const { return chosen_; }
    // A double click on photo `index`: false when the album has no such photo.
    bool pick(int index);
    void accept() override;

private:
    AlbumBrowser* browser_ = nullptr;
    std::string chosen_;
};

// Runs the picker; the chosen file, or nothing when the user cancels. With the test hooks the
// dialog's name goes to the log when it shows.
std::optional<std::string> PickFromAlbum(QWidget* parent, const QString& name, const QString& title,
                                         const std::string& albumPath, album::AlbumCatalogue* userAlbums,
                                         const TestHooks& hooks);

}  // namespace lv::app
