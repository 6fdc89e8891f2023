#pragma once
// The list of a category's albums on the album page (control 200) and beside the album
// browser control: the display names in order, one of them current, and a call when the
// user picks one.

#include <QListWidget>

#include <functional>
#include <string>
#include <vector>

namespace lv::app {

class AlbumNameList final : public QListWidget {
public:
    explicit AlbumNameList(QWidget* parent);

    // Replaces the items; `current` is marked without calling back.
    void setItems(const std::vector<std::string>& names, int current);
    // Called with the row the user picked (a click or the keyboard), not for setItems.
    void onChosen(std::function<void(int row)> chosen) { chosen_ = std::move(chosen); }

private:
    std::function<void(int)> chosen_;
    bool filling_ = false;
};

}  // namespace lv::app
