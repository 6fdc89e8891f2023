// Albums whose records point many times at the same bytes: each record would get its own copy
// of them, so a small file could ask for gigabytes.

#include "album/album_file.h"
#include "album_test_support.h"
#include "common/byte_source.h"
#include "common/little_endian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace lv::album {
namespace {

using testing::EntryFor;

struct Thumb {
    std::uint32_t offset;
    std::uint32_t size;
};

// Our writer's album of `photos`, with record i's thumbnail moved to `thumbs[i]`.
std::vector<std::uint8_t> Rewired(std::size_t photos, const std::vector<Thumb>& thumbs)
{
    std::vector<std::uint8_t> bytes = EncodeAlbum(std::vector<AlbumEntry>(photos, EntryFor(40, 30, "/f.jpg")));
    for (std::size_t i = 0; i < thumbs.size(); ++i) {
        std::uint8_t* record = bytes.data() + kHeaderSize + kRecordSize * i;
        StoreLE32(record + offset::kThumbOffset, thumbs[i].offset);
        StoreLE32(record + offset::kThumbSize, thumbs[i].size);
    }
    return bytes;
}

AlbumFileContents Read(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadAlbumContents(source);
}

TEST(AlbumSharedThumbnails, AThumbnailSharingBytesWithAnotherStopsTheReadThere)
{
    const std::uint32_t size = EncodeAlbum({EntryFor(40, 30, "/f.jpg")}).size() - kHeaderSize - kRecordSize;
    const struct {
        const char* what;
        std::vector<Thumb> thumbs;
        std::size_t kept;
    } cases[] = {
        {"the same block twice", {{0, size}, {0, size}}, 1},
        {"one byte into the previous", {{0, size}, {size - 1, size}, {2 * size, size}}, 1},
        {"ending one byte into the next", {{size + 1, size}, {2, size}}, 1},
        {"inside a larger one", {{0, 3 * size}, {size, 1}}, 1},
        {"third overlapping the first", {{0, size}, {2 * size, size}, {size / 2, size}}, 2},
        {"past the end of the file", {{0, size}, {size, size}, {2 * size + 1, size}}, 2},
    };
    for (const auto& c : cases) {
        const AlbumFileContents read = Read(Rewired(3, c.thumbs));
        EXPECT_EQ(std::tuple(read.complete, read.entries.size()), std::tuple(false, c.kept)) << c.what;
    }
    // Reordered thumbnails that don't touch are still an album.
    const AlbumFileContents reordered = Read(Rewired(3, {{2 * size, size}, {0, size}, {size, size}}));
    EXPECT_EQ(std::tuple(reordered.complete, reordered.entries.size()), std::tuple(true, 3u));
    // Empty thumbnails take no bytes, so they can sit anywhere.
    EXPECT_TRUE(Read(Rewired(3, {{0, 0}, {0, size}, {0, 0}})).complete);
}

TEST(AlbumSharedThumbnails, AThousandRecordsNamingOneLargeBlockAskForNoMoreThanTheFile)
{
    constexpr std::uint32_t kBlock = 1 << 20;
    std::vector<std::uint8_t> bytes(kHeaderSize + kRecordSize * kMaxEntries + kBlock, 0);
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    StoreLE32(bytes.data() + 4, std::uint32_t(bytes.size()));
    StoreLE32(bytes.data() + 8, kMaxEntries);
    StoreLE32(bytes.data() + 12, kHeaderSize + kRecordSize * kMaxEntries);
    for (std::size_t i = 0; i < kMaxEntries; ++i)
        StoreLE32(bytes.data() + kHeaderSize + kRecordSize * i + offset::kThumbSize, kBlock);
    const AlbumFileContents read = Read(bytes);
    EXPECT_EQ(std::tuple(read.recognised, read.complete, read.entries.size()), std::tuple(true, false, 1u));
}

}  // namespace
}  // namespace lv::album
