#pragma once
// The album catalogue: thirteen categories of album lines ("album1.abm=Férias"), which
// album of each is current, and where each album was last viewed. Loaded from the store
// on first use; every change is written back at once.

#include "album/catalogue_store.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

inline constexpr int kCategoryCount = 13;
inline constexpr std::size_t kMaxAlbumsPerCategory = 100;
inline constexpr std::size_t kMaxLineBytes = 255;
inline constexpr std::size_t kMaxNameCharacters = 64;  // longer names keep their first 63

struct Category {
    std::string_view section;  // categories sharing a section share its list
    std::string_view folder;   // below the program folder
};
// 0 and 10 the user's albums, 1 to 3 effects, 4 frames, 5 shapes, 6 calendars, 7 cards,
// 8 fantasy, 9 "cools", 11 gradients, 12 textures.
const Category& CategoryInfo(int category);
bool ValidCategory(int category);
inline constexpr std::string_view kUserAlbumsFolder = "albums";

inline constexpr std::string_view kCurrentSection = "ALBUMCUR";
inline constexpr std::string_view kPositionSection = "ALBUMPOS";
inline constexpr std::string_view kHeadSection = "ALBUMHEAD";
inline constexpr std::string_view kFilepathSection = "Filepath";

enum class ViewValue { Position = 0, Head = 1 };

class AlbumCatalogue {
public:
    // The user's albums (the "albums" folder) lie in `userAlbumsDir` when one is given: an
    // installed program folder is read-only, so each user has their own.
    AlbumCatalogue(CatalogueStore& store, std::filesystem::path programDir, std::filesystem::path userAlbumsDir = {});

    int count(int category) const;
    // The album's file name, the text before the first "=".
    std::string key(int category, int index) const;
    // What the user sees, the text after it.
    std::string name(int category, int index) const;
    const std::string& line(int category, int index) const;
    int find(int category, std::string_view key) const;  // -1 when absent
    // Program folder / category folder / key (the user's albums folder for "albums").
    std::string albumPath(int category, int index) const;

    // Appends "album<N>.abm=<name><N>" with N one above the largest number in the keys;
    // returns N, or 0 when the category is full.
    int newAlbum(int category, std::string_view name);
    // Returns 1 + the largest album number before the line was added (the line is not
    // added to a full category).
    int addLine(int category, std::string_view line);
    // CR LF pairs become two spaces; names of more than 64 characters keep their first 63.
    bool rename(int category, int index, std::string_view name);
    // Deletes the album file and its line; the previous album (or the first) becomes current.
    bool remove(int category, int index);

    int current(int category) const;  // 0 when missing or negative
    bool setCurrent(int category, int index);
    int viewValue(int category, int index, ViewValue which) const;
    bool setViewValue(int category, int index, int value, ViewValue which);

    // In memory only: `to` takes the lines of `from`.
    void copyCategory(int to, int from);

    // The folder the "Filepath" section names for the category's current album, followed
    // by the photo's file name; the photo path unchanged when there is none.
    std::string relocatedPhotoPath(int category, std::string_view photoPath) const;

    // Writes the lines of each category whose section no earlier category has, as the
    // whole section.
    bool writeBack();

    const std::filesystem::path& programDir() const { return programDir_; }
    CatalogueStore& store() const { return *store_; }

private:
    void loadOnce() const;
    std::string albumKeyName(int category, int index) const;  // "section_key"

    CatalogueStore* store_;
    std::filesystem::path programDir_;
    std::filesystem::path userAlbumsDir_;
    mutable bool loaded_ = false;
    mutable std::array<std::vector<std::string>, kCategoryCount> lines_;
};

// The number a key carries: the run of digits just before its first "." (0 without digits).
int AlbumNumber(std::string_view key);
// CR LF turned into two spaces, cut to 63 characters when longer than 64.
std::string CleanAlbumName(std::string_view name);

}  // namespace lv::album
