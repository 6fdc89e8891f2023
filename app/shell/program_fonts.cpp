#include "app/shell/program_fonts.h"

#include "common/program_paths.h"

#include <cstdlib>
#include <filesystem>

namespace lv::app {

void UseProgramFonts()
{
    if (std::getenv("FONTCONFIG_FILE"))
        return;
    const std::filesystem::path config = ProgramFile("fonts.conf");
    std::error_code ec;
    if (std::filesystem::is_regular_file(config, ec))
        ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
}

}  // namespace lv::app
