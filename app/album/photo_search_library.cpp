#include "app/album/photo_search_library.h"

#include "app/album/photo_search_dialog.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lv::search {
namespace {

// The library's own state between its calls, as a loaded library keeps it.
struct LibraryState {
    SearchProcs procs;
    std::vector<std::string> types{"JPG", "BMP", "TIF", "PNG", "GIF", "PCX", "TGA", "PSD", "VLF", "FPX", "PCD",
                                   "WEBP", "HEIC", "HEIF", "AVIF", "JXL", "DNG", "CR2", "NEF", "ARW", "ORF", "RW2", "RAF"};
};

LibraryState& State()
{
    static LibraryState state;
    return state;
}

}  // namespace

void InitProc(DrawProc draw, FitProc fit, LoadProc load)
{
    State().procs = {draw, fit, load};
}

int SetSupportImageType(const char* patterns)
{
    std::vector<std::string>& types = State().types;
    const std::string all = patterns ? patterns : "";
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = std::min(all.find(';', start), all.size());
        std::string pattern = all.substr(start, end - start);
        start = end + 1;
        const std::size_t dot = pattern.find_last_of('.');
        if (dot == std::string::npos || dot + 1 >= pattern.size())
            continue;
        std::string type = pattern.substr(dot + 1);
        std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return char(std::toupper(c)); });
        if (type.find_first_of("*?") == std::string::npos && std::find(types.begin(), types.end(), type) == types.end())
            types.push_back(type);
    }
    return int(types.size());
}

int OpenSearchDlg(QWidget* owner, char* buffer, int width, int height)
{
    if (!buffer)
        return kSearchCancelled;
    const std::string albums(buffer, strnlen(buffer, kSearchBufferBytes));
    PhotoSearchDialog dialog(owner, State().procs, State().types, albums, std::max(16, width), std::max(16, height));
    const int result = dialog.exec();
    if (result == kSearchCancelled)
        return kSearchCancelled;
    const std::string& answer = dialog.answer();
    if (answer.size() + 1 > kSearchBufferBytes)
        return kSearchCancelled;
    std::memcpy(buffer, answer.c_str(), answer.size() + 1);
    return result;
}

}  // namespace lv::search
