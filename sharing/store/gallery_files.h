#pragma once
// The files of a web album's folder as the photo service takes them: relative paths made
// only of plain parts, so that neither side can be led out of the gallery's folder.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lv::sharing::store {

inline constexpr std::size_t kMaxGalleryFiles = 10000;
inline constexpr std::uint64_t kMaxGalleryBytes = 1ull << 30;
inline constexpr std::size_t kMaxGalleryTitleBytes = 200;

// "dir/name": 1 to 4 parts of 1 to 100 letters, digits, ".", "_" or "-", none starting with
// "."; at most 255 bytes. No "..", no leading "/", no empty part.
bool SafeGalleryPath(std::string_view path);

struct GalleryFile {
    std::string path;  // relative, "/" between parts
    std::uint64_t size = 0;
};

struct GalleryListing {
    std::vector<GalleryFile> files;  // sorted by path
    std::uint64_t bytes = 0;
    std::string problem;  // "PATH: cause" when the folder cannot be sent as it is
};

// Every regular file under `folder`. A symbolic link, a special file, an unsafe name, more
// than kMaxGalleryFiles files or kMaxGalleryBytes bytes, or no index.html is a problem.
GalleryListing ListGallery(const std::filesystem::path& folder);

}  // namespace lv::sharing::store
