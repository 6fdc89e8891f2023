#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lv {
namespace {

std::vector<std::uint8_t> counting(std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = std::uint8_t(i * 7 + i / 251);
    return v;
}

TEST(ByteSource, MemoryReadsStopAtTheEndAndReportShortReads)
{
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    MemorySource src(bytes);
    EXPECT_EQ(src.readLE32(), 0x04030201u);
    EXPECT_EQ(src.readLE16(), std::nullopt);  // one byte left, two wanted
    EXPECT_EQ(src.position(), 5u);            // the short read consumed it
    EXPECT_FALSE(src.seek(6));
    EXPECT_TRUE(src.seek(1));
    EXPECT_EQ(src.readBE16(), 0x0203);
    EXPECT_FALSE(src.skip(3));
    EXPECT_TRUE(src.skip(2));
    EXPECT_EQ(src.remaining(), 0u);
}

TEST(ByteSource, FileReadsMatchTheBytesAcrossBufferBoundariesAndSeeks)
{
    testing::TempDir dir;
    const auto bytes = counting(200'000);
    ASSERT_TRUE(WriteWholeFile(dir.file("f"), bytes));
    auto src = FileSource::Open(dir.file("f"));
    ASSERT_TRUE(src);
    EXPECT_EQ(src->size(), bytes.size());

    // Small reads that straddle the internal buffer, then one big direct read.
    std::vector<std::uint8_t> got(bytes.size());
    std::size_t at = 0;
    for (std::size_t step = 1; at + step < 70'000; step = step % 13 + 1) {
        ASSERT_EQ(src->read(got.data() + at, step), step);
        at += step;
    }
    ASSERT_EQ(src->read(got.data() + at, bytes.size() - at), bytes.size() - at);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(src->read(got.data(), 1), 0u);

    // Backwards and forwards seeks, inside and outside what is buffered; the first lands
    // in what the direct read passed over, where the buffer's old bytes must not show.
    for (std::uint64_t pos : {199'999u, 10u, 65'535u, 65'536u, 3u, 131'072u}) {
        ASSERT_TRUE(src->seek(pos));
        EXPECT_EQ(src->readU8(), bytes[pos]) << pos;
    }
    EXPECT_FALSE(src->seek(bytes.size() + 1));
}

TEST(ByteSink, FileSinkWritesSmallAndLargePiecesAndSeeksBack)
{
    testing::TempDir dir;
    const auto big = counting(150'000);
    {
        auto sink = FileSink::Create(dir.file("out"));
        ASSERT_TRUE(sink);
        EXPECT_TRUE(sink->writeLE32(0));
        EXPECT_TRUE(sink->write(big.data(), 1000));
        EXPECT_TRUE(sink->write(big.data() + 1000, big.size() - 1000));
        EXPECT_EQ(sink->position(), 4 + big.size());
        EXPECT_TRUE(sink->seek(0));
        EXPECT_TRUE(sink->writeBE32(0xA1B2C3D4));
        EXPECT_TRUE(sink->close());
    }
    const auto back = ReadWholeFile(dir.file("out"));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 4 + big.size());
    EXPECT_EQ((*back)[0], 0xA1);
    EXPECT_EQ((*back)[3], 0xD4);
    EXPECT_TRUE(std::equal(big.begin(), big.end(), back->begin() + 4));
}

TEST(ByteIo, MissingFilesAndFoldersNeitherOpenNorCreateAndAFullDeviceFailsWrites)
{
    testing::TempDir dir;
    EXPECT_FALSE(FileSource::Open(dir.file("absent")));
    EXPECT_FALSE(FileSource::Open(dir.path().string()));
    EXPECT_FALSE(FileSink::Create(dir.file("no/such/dir")));
    if (auto full = FileSink::Create("/dev/full")) {
        const auto bytes = counting(100'000);
        full->write(bytes.data(), bytes.size());
        EXPECT_FALSE(full->close());
    }
}

TEST(ByteSink, MemorySinkOverwritesAfterSeekAndGrowsWithZeros)
{
    MemorySink sink;
    sink.writeLE16(0x1234);
    sink.seek(6);
    sink.writeU8(9);
    sink.seek(1);
    sink.writeU8(0xFF);
    EXPECT_EQ(sink.bytes(), (std::vector<std::uint8_t>{0x34, 0xFF, 0, 0, 0, 0, 9}));
}

}  // namespace
}  // namespace lv
