#include "album/album.h"
#include "album/album_file.h"
#include "fuzz_support.h"

// Reads the input as an album file, then does what the program does with what it read:
// writes it again, reads that back and copies each thumbnail.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    const lv::album::AlbumFileContents contents = lv::album::ReadAlbumContents(source);
    const std::vector<std::uint8_t> again = lv::album::EncodeAlbum(contents.entries);
    lv::MemorySource reread(again);
    const lv::album::AlbumFileContents second = lv::album::ReadAlbumContents(reread);
    if (!contents.entries.empty() && (!second.complete || second.entries.size() != contents.entries.size()))
        __builtin_trap();
    for (const lv::album::AlbumEntry& entry : contents.entries)
        (void)entry.thumbnailCopy();
    return 0;
}
