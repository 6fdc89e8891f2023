#pragma once
// The album page's life with the open album: which category and album it shows, opening an
// album (read, refreshed, selection and first row restored) and saving it (view values, the
// file when modified, the name typed in the name field) whenever another album or category
// is shown, a new album is made or the page is left.

#include "album/album.h"
#include "album/album_view.h"
#include "album/catalogue.h"
#include "album/grid_layout.h"
#include "imagelib/codecs/document_open.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

inline constexpr int kNewAlbumItemString = 6322;  // "[Novo]"
inline constexpr int kUserCategory = 0;

class AlbumPageSession {
public:
    AlbumPageSession(Album& album, AlbumCatalogue& catalogue, DocumentReaders readers, const GridLayouts& layouts);

    // Saves the open album, makes the category current and opens the album whose key is
    // given, else the category's current album, else the first; a category without albums
    // gets a new one.
    void showCategory(int category, std::optional<std::string> key, std::string_view nameText);
    // An album file from outside the catalogue (named on the command line) in the category's
    // page: shown and saved back to its file, but neither listed nor renamed.
    void showFile(int category, const std::string& path, std::string_view nameText);
    // From the album list: an index at or beyond the count makes a new album.
    void chooseAlbum(int index, std::string_view nameText);
    void newAlbum(std::string_view nameText);
    // Removes the album's line and file; the previous album (or the first) is opened.
    bool deleteCurrentAlbum();

    // Photos another writer (the tool, a download) added to the open album's file since it
    // was read or last looked at join the shown album after its own, as saving would merge
    // them; the user's order, selection and removals stand and nothing is written. The count.
    int takeOthersAdditions();

    // View values, then the file when modified (false when that fails), then the name.
    bool save(std::string_view nameText);
    // Saves and closes the album.
    void leave(std::string_view nameText);

    bool isOpen() const { return open_; }
    int category() const { return category_; }
    int albumIndex() const { return index_; }  // −1 for an album from outside the catalogue
    const std::string& albumPath() const { return path_; }
    std::string displayName() const;
    // The album list: the category's names, and "[Novo]" last for the user's albums.
    std::vector<std::string> listItems() const;

    Album& album() { return *album_; }
    const Album& album() const { return *album_; }
    AlbumView& view() { return view_; }
    const AlbumView& view() const { return view_; }
    AlbumCatalogue& catalogue() { return *catalogue_; }
    const DocumentReaders& readers() const { return readers_; }
    // The grid record of the shown category changed (its page was laid out): the view follows.
    void layoutChanged();

private:
    void open(int category, int index);
    void openPath(const std::string& path, int storedSelected, int storedHead);

    Album* album_;
    AlbumCatalogue* catalogue_;
    DocumentReaders readers_;
    const GridLayouts* layouts_;
    AlbumView view_;
    bool open_ = false;
    int category_ = kUserCategory;
    int index_ = -1;
    std::string path_;
};

}  // namespace lv::album
