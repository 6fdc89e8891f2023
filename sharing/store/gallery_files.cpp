#include "sharing/store/gallery_files.h"

#include <algorithm>

namespace lv::sharing::store {
namespace {

constexpr std::size_t kMostParts = 4;
constexpr std::size_t kMostPartBytes = 100;
constexpr std::size_t kMostPathBytes = 255;

bool SafePart(std::string_view part)
{
    if (part.empty() || part.size() > kMostPartBytes || part.front() == '.')
        return false;
    return std::all_of(part.begin(), part.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
               c == '-';
    });
}

}  // namespace

bool SafeGalleryPath(std::string_view path)
{
    if (path.empty() || path.size() > kMostPathBytes)
        return false;
    std::size_t parts = 0;
    while (true) {
        const std::size_t slash = path.find('/');
        if (++parts > kMostParts || !SafePart(path.substr(0, slash)))
            return false;
        if (slash == std::string_view::npos)
            return true;
        path.remove_prefix(slash + 1);
    }
}

GalleryListing ListGallery(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    GalleryListing out;
    std::error_code error;
    fs::recursive_directory_iterator it(folder, fs::directory_options::none, error);
    if (error) {
        out.problem = folder.string() + ": " + error.message();
        return out;
    }
    for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
        const fs::path relative = it->path().lexically_relative(folder);
        const std::string path = relative.generic_string();
        const fs::file_status status = it->symlink_status(error);
        if (error)
            break;
        if (fs::is_directory(status))
            continue;
        if (fs::is_symlink(status) || !fs::is_regular_file(status)) {
            out.problem = path + ": não é um arquivo comum (um atalho ou arquivo especial)";
            return out;
        }
        if (!SafeGalleryPath(path)) {
            out.problem = path + ": o nome tem caracteres que o serviço não aceita";
            return out;
        }
        const std::uint64_t size = it->file_size(error);
        if (error)
            break;
        out.files.push_back({path, size});
        out.bytes += size;
        if (out.files.size() > kMaxGalleryFiles || out.bytes > kMaxGalleryBytes) {
            out.problem = folder.string() + ": o álbum passa do limite do serviço (" +
                          std::to_string(kMaxGalleryFiles) + " arquivos, 1 GiB)";
            return out;
        }
    }
    if (error) {
        out.problem = folder.string() + ": " + error.message();
        return out;
    }
    std::sort(out.files.begin(), out.files.end(), [](const GalleryFile& a, const GalleryFile& b) { return a.path < b.path; });
    if (std::none_of(out.files.begin(), out.files.end(), [](const GalleryFile& f) { return f.path == "index.html"; }))
        out.problem = folder.string() + ": falta o index.html";
    return out;
}

}  // namespace lv::sharing::store
