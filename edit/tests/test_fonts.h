#pragma once
// The program's fonts as the tests draw with them: the repository's font configuration.

#include "edit/text_render/font_library.h"

#include <cstdlib>
#include <string>

namespace lv::testing {

inline FontLibrary& TestFonts()
{
    static auto library = FontLibrary::Open(std::string(LV_SOURCE_DIR) + "/app/fonts.conf");
    if (!library)
        std::abort();
    return *library;
}

}  // namespace lv::testing
