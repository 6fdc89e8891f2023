// Build-time generator of the project templates and calendar pieces:
// lv-project-generator PROGRAM_FOLDER (the folder must hold the program's fonts.conf).

#include "project_templates.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lv-project-generator PROGRAM_FOLDER\n");
        return 2;
    }
    const std::filesystem::path program = argv[1];
    auto fonts = lv::FontLibrary::Open(program / "fonts.conf");
    if (!fonts) {
        std::fprintf(stderr, "project generator: cannot read %s\n", (program / "fonts.conf").c_str());
        return 3;
    }
    return lv::artwork::WriteProjects(program, *fonts) ? 0 : 4;
}
