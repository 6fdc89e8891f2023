#include "app/skin/skin_file.h"
#include "common/little_endian.h"

#include <gtest/gtest.h>

namespace lv::skin {
namespace {

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t seed)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = std::uint8_t(seed + i * 13);
    return v;
}

SkinFileContent SampleContent()
{
    SkinFileContent content;
    SkinButtonImages a{{Bytes(50, 1), Bytes(51, 2), Bytes(52, 3)}, {0, 7, 10, 20, 30, 40, 5, -6}};
    SkinButtonImages region{{}, {0, 0, 1, 2, 300, 200, 0, 0}};
    SkinButtonImages thumb{{Bytes(9, 4), Bytes(9, 5), {}}, {kRecordSliderThumb, 0, -3, 4, 16, 24, 100, 42}};
    content.screens = {{a, region}, {}, {thumb}};
    return content;
}

std::vector<std::uint8_t> Write(const SkinFileContent& content)
{
    MemorySink sink;
    EXPECT_TRUE(WriteSkinFile(sink, content));
    return sink.take();
}

TEST(SkinFile, WriterLaysOutHeaderRecordsAndImageDataByteForByte)
{
    const auto bytes = Write(SampleContent());
    ASSERT_EQ(bytes.size(), kSkinHeaderSize + 9 * kSkinRecordSize + (50 + 51 + 52 + 9 + 9));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "REZE");
    // The record count, the screen count, then each screen's first record (the empty screen's
    // is the next screen's) and a zero beyond them.
    const std::pair<std::size_t, std::uint32_t> words[] = {{8, 9}, {32, 3}, {36, 0}, {40, 6}, {44, 6}, {48, 0}};
    for (const auto& [at, value] : words)
        EXPECT_EQ(LoadLE32(&bytes[at]), value) << "byte " << at;
    const auto record = [&](int i) { return &bytes[kSkinHeaderSize + std::size_t(i) * kSkinRecordSize]; };
    // Fields only in the third record of a button.
    const auto field = [&](int i, int at) { return std::int16_t(LoadLE16(record(i) + 152 + at)); };
    EXPECT_EQ((std::vector{field(0, 4), field(2, 2), field(2, 4), field(2, 14), field(8, 4)}),
              (std::vector<std::int16_t>{0, 7, 10, -6, -3}));
    // Image offsets from the start of the data and lengths; none for pictureless records.
    const std::pair<std::uint32_t, std::uint32_t> images[] = {{0, 50}, {50, 51}, {101, 52}, {0, 0}, {0, 0},
                                                              {0, 0},  {153, 9}, {162, 9},  {0, 0}};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(std::pair(LoadLE32(record(i) + 272), LoadLE32(record(i) + 280)), images[i]) << "record " << i;
    const std::size_t data = kSkinHeaderSize + 9 * kSkinRecordSize;
    EXPECT_EQ(bytes[data + 50], Bytes(51, 2)[0]);
}

TEST(SkinFile, WriteReadWriteRoundTripIsByteExact)
{
    const SkinFileContent content = SampleContent();
    const auto bytes = Write(content);
    MemorySource source(bytes);
    const auto back = ReadSkinFile(source);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::tuple(*back, Write(*back)), std::tuple(content, bytes));

    MemorySource again(bytes);
    const auto screen2 = ReadSkinScreen(again, 2);
    ASSERT_TRUE(screen2);
    ASSERT_EQ(screen2->size(), 1u);
    EXPECT_EQ((*screen2)[0].fields.recordKind, kRecordSliderThumb);
    // Screen 3 is beyond the screen count.
    EXPECT_EQ(std::tuple(ReadSkinScreen(again, 1)->size(), ReadSkinScreen(again, 3)->size()), std::tuple(0u, 0u));
}

TEST(SkinFile, WriterRefusesWhatTheFormatCannotHold)
{
    MemorySink sink;
    SkinFileContent tooManyScreens;
    tooManyScreens.screens.resize(51);
    EXPECT_FALSE(WriteSkinFile(sink, tooManyScreens));
    SkinFileContent tooManyRecords;
    tooManyRecords.screens = {std::vector<SkinButtonImages>(667)};
    EXPECT_FALSE(WriteSkinFile(sink, tooManyRecords));
}

TEST(SkinFile, ForeignMagicAndShortFilesGiveNoButtons)
{
    auto bytes = Write(SampleContent());
    bytes[0] = 'X';
    MemorySource foreign(bytes);
    EXPECT_FALSE(ReadSkinScreen(foreign, 0) || ReadSkinFile(foreign));

    // The other magic the format names reads the same.
    std::copy_n("\x50\x41\x4C\x4D", 4, bytes.begin());
    MemorySource other(bytes);
    EXPECT_EQ(ReadSkinScreen(other, 0)->size(), 2u);

    const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + kSkinHeaderSize - 1);
    MemorySource shortFile(header);
    EXPECT_FALSE(ReadSkinScreen(shortFile, 0));
}

TEST(SkinFile, TruncatedRecordsAndPicturesBeyondTheEndAreDropped)
{
    const auto bytes = Write(SampleContent());
    // Cut inside the fifth record: screen 0 keeps the first button and the region's first record.
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + kSkinHeaderSize + 4 * kSkinRecordSize + 10);
    MemorySource source(cut);
    const auto header = ReadSkinHeader(source);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->usableRecords, 4u);
    const auto screen0 = ReadSkinScreen(source, 0);
    ASSERT_TRUE(screen0);
    ASSERT_EQ(screen0->size(), 2u);  // (4 − 0 + 2) / 3
    // The image data is gone.
    EXPECT_EQ(std::tuple((*screen0)[0].pictures[0].size(), (*screen0)[0].fields.x, ReadSkinScreen(source, 2)->size()),
              std::tuple(0u, 10, 0u));
}

std::vector<std::uint8_t> HeaderOnly(std::uint32_t total, std::uint32_t screens, std::initializer_list<std::uint32_t> first)
{
    std::vector<std::uint8_t> bytes(kSkinHeaderSize + total * kSkinRecordSize);
    std::copy_n("REZE", 4, bytes.begin());
    StoreLE32(&bytes[8], total);
    StoreLE32(&bytes[32], screens);
    int i = 0;
    for (const std::uint32_t f : first)
        StoreLE32(&bytes[36 + 4 * i++], f);
    return bytes;
}

TEST(SkinFile, RecordRangesFollowTheNextNonZeroFirstIndex)
{
    // Screen 2 has a zero first index: screen 1 runs on to screen 3's first record.
    const auto bytes = HeaderOnly(20, 4, {0, 6, 0, 14});
    MemorySource source(bytes);
    const auto header = ReadSkinHeader(source);
    ASSERT_TRUE(header);
    const auto range = [&](int screen) { return ScreenRecordRange(*header, screen); };
    EXPECT_EQ((std::vector{range(0).end, range(1).first, range(1).end, range(3).end}), (std::vector{6u, 6u, 14u, 20u}));
    // (8 + 2) / 3 and (6 + 2) / 3 buttons.
    EXPECT_EQ((std::vector{ScreenButtonCount(range(1)), ScreenButtonCount(range(3)), ScreenButtonCount(range(4))}),
              (std::vector{3, 2, 0}));

    // With one screen the range runs to the total whatever the other entries say.
    const auto single = HeaderOnly(9, 1, {0, 3});
    MemorySource singleSource(single);
    EXPECT_EQ(ScreenRecordRange(*ReadSkinHeader(singleSource), 0).end, 9u);

    // Counts beyond 2000, and beyond what the file holds, are cut.
    auto huge = HeaderOnly(3, 1, {0});
    StoreLE32(&huge[8], 0xFFFFFFFF);
    MemorySource hugeSource(huge);
    EXPECT_EQ(std::tuple(ReadSkinHeader(hugeSource)->usableRecords, ReadSkinScreen(hugeSource, 0)->size()),
              std::tuple(3u, 1u));
}

}  // namespace
}  // namespace lv::skin
