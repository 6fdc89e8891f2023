#pragma once
// The pages of a published web album: an index of thumbnails, one page per photo with links
// to the previous and next, and one style sheet. Plain HTML and CSS: the pages need no
// script (a small one only adds the arrow keys) and fit any screen width.

#include <string>
#include <vector>

namespace lv::web {

struct PageEntry {
    std::string page;       // "foto-001.html"
    std::string image;      // "imagens/foto-001.jpg"
    std::string thumbnail;  // "miniaturas/foto-001.jpg"
    std::string caption;    // as the album has it (escaped on the page)
    int width = 0, height = 0;            // of the image
    int thumbWidth = 0, thumbHeight = 0;  // of the thumbnail
};

inline constexpr char kIndexPage[] = "index.html";
inline constexpr char kStyleSheet[] = "estilo.css";

std::string IndexPage(const std::string& title, const std::vector<PageEntry>& entries);
// The page of entries[index].
std::string PhotoPage(const std::string& title, const std::vector<PageEntry>& entries, std::size_t index);
std::string StyleSheet();

}  // namespace lv::web
