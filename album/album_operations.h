#pragma once
// Adding photos to albums and bringing an album's thumbnails up to date with the disk.

#include "album/album.h"
#include "album/catalogue.h"
#include "album/entry_builder.h"
#include "imagelib/codecs/document_open.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lv::album {

inline constexpr int kCannotFindFileString = 6465;
inline constexpr int kSaveErrorString = 6466;
inline constexpr int kUnknownFormatString = 6436;
inline constexpr int kAlbumFullString = 2547;
inline constexpr int kNewAlbumNameString = 2281;
// Value 1 of -99 picks the save-error message for a photo that can't be read; it is stored as 1.
inline constexpr int kSavedPhotoValue = -99;

struct GridShape {
    int columns = 1;
    int rows = 3;
};
// The album window's grid for a category's page: 5 × 2 for the user's albums, 6 × 1 for
// the gallery's strip (gradients, textures, clip-art, stamps), 1 × 3 for the others.
GridShape GridForCategory(int category);
// The first visible row that shows photo `index`: index / columns + 1 − rows, at least 0.
int HeadRowShowing(int index, GridShape grid);

// The open album and what operations on it need.
struct AlbumSession {
    Album& album;
    AlbumCatalogue& catalogue;
    DocumentReaders readers;
    std::string openPath;  // the file the open album was read from; empty for none
};

struct AddPhotoRequest {
    const HDIB* image = nullptr;  // the picture, or null to load it from `path`; never freed here
    std::string path;
    int category = -1;  // -1: the open album
    std::string caption;
    int values[3] = {1, 1, 1};
    bool choose = false;  // let the user pick the category's album
};

// The album chooser of the album window: an index into the category, or nothing when cancelled.
using AlbumChooser = std::function<std::optional<int>(int category)>;

// Builds the photo's entry and appends it, after removing any entry with the same path.
// For a category, its current album (or the chosen one) is read in place of the open one,
// written at once with its view values, and the open album restored. Messages: 6465, 6466
// or 6436 when the photo can't be loaded, 2547 when the album holds 1000 photos.
bool AddPhotoToAlbum(AlbumSession& session, const AddPhotoRequest& request, const AlbumChooser& chooser = {});

// Shows the message for a photo that could not be loaded, naming it.
void ShowPhotoFailure(PhotoFailure failure, int value1, std::string_view path);

struct RefreshReport {
    std::size_t madeAbsolute = 0;
    std::size_t rebuilt = 0;
    std::size_t missing = 0;  // kept with their stored thumbnails
    std::size_t unreadable = 0;
};

// Relative paths become absolute; entries whose file changed size or time are rebuilt (on
// `jobs` workers); missing and unreadable files keep their entries. Read-only albums are
// left alone. Sets the modified flag on any change.
RefreshReport RefreshAlbum(Album& album, const std::filesystem::path& programDir, const DocumentReaders& readers,
                           unsigned jobs = 0);

}  // namespace lv::album
