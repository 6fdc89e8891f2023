#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/png/png.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace lv {
namespace {

using namespace testing;

std::vector<std::uint8_t> Encode(const HDIB& picture)
{
    MemorySink sink;
    EXPECT_EQ(WritePng(sink, picture), PngWriteResult::Written);
    return sink.take();
}

ReadResult Decode(const std::vector<std::uint8_t>& bytes)
{
    return ReadFromBytes(bytes, [](ByteSource& s) { return ReadPng(s); });
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& file)
{
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = LoadBE32(file.data() + at);
        Chunk c{std::string(file.begin() + std::ptrdiff_t(at + 4), file.begin() + std::ptrdiff_t(at + 8)), {}};
        c.data.assign(file.begin() + std::ptrdiff_t(at + 8), file.begin() + std::ptrdiff_t(at + 8 + length));
        chunks.push_back(c);
        at += 12 + length;
    }
    return chunks;
}

// Text chunks by keyword: the chunk type and the bytes after the keyword's terminator.
std::map<std::string, std::pair<std::string, std::string>> TextEntries(const std::vector<std::uint8_t>& file)
{
    std::map<std::string, std::pair<std::string, std::string>> entries;
    for (const Chunk& c : Chunks(file)) {
        if (c.type != "tEXt" && c.type != "zTXt")
            continue;
        const std::string body(c.data.begin(), c.data.end());
        const std::size_t nul = body.find('\0');
        entries[body.substr(0, nul)] = {c.type, body.substr(nul + 1)};
    }
    return entries;
}

TEST(Png, TheWriterMakesAnInterlacedFileWithItsThreeTextEntries)
{
    const auto file = Encode(MakePhotoLike(13, 7));
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const auto chunks = Chunks(file);
    ASSERT_EQ(chunks.front().type, "IHDR");
    const auto& ihdr = chunks.front().data;
    EXPECT_EQ(std::tuple(LoadBE32(ihdr.data()), LoadBE32(ihdr.data() + 4)), std::tuple(13u, 7u));
    EXPECT_EQ(std::vector<std::uint8_t>(ihdr.begin() + 8, ihdr.end()), (std::vector<std::uint8_t>{8, 2, 0, 0, 1}));
    EXPECT_EQ(chunks.back().type, "IEND");

    // The library stores an empty text uncompressed whatever it is asked.
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(TextEntries(file), (std::map<std::string, Entry>{{"Title", {"tEXt", "None"}},
                                                               {"Author", {"tEXt", "Unknown"}},
                                                               {"Description", {"tEXt", ""}}}));
}

TEST(Png, OurFilesDeclareTheDisplayGammaAndReopenUnchangedSaveAfterSave)
{
    testing::UiRecorder ui;
    testing::TempDir dir;
    HDIB picture = MakePhotoLike(23, 11);
    SetPixel24(picture, 0, 0, {255, 0, 0});  // bottom-left: a flip or a swap would show
    const auto chunks = Chunks(Encode(picture));
    const auto gamma = std::find_if(chunks.begin(), chunks.end(), [](const Chunk& c) { return c.type == "gAMA"; });
    ASSERT_NE(gamma, chunks.end());
    EXPECT_EQ(LoadBE32(gamma->data.data()), 45455u);  // 1/2.2 in hundred-thousandths

    // Open, save, reopen: ten generations later the pixels are the first ones.
    HDIB current = DibDuplicate(picture);
    for (int generation = 0; generation < 10; ++generation) {
        const std::string path = dir.file("photo.png");
        ASSERT_EQ(WritePng(path, current), PngWriteResult::Written);
        current = ReadPng(path).take();
        ASSERT_TRUE(current);
        ASSERT_TRUE(SamePixels(current, picture)) << "generation " << generation;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Png, EightBitPicturesAreWrittenAsTheRedOfTheirPalette)
{
    HDIB picture = MakePicture(5, 3, 8, 256);  // entry i is (red 7i, green 255-i, blue 3i)
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            picture.row(y)[x] = std::uint8_t(10 * y + x);
    const auto file = Encode(picture);
    EXPECT_EQ(Chunks(file).front().data[9], 0);  // colour type grey
    const HDIB back = Decode(file).take();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t red = picture.colors()[10 * y + x].rgbRed;
            EXPECT_EQ(Pixel24(back, x, y), (Rgb{red, red, red}));
        }
}

TEST(Png, OtherFilesAreNotThisFormatAndLibraryErrorsBecomeTheCause)
{
    testing::UiRecorder ui;
    EXPECT_EQ(std::tuple(Decode({}).code(), Decode({'B', 'M', 1, 2, 3, 4}).code()),
              std::tuple(ReadCode::NotThisFormat, ReadCode::NotThisFormat));

    const auto good = Encode(MakePhotoLike(9, 9));
    auto badCrc = good;
    badCrc[20] ^= 1;  // inside the header chunk
    const ReadResult damaged = Decode(badCrc);
    EXPECT_EQ(std::tuple(damaged.code(), damaged.failure().problem),
              std::tuple(ReadCode::NotThisFormat, FileProblem::Corrupt));
    EXPECT_NE(damaged.failure().detail.find("CRC"), std::string::npos) << damaged.failure().detail;

    const std::vector<std::uint8_t> cut(good.begin(), good.begin() + std::ptrdiff_t(good.size() - 30));
    EXPECT_EQ(Decode(cut).failure(), (FileFailure{FileProblem::Truncated, "Read Error"}));
    EXPECT_TRUE(ui.messages.empty());

    testing::TempDir dir;
    EXPECT_EQ(ReadPng(dir.file("absent.png")).code(), ReadCode::NotThisFormat);
}

// The file's header with its checksum fixed, so only the size is wrong.
std::vector<std::uint8_t> WithSize(std::vector<std::uint8_t> file, std::uint32_t width, std::uint32_t height)
{
    StoreBE32(file.data() + 16, width);
    StoreBE32(file.data() + 20, height);
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 12; i < 29; ++i) {
        crc ^= file[i];
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
    }
    StoreBE32(file.data() + 29, ~crc);
    return file;
}

TEST(Png, HugeHeadersWithLittleDataAreRefusedBeforeAllocating)
{
    testing::UiRecorder ui;
    const auto file = Encode(MakePhotoLike(8, 8));
    EXPECT_EQ(Decode(WithSize(file, 30000, 30000)).failure(),
              (FileFailure{FileProblem::Truncated, "Not enough image data"}));
    // Padded with enough data for deflate's best ratio, but far beyond the picture budget.
    auto padded = WithSize(file, 20000, 20000);
    padded.resize(padded.size() + 1'300'000);
    EXPECT_EQ(Decode(padded).failure().problem, FileProblem::TooLarge);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Png, TheWriterRefusesOtherDepthsAndReportsFileFailures)
{
    testing::TempDir dir;
    const HDIB four = MakePicture(4, 4, 4, 16);
    EXPECT_EQ(std::tuple(WritePng(dir.file("four.png"), four), WritePng(dir.file("none.png"), HDIB())),
              std::tuple(PngWriteResult::Refused, PngWriteResult::Refused));
    EXPECT_FALSE(std::filesystem::exists(dir.file("four.png")));
    MemorySink sink;
    EXPECT_EQ(WritePng(sink, four), PngWriteResult::UnsupportedKind);

    const HDIB photo = MakePhotoLike(200, 200);
    EXPECT_EQ(WritePng(dir.file("no/dir/x.png"), photo), PngWriteResult::NotCreated);
    EXPECT_TRUE(!std::filesystem::exists("/dev/full") || WritePng("/dev/full", photo) == PngWriteResult::EncoderError);

    testing::UiRecorder ui;
    ASSERT_EQ(WritePng(dir.file("ok.png"), photo), PngWriteResult::Written);
    EXPECT_EQ(std::tuple(ui.busyDepth, ui.busyCount), std::tuple(0, 1));
    ASSERT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.progress.front(), (std::pair<std::string, int>{"Gravação", 0}));
    EXPECT_GE(ui.progress.back().second, 90);
}

}  // namespace
}  // namespace lv
