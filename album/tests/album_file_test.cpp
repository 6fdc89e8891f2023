// The album file byte for byte, and reading damaged files.

#include "album/album.h"
#include "album/album_file.h"
#include "album_test_support.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace lv::album {
namespace {

using testing::EntryFor;

std::uint32_t word(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return LoadLE32(bytes.data() + at);
}

std::uint16_t half(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return LoadLE16(bytes.data() + at);
}

AlbumFileContents readBytes(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadAlbumContents(source);
}

TEST(AlbumFile, OnePhotoAlbumOfA100By50PictureIsLaidOutAsDesigned)
{
    const std::vector<std::uint8_t> bytes = EncodeAlbum({EntryFor(100, 50, "/fotos/praia.bmp")});
    ASSERT_EQ(bytes.size(), 7752u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "REZE");
    EXPECT_TRUE(std::all_of(bytes.begin() + 16, bytes.begin() + 144, [](std::uint8_t b) { return b == 0; }));
    const std::size_t r = 144, t = 432;  // the record; the thumbnail's own header
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[r + 8])), "/fotos/praia.bmp");
    const struct {
        std::size_t at;
        int size;  // in bytes
        std::uint32_t value;
    } fields[] = {
        {4, 4, 7752}, {8, 4, 1}, {12, 4, 432}, {r + 152, 2, 1}, {r + 154, 2, 1}, {r + 156, 2, 1},
        {r + 264, 2, 0},  // absolute path
        {r + 266, 2, 24}, {r + 268, 2, 100}, {r + 270, 2, 50},  // depth, width, height
        {r + 272, 4, 0},  // thumbnail offset
        {r + 276, 2, 69}, {r + 278, 2, 35}, {r + 280, 4, 7320} /* 40 + 208 × 35 */, {r + 284, 2, 0},
        {t, 4, 40}, {t + 4, 4, 69}, {t + 8, 4, 35}, {t + 12, 2, 1}, {t + 14, 2, 24}, {t + 16, 4, 0},
        {t + 20, 4, 7280}, {t + 24, 4, 3780}, {t + 28, 4, 2835}, {t + 32, 4, 0}, {t + 36, 4, 0},
        // Row padding: 69 × 3 = 207 bytes of pixels and one zero in each 208-byte row.
        {t + 40 + 207, 1, 0}, {t + 40 + 208 * 34 + 207, 1, 0},
    };
    for (const auto& f : fields)
        EXPECT_EQ(f.size == 4 ? word(bytes, f.at) : f.size == 2 ? half(bytes, f.at) : bytes[f.at], f.value) << f.at;
}

TEST(AlbumFile, ThumbnailOffsetsAreRunningSumsAndEverythingReadsBack)
{
    std::vector<AlbumEntry> entries{EntryFor(100, 50, "/a.bmp"), EntryFor(30, 20, "/b.bmp", "legenda"),
                                    EntryFor(3, 200, "/c.bmp")};
    entries[2].setRelative(true);
    entries[1].setSelected(true);
    const auto bytes = EncodeAlbum(entries);
    EXPECT_EQ((std::vector<std::uint32_t>{word(bytes, 144 + 272), word(bytes, 144 + 288 + 272), word(bytes, 144 + 576 + 272),
                                          word(bytes, 12), word(bytes, 4)}),
              (std::vector<std::uint32_t>{0, 7320, 7320 + std::uint32_t(entries[1].thumbSize()), 144 + 3 * 288, std::uint32_t(bytes.size())}));

    AlbumFileContents read = readBytes(bytes);
    ASSERT_TRUE(read.recognised && read.complete);
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_FALSE(read.entries[1].selected());  // a run-time flag, cleared on reading
    read.entries[1].setSelected(true);
    EXPECT_EQ(EncodeAlbum(read.entries), bytes) << "paths, flags and thumbnails, byte for byte";
}

TEST(AlbumFile, ReadOnlyFlagIsReadButWrittenAsZero)
{
    auto bytes = EncodeAlbum({EntryFor(10, 10, "/x.bmp")});
    StoreLE16(bytes.data() + kReadOnlyOffset, 1);
    const AlbumFileContents read = readBytes(bytes);
    EXPECT_EQ(std::tuple(read.readOnly, half(EncodeAlbum(read.entries), kReadOnlyOffset)), std::tuple(true, 0));

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.file("sys.abm"), bytes));
    Album album;
    ASSERT_TRUE(album.read(dir.file("sys.abm")));
    EXPECT_TRUE(album.readOnly());
    ASSERT_TRUE(album.write(dir.file("copy.abm")));
    EXPECT_EQ(half(*ReadWholeFile(dir.file("copy.abm")), kReadOnlyOffset), 0);
}

TEST(AlbumFile, PathsWrittenWithBackslashesReadWithSlashes)
{
    AlbumEntry entry = EntryFor(5, 5, "");
    const char windowsPath[] = "C:\\Fotos\\Natal\\arvore.jpg";
    std::memcpy(entry.record().data() + offset::kPath, windowsPath, sizeof windowsPath);
    const AlbumFileContents read = readBytes(EncodeAlbum({entry}));
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].path(), "C:/Fotos/Natal/arvore.jpg");
}

TEST(AlbumFile, StoredCountAbove1000ReadsAs1000)
{
    std::vector<AlbumEntry> entries(kMaxEntries, EntryFor(1, 1, "/p.bmp"));
    auto bytes = EncodeAlbum(entries);
    StoreLE32(bytes.data() + 8, 1500);
    const AlbumFileContents read = readBytes(bytes);
    EXPECT_EQ(std::tuple(read.complete, read.entries.size()), std::tuple(true, 1000u));
}

TEST(AlbumFile, DamagedFilesKeepWhatWasReadAndReportFailure)
{
    const std::vector<AlbumEntry> entries{EntryFor(100, 50, "/a.bmp"), EntryFor(100, 50, "/b.bmp"),
                                          EntryFor(100, 50, "/c.bmp")};
    const auto whole = EncodeAlbum(entries);
    const auto cutAt = [&](std::size_t size) { return readBytes({whole.begin(), whole.begin() + std::ptrdiff_t(size)}); };

    // Inside the third thumbnail: two entries.
    AlbumFileContents read = cutAt(whole.size() - 100);
    ASSERT_EQ(std::tuple(read.recognised, read.complete, read.entries.size()), std::tuple(true, false, 2u));
    EXPECT_EQ(read.entries.back().path(), "/b.bmp");
    // Inside the second record: no entry (the first one's thumbnail can't be reached either).
    read = cutAt(144 + 288 + 100);
    EXPECT_EQ(std::tuple(read.complete, read.entries.size()), std::tuple(false, 0u));
    // A thumbnail size beyond the file is a short read, not a huge allocation.
    auto hostile = whole;
    StoreLE32(hostile.data() + 144 + 288 + offset::kThumbSize, 0xFFFFFFF0u);
    read = readBytes(hostile);
    EXPECT_EQ(std::tuple(read.complete, read.entries.size()), std::tuple(false, 1u));
    // Not albums at all.
    auto otherMagic = whole;
    otherMagic[0] = 'r';
    EXPECT_FALSE(cutAt(143).recognised || readBytes(otherMagic).recognised);

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    ASSERT_TRUE(WriteWholeFile(dir.file("cut.abm"), {whole.begin(), whole.end() - 100}));
    ASSERT_TRUE(WriteWholeFile(dir.file("not.abm"), otherMagic));
    Album album;
    EXPECT_FALSE(album.read(dir.file("cut.abm")));
    EXPECT_EQ(album.count(), 2u);
    EXPECT_FALSE(album.read(dir.file("not.abm")));
    EXPECT_EQ(album.count(), 0u);
    EXPECT_FALSE(album.read(dir.file("missing.abm")));
}

TEST(AlbumFile, WritingNothingOrWritingWhereItCantLeavesFilesAlone)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    EXPECT_FALSE(WriteAlbumFile(dir.file("empty.abm"), {}) || std::filesystem::exists(dir.file("empty.abm")));
    EXPECT_TRUE(ui.messages.empty());

    const std::string nowhere = dir.file("no-folder/a.abm");
    EXPECT_FALSE(WriteAlbumFile(nowhere, {EntryFor(4, 4, "/a.bmp")}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tuple(ui.messages[0].text, ui.messages[0].title, ui.messages[0].icon),
              std::tuple("Salvar erro do arquivo do álbum. --- " + nowhere, "Atenção", ui::Icon::Exclamation));

    // A second write replaces the first whole.
    const std::string path = dir.file("a.abm");
    ASSERT_TRUE(WriteAlbumFile(path, {EntryFor(100, 50, "/a.bmp"), EntryFor(100, 50, "/b.bmp")}));
    ASSERT_TRUE(WriteAlbumFile(path, {EntryFor(4, 4, "/c.bmp")}));
    const auto bytes = *ReadWholeFile(path);
    EXPECT_EQ(std::tuple(word(bytes, 4), word(bytes, 8)), std::tuple(std::uint32_t(bytes.size()), 1u));
}

// Albums whose records point many times at the same bytes: each record would get its own copy
// of them, so a small file could ask for gigabytes.

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
        const AlbumFileContents read = readBytes(Rewired(3, c.thumbs));
        EXPECT_EQ(std::tuple(read.complete, read.entries.size()), std::tuple(false, c.kept)) << c.what;
    }
    // Reordered thumbnails that don't touch are still an album.
    const AlbumFileContents reordered = readBytes(Rewired(3, {{2 * size, size}, {0, size}, {size, size}}));
    EXPECT_EQ(std::tuple(reordered.complete, reordered.entries.size()), std::tuple(true, 3u));
    // Empty thumbnails take no bytes, so they can sit anywhere.
    EXPECT_TRUE(readBytes(Rewired(3, {{0, 0}, {0, size}, {0, 0}})).complete);
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
    const AlbumFileContents read = readBytes(bytes);
    EXPECT_EQ(std::tuple(read.recognised, read.complete, read.entries.size()), std::tuple(true, false, 1u));
}

}  // namespace
}  // namespace lv::album
