#pragma once
// Adding photos to the open album on the album page: which dropped files count as photos,
// how a built entry joins the album, and what the user is told about files that failed.

#include "album/album.h"
#include "album/album_view.h"
#include "album/entry_builder.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv::album {

inline constexpr int kPageUnknownFormatString = 2356;
inline constexpr int kZeroSizeString = 3078;
inline constexpr int kSomeNotAddedString = 7201;  // "Não foi possível adicionar %d de %d fotos ao álbum:"
inline constexpr int kAddNotesString = 7202;      // "Observações sobre as fotos adicionadas:"
inline constexpr std::size_t kMostFilesChosen = 100;

// Whether a dropped file's extension, compared without regard to case, names a picture the
// album takes (BMP, TIF, TIFF, PCX, GIF, TGA, JPG, JPEG, JPE, FPX, PCD, VLF, PNG, PSD).
bool DroppedPhotoAccepted(std::string_view path);
// The dropped files that count, in the order given, with their own names.
std::vector<std::string> AcceptedDrops(std::span<const std::string> files);

// NotRegularFile: a pipe, device or socket under the photo's name, never opened.
enum class AddOutcome { Added, CannotOpen, NotRegularFile, Unreadable, ZeroSize, Full };

// Puts a built entry at the end of the album, after removing any entry with the same path,
// and makes it the only selection, scrolled into view. The album is marked modified.
AddOutcome AddBuiltPhoto(Album& album, AlbumView& view, BuiltEntry built, const std::string& path,
                         const std::filesystem::path& programDir);

// What the user hears about one add: a file that failed shows its own message; when several
// files were added, the messages are gathered into one list of the files and their reasons.
class AddReport {
public:
    explicit AddReport(std::size_t files)
        : files_(files)
    {
    }
    void outcome(const std::string& path, AddOutcome outcome);
    // Something a reader said about the file; the same words about one file count once.
    void note(const std::string& path, const HeldMessage& message);
    // A photo added although its file is damaged (read as far as it goes); listed once.
    void damaged(const std::string& path, const FileFailure& damage);

    struct Line {
        std::string path;
        std::string reason;
    };
    const std::vector<Line>& lines() const { return lines_; }
    std::size_t failures() const { return failures_; }
    // Shows what was gathered: the messages one by one for a single file, one list otherwise.
    void show() const;
    // The list's text.
    std::string summary() const;

private:
    std::size_t files_;
    std::size_t failures_ = 0;
    std::vector<Line> lines_;
    std::vector<std::pair<AddOutcome, std::string>> outcomes_;  // failures, for a single file
    std::vector<HeldMessage> notes_;
};

}  // namespace lv::album
