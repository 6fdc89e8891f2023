// The stream LibRaw reads the opened file through: text headers scanned as by the C library,
// seeks clamped to the file, and a file cut short underneath ending where it ends.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/raw/libraw_stream.h"
#include "interop_script.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <string_view>
#include <unistd.h>

namespace lv {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

TEST(LibRawSourceStream, ScansNumbersAndLinesLikeTheCLibrary)
{
    MemorySource source(bytesOf(" 12 34.5\nsecond line\nx"));
    LibRawSourceStream stream(source);
    int whole = 0;
    float fraction = 0;
    EXPECT_EQ(stream.scanf_one("%d", &whole), 1);
    EXPECT_EQ(whole, 12);
    EXPECT_EQ(stream.tell(), 3);
    EXPECT_EQ(stream.scanf_one("%f", &fraction), 1);
    EXPECT_FLOAT_EQ(fraction, 34.5f);
    char line[8];
    EXPECT_STREQ(stream.gets(line, sizeof line), "\n");
    EXPECT_STREQ(stream.gets(line, sizeof line), "second ");  // cut at the buffer, like fgets
    EXPECT_STREQ(stream.gets(line, sizeof line), "line\n");
    EXPECT_EQ(stream.scanf_one("%d", &whole), 0);  // not a number: the stream stays
    EXPECT_EQ(stream.get_char(), 'x');
    EXPECT_EQ(stream.get_char(), -1);
    EXPECT_TRUE(stream.eof());
    EXPECT_EQ(stream.gets(line, sizeof line), nullptr);
}

TEST(LibRawSourceStream, SeeksStayInsideTheFileAndReadsCountWholeItems)
{
    MemorySource source(bytesOf("0123456789"));
    LibRawSourceStream stream(source);
    std::uint8_t buffer[16] = {};
    EXPECT_EQ(stream.seek(100, SEEK_SET), 0);
    EXPECT_EQ(stream.tell(), 10);
    EXPECT_EQ(stream.read(buffer, 1, 4), 0);
    EXPECT_EQ(stream.seek(-4, SEEK_END), 0);
    EXPECT_EQ(stream.read(buffer, 3, 5), 1);  // four bytes left: one whole item of three
    EXPECT_EQ(buffer[0], '6');
    EXPECT_EQ(stream.seek(-100, SEEK_CUR), 0);
    EXPECT_EQ(stream.tell(), 0);
    for (const INT64 hostile : {LLONG_MIN, LLONG_MAX}) {
        EXPECT_EQ(stream.seek(hostile, SEEK_CUR), 0);
        EXPECT_GE(stream.tell(), 0);
        EXPECT_LE(stream.tell(), 10);
    }
    EXPECT_EQ(stream.seek(0, 7), -1);
}

TEST(LibRawSourceStream, AFileCutUnderneathEndsWhereTheReadsStop)
{
    testing::TempDir dir;
    const std::string path = dir.file("shrinking.dng");
    std::ofstream(path, std::ios::binary) << std::string(200000, 'r');
    auto source = FileSource::Open(path);
    ASSERT_TRUE(source);
    LibRawSourceStream stream(*source);
    ASSERT_EQ(truncate(path.c_str(), 1000), 0);
    std::vector<std::uint8_t> buffer(150000);
    EXPECT_EQ(stream.read(buffer.data(), 1, buffer.size()), 1000);
    EXPECT_TRUE(stream.eof());
    EXPECT_EQ(stream.size(), 1000);
    EXPECT_EQ(stream.seek(180000, SEEK_SET), 0);
    EXPECT_EQ(stream.tell(), 1000);
    EXPECT_EQ(stream.get_char(), -1);
}

// Counts what a reader takes from the file.
class CountingSource final : public ByteSource {
public:
    explicit CountingSource(ByteSource& inner)
        : inner_(inner)
    {
    }
    std::size_t read(void* destination, std::size_t count) override
    {
        const std::size_t got = inner_.read(destination, count);
        bytesRead += got;
        return got;
    }
    bool seek(std::uint64_t position) override { return inner_.seek(position); }
    std::uint64_t position() const override { return inner_.position(); }
    std::uint64_t size() const override { return inner_.size(); }

    std::uint64_t bytesRead = 0;

private:
    ByteSource& inner_;
};

TEST(LibRawSourceStream, AThumbnailReadsThePreviewNotTheWholeRawFile)
{
    testing::TempDir dir;
    const std::string path = dir.file("shot.dng");
    ASSERT_EQ(testing::RunInteropScript("make_dng.py", path + " 600 400 --preview 64"), 0);
    auto file = FileSource::Open(path);
    ASSERT_TRUE(file);
    CountingSource counted(*file);
    const ReadResult preview = ReadCameraRawPreview(counted);
    ASSERT_TRUE(preview.ok());
    EXPECT_EQ(preview.image().width(), 64);
    EXPECT_LT(counted.bytesRead, file->size() / 4);
}

}  // namespace
}  // namespace lv
