// LibRaw reads the opened file as it goes: a thumbnail takes the preview, not the whole file,
// and a file cut short underneath, or a seek past its end, ends the reads cleanly.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/raw/libraw_stream.h"
#include "interop_script.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <unistd.h>

namespace lv {
namespace {

struct CountingSource final : ByteSource {
    explicit CountingSource(ByteSource& inner) : inner(inner) {}
    std::size_t read(void* to, std::size_t count) override
    {
        const std::size_t got = inner.read(to, count);
        bytesRead += got;
        return got;
    }
    bool seek(std::uint64_t position) override { return inner.seek(position); }
    std::uint64_t position() const override { return inner.position(); }
    std::uint64_t size() const override { return inner.size(); }
    ByteSource& inner;
    std::uint64_t bytesRead = 0;
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
    EXPECT_TRUE(preview.ok() && preview.image().width() == 64);
    EXPECT_LT(counted.bytesRead, file->size() / 4);
}

TEST(LibRawSourceStream, AFileCutUnderneathAndSeeksPastTheEndEndTheReads)
{
    testing::TempDir dir;
    const std::string path = dir.file("shrinking.dng");
    std::ofstream(path, std::ios::binary) << " 42 " << std::string(200000, 'r');
    auto source = FileSource::Open(path);
    ASSERT_TRUE(source);
    LibRawSourceStream stream(*source);
    ASSERT_EQ(truncate(path.c_str(), 1000), 0);
    int number = 0;
    EXPECT_EQ(stream.scanf_one("%d", &number), 1);  // as fscanf: the number and no further
    EXPECT_EQ(number, 42);
    EXPECT_EQ(stream.tell(), 3);
    std::vector<std::uint8_t> buffer(150000);
    EXPECT_EQ(stream.read(buffer.data(), 2, buffer.size() / 2), 498);  // whole items only
    EXPECT_TRUE(stream.eof());
    for (const INT64 offset : {LLONG_MIN, INT64(0), INT64(180000), LLONG_MAX})
        EXPECT_TRUE(stream.seek(offset, SEEK_CUR) == 0 && stream.tell() == (offset > 0 ? 1000 : 0));
}

}  // namespace
}  // namespace lv
