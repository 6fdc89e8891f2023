#include "output/web_album/html_text.h"

#include "common/text_encoding.h"

namespace lv::web {

std::string EscapeHtml(std::string_view text)
{
    const std::string utf8 = ToUtf8(text);
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace lv::web
