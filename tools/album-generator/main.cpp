// Build-time generator of the system albums: lv-album-generator PROGRAM_FOLDER.

#include "album_writer.h"
#include "system_albums.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lv-album-generator PROGRAM_FOLDER\n");
        return 2;
    }
    return lv::artwork::WriteSystemAlbums(argv[1], lv::artwork::SystemAlbums()) ? 0 : 4;
}
