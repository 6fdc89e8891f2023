#include "album/album.h"
#include "album/album_file.h"
#include "common/little_endian.h"
#include "fuzz_support.h"
#include "structure_mutation.h"

#include <algorithm>
#include <cstring>

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

// Half the time, an album whose records all name one block: as many records as fit, the
// rest of the room one thumbnail block, every record pointing at it (or into it).
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned seed)
{
    using namespace lv::album;
    lv::fuzz::MutationDice dice(seed);
    if (dice.oneIn(2) || size < kHeaderSize || maxSize < kHeaderSize + kRecordSize + 64)
        return lv::fuzz::OrdinaryMutation(data, size, maxSize);
    const auto [count, tableEnd, total] = lv::fuzz::PlanSharedBlockFile(dice, kHeaderSize, kRecordSize, kMaxEntries, maxSize);
    std::vector<std::uint8_t> album(total, 0);
    std::memcpy(album.data(), kMagic, sizeof kMagic);
    lv::StoreLE32(album.data() + 4, std::uint32_t(total));
    lv::StoreLE32(album.data() + 8, std::uint32_t(count));
    lv::StoreLE32(album.data() + 12, std::uint32_t(tableEnd));
    const std::uint32_t block = std::uint32_t(total - tableEnd);
    const bool overlapping = dice.oneIn(2);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t* record = album.data() + kHeaderSize + kRecordSize * i;
        // Keep what the input's own records held, so the rest stays plausible.
        const std::size_t from = kHeaderSize + kRecordSize * (i % std::max<std::size_t>(1, (size - kHeaderSize) / kRecordSize));
        if (from + kRecordSize <= size)
            std::memcpy(record, data + from, kRecordSize);
        const std::uint32_t offset = overlapping ? std::uint32_t(dice.below(block)) : 0;
        lv::StoreLE32(record + offset::kThumbOffset, offset);
        lv::StoreLE32(record + offset::kThumbSize, block - offset);
    }
    std::memcpy(data, album.data(), total);
    return total;
}
