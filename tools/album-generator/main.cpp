// Build-time generator of the system albums: lv-album-generator PROGRAM_FOLDER. The
// template galleries point at the templates the project generator has already written.

#include "album_writer.h"
#include "project_albums.h"
#include "system_albums.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lv-album-generator PROGRAM_FOLDER\n");
        return 2;
    }
    std::vector<lv::artwork::SystemAlbum> albums = lv::artwork::SystemAlbums();
    for (lv::artwork::SystemAlbum& gallery : lv::artwork::ProjectAlbums())
        albums.push_back(std::move(gallery));
    return lv::artwork::WriteSystemAlbums(argv[1], albums) ? 0 : 4;
}
