#include "output/print/locale_paper.h"

#include <cstdint>
#include <langinfo.h>
#include <locale.h>

namespace lv::print {

std::optional<PaperMillimetres> LocalePaper(const char* locale)
{
    // A locale object of its own: the process's locale is left as it is.
    const locale_t paperLocale = newlocale(LC_PAPER_MASK, locale, locale_t(0));
    if (paperLocale == locale_t(0))
        return std::nullopt;
    // glibc hands these numbers back in the pointer itself.
    const int width = int(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, paperLocale)));
    const int height = int(reinterpret_cast<std::intptr_t>(nl_langinfo_l(_NL_PAPER_HEIGHT, paperLocale)));
    freelocale(paperLocale);
    if (width <= 0 || height <= 0)
        return std::nullopt;
    return PaperMillimetres{width, height};
}

}  // namespace lv::print
