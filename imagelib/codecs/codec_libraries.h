#pragma once
// The outside libraries the image library codes files with, their versions and licences,
// for the program's about box.

#include <string>
#include <vector>

namespace lv {

struct LibraryNotice {
    std::string name;
    std::string version;  // as the library reports it where it can, else as built
    std::string licence;
};

std::vector<LibraryNotice> CodecLibraries();

}  // namespace lv
