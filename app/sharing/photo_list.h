#pragma once
// The photos of a web album or an animation in order: thumbnails with their captions, in an
// order the user changes by dragging; "Anterior" and "Próximo" step the selection.

#include <QListWidget>

#include <string>
#include <vector>

namespace lv::app {

struct ListedPhoto {
    std::string path;
    std::string caption;
};

class PhotoList final : public QListWidget {
public:
    explicit PhotoList(QWidget* parent);

    void add(const ListedPhoto& photo);
    std::vector<ListedPhoto> photos() const;
    // Removes the selected photo; false when none is.
    bool removeSelected();
    // Selects the photo `step` places away (−1 before, +1 after); false at either end.
    bool step(int step);
    // Moves the selected photo `step` places; false at either end.
    bool moveSelected(int step);
};

}  // namespace lv::app
