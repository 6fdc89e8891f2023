#include "output/web_album/web_album_pages.h"

#include "output/web_album/html_text.h"

namespace lv::web {
namespace {

std::string Head(const std::string& title)
{
    return "<!DOCTYPE html>\n<html lang=\"pt-BR\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           EscapeHtml(title) + "</title>\n<link rel=\"stylesheet\" href=\"" + kStyleSheet + "\">\n";
}

std::string Size(int width, int height)
{
    return " width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\"";
}

// The arrow keys follow the page's previous and next links; without script the links work.
constexpr char kArrowKeys[] =
    "<script>document.addEventListener('keydown',function(e){var r=e.key==='ArrowLeft'?'prev':"
    "e.key==='ArrowRight'?'next':null;var a=r&&document.querySelector('a[rel='+r+']');if(a)location.href=a.href;});"
    "</script>\n";

}  // namespace

std::string IndexPage(const std::string& title, const std::vector<PageEntry>& entries)
{
    std::string html = Head(title) + "</head>\n<body>\n<header><h1>" + EscapeHtml(title) + "</h1></header>\n"
                       "<main class=\"grade\">\n";
    for (const PageEntry& e : entries) {
        const std::string caption = EscapeHtml(e.caption);
        html += "<a class=\"miniatura\" href=\"" + e.page + "\"><img src=\"" + e.thumbnail + "\" alt=\"" + caption +
                "\"" + Size(e.thumbWidth, e.thumbHeight) + " loading=\"lazy\"><span>" + caption + "</span></a>\n";
    }
    html += "</main>\n<footer>" + std::to_string(entries.size()) + (entries.size() == 1 ? " foto" : " fotos") +
            "</footer>\n</body>\n</html>\n";
    return html;
}

std::string PhotoPage(const std::string& title, const std::vector<PageEntry>& entries, std::size_t index)
{
    const PageEntry& e = entries[index];
    const std::string caption = EscapeHtml(e.caption);
    std::string html = Head(title);
    std::string nav = "<nav>";
    if (index > 0) {
        html += "<link rel=\"prev\" href=\"" + entries[index - 1].page + "\">\n";
        nav += "<a rel=\"prev\" href=\"" + entries[index - 1].page + "\">&larr; Anterior</a>";
    } else {
        nav += "<span class=\"fim\">&larr; Anterior</span>";
    }
    nav += "<a href=\"" + std::string(kIndexPage) + "\">Índice (" + std::to_string(index + 1) + " de " +
           std::to_string(entries.size()) + ")</a>";
    if (index + 1 < entries.size()) {
        html += "<link rel=\"next\" href=\"" + entries[index + 1].page + "\">\n";
        nav += "<a rel=\"next\" href=\"" + entries[index + 1].page + "\">Próxima &rarr;</a>";
    } else {
        nav += "<span class=\"fim\">Próxima &rarr;</span>";
    }
    nav += "</nav>\n";
    html += "</head>\n<body class=\"foto\">\n" + nav + "<figure><img src=\"" + e.image + "\" alt=\"" + caption + "\"" +
            Size(e.width, e.height) + ">";
    if (!e.caption.empty())
        html += "<figcaption>" + caption + "</figcaption>";
    html += "</figure>\n" + std::string(kArrowKeys) + "</body>\n</html>\n";
    return html;
}

std::string StyleSheet()
{
    return "body{margin:0;font-family:system-ui,sans-serif;background:#1d1f24;color:#eee}\n"
           "header,footer{padding:1rem 1.5rem}\nh1{margin:0;font-weight:500}\n"
           "footer{color:#aaa;font-size:.9rem}\n"
           ".grade{display:grid;grid-template-columns:repeat(auto-fill,minmax(180px,1fr));gap:1rem;padding:0 1.5rem}\n"
           ".miniatura{display:flex;flex-direction:column;align-items:center;gap:.4rem;color:inherit;"
           "text-decoration:none;background:#2a2d34;border-radius:6px;padding:.6rem}\n"
           ".miniatura:hover,.miniatura:focus{background:#3a3e48}\n"
           ".miniatura img{max-width:100%;height:auto}\n.miniatura span{font-size:.9rem;text-align:center}\n"
           "nav{display:flex;justify-content:space-between;gap:1rem;padding:.8rem 1.5rem}\n"
           "nav a{color:#9cf}\n.fim{color:#666}\n"
           "figure{margin:0 auto;padding:0 1rem 1rem;text-align:center}\n"
           "figure img{max-width:100%;max-height:85vh;width:auto;height:auto}\n"
           "figcaption{margin-top:.6rem}\n";
}

}  // namespace lv::web
