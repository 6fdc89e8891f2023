#pragma once
// The one open album of the process: the album page publishes the file it opens, and the
// pages that take photos from it (printing, the slide show, the projects' photo picker) read
// it here. The "Album Name" setting is the store, so it follows every album opened and is
// saved at exit with the other settings.

#include <functional>
#include <string>
#include <vector>

namespace lv::app {

class OpenAlbum {
public:
    using Listener = std::function<void(const std::string& path)>;
    using Saver = std::function<void()>;

    // The album page opened or created the album at `path`: the setting follows, and the
    // listeners hear of it when it is another file.
    void publish(const std::string& path);
    // Whoever shows the album writes what it changed in memory before a reader reads the file.
    void setSaver(Saver saver) { saver_ = std::move(saver); }
    void onChanged(Listener listener) { listeners_.push_back(std::move(listener)); }

    // The file to read, with the changes still in memory written first: an absolute name as
    // it is, else in the user's albums folder, else in the program's.
    std::string file() const;
    // The name as the setting holds it.
    std::string name() const;
    // The photos selected on the album page when it was last left (absolute paths): the page
    // closes its album then, and the file keeps no selection.
    void setSelection(std::vector<std::string> paths) { selection_ = std::move(paths); }
    const std::vector<std::string>& selectedFiles() const { return selection_; }

private:
    Saver saver_;
    std::vector<Listener> listeners_;
    std::vector<std::string> selection_;
};

}  // namespace lv::app
