#pragma once
// Publishes a web album into a folder: "index.html", "estilo.css", one "foto-NNN.html" per
// photo, the photos in "imagens/" with their longest side at most the chosen size and the
// thumbnails in "miniaturas/", all JPEG. Every file goes through the safe write path. A photo
// that cannot be read is left out and named in the outcome; the rest are published.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lv::web {

struct WebAlbumPhoto {
    std::string path;
    std::string caption;

    bool operator==(const WebAlbumPhoto&) const = default;
};

inline constexpr int kMinImageSize = 160;
inline constexpr int kMaxImageSize = 4096;
inline constexpr int kThumbnailSize = 240;

struct WebAlbumOptions {
    std::string title = "Álbum de fotos";
    int size = 1024;  // longest side of the published photos; smaller photos keep theirs
};

struct WebAlbumOutcome {
    bool ok = false;
    std::string error;                 // why nothing (or not everything) was written, naming the file
    int published = 0;
    std::vector<std::string> skipped;  // "PATH: cause" of each photo left out
};

// Photos in album order with their captions, from an album file; empty when it can't be read.
std::vector<WebAlbumPhoto> WebAlbumPhotosOf(const std::string& albumPath);

// `progress(done, total)` returns false to stop (the outcome then says it was cancelled).
WebAlbumOutcome PublishWebAlbum(const std::vector<WebAlbumPhoto>& photos, const std::filesystem::path& folder,
                                const WebAlbumOptions& options,
                                const std::function<bool(int, int)>& progress = nullptr);

}  // namespace lv::web
