// The sampled JPEG reader against the full decoder: every grid pixel must be the pixel the
// whole decoded (and widened) picture has, for every layout the encoder can make.

#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "album/thumbnail.h"
#include "common/byte_source.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/jpeg/jpeg_sampled.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv::album {
namespace {

const char* const kFixtures[] = {
    "baseline_420.jpg", "baseline_422.jpg", "baseline_444.jpg", "baseline_440.jpg", "baseline_411.jpg",
    "progressive_420.jpg", "progressive_444.jpg", "grey.jpg", "grey_progressive.jpg", "restart_420.jpg",
    "arithmetic_420.jpg", "rgb.jpg", "truncated_420.jpg", "small_420.jpg",
};

std::string fixture(const std::string& name)
{
    return "tests/fixtures/" + name;
}

HDIB fullDecode24(const std::string& path)
{
    ReadResult read = ReadJpeg(path);
    if (!read.ok() || read.image().bitCount() == 24)
        return read.take();
    return DibPromoteTo24(read.image());
}

// Compares every grid pixel with the fully decoded picture; returns the number that differ.
int differingPixels(const HDIB& full, const SampleGrid& grid, const SampledPixels& samples)
{
    int differ = 0;
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        const std::uint8_t* row = full.row(full.height() - 1 - grid.rows[r]);
        for (std::size_t c = 0; c < grid.columns.size(); ++c) {
            const std::uint8_t* want = row + std::size_t(grid.columns[c]) * 3;
            const std::uint8_t* got = samples.bgr.data() + (r * grid.columns.size() + c) * 3;
            differ += std::memcmp(want, got, 3) != 0;
        }
    }
    return differ;
}

// Grids that land on every row position inside the decoder's row groups, after skips of
// every length, plus the thumbnail's own grid.
std::vector<SampleGrid> gridsFor(int width, int height)
{
    std::vector<SampleGrid> grids{ThumbnailGrid(width, height)};
    for (int step : {1, 2, 7, 16, 17, 33}) {
        for (int start : {0, 5, 15}) {
            SampleGrid grid;
            for (int x = 0; x < width; x += 3)
                grid.columns.push_back(x);
            grid.columns.push_back(width - 1);
            for (int y = start; y < height; y += step)
                grid.rows.push_back(y);
            grids.push_back(grid);
        }
    }
    SampleGrid lastRowOnly{{0, width / 2, width - 1}, {height - 1}};
    grids.push_back(lastRowOnly);
    return grids;
}

TEST(JpegSamples, EveryGridPixelEqualsTheFullDecodeInEveryLayout)
{
    lv::testing::UiRecorder ui;
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        const HDIB full = fullDecode24(fixture(name));
        ASSERT_TRUE(full);
        for (const SampleGrid& grid : gridsFor(full.width(), full.height())) {
            const SampledPixels samples =
                ReadJpegSamples(fixture(name), [&grid](int, int) { return grid; });
            ASSERT_EQ(samples.code, ReadCode::Image);
            EXPECT_EQ(samples.width, full.width());
            EXPECT_EQ(samples.height, full.height());
            EXPECT_EQ(samples.xPelsPerMeter, full.header().biXPelsPerMeter);
            EXPECT_EQ(differingPixels(full, grid, samples), 0) << grid.rows.size() << " rows";
        }
    }
}

TEST(JpegSamples, FastEntryIsByteForByteTheFullDecodeEntry)
{
    lv::testing::UiRecorder ui;
    const DocumentReaders readers = AlbumPhotoReaders();
    for (const char* name : kFixtures) {
        SCOPED_TRACE(name);
        const EntryLabel label{fixture(name), "", {1, 1, 1}};
        ASSERT_TRUE(GeneralReaderTakesAsJpeg(label.path));
        const SampledPixels samples = ReadJpegSamples(label.path, ThumbnailGrid);
        ASSERT_EQ(samples.code, ReadCode::Image);  // the fast way, not the fallback
        const auto fast = BuildEntryFromSamples(samples, 24, label);
        ReadResult photo = LoadPhotoForAlbum(label.path, readers);
        ASSERT_TRUE(photo.ok());
        const auto slow = BuildEntry(photo.image(), label);
        ASSERT_TRUE(fast && slow);
        EXPECT_TRUE(*fast == *slow);
        const BuiltEntry built = BuildPhotoEntry(label, readers);
        ASSERT_TRUE(built.entry);
        EXPECT_TRUE(*built.entry == *slow);
    }
}

TEST(JpegSamples, RefusesWhatTheFullReaderRefuses)
{
    lv::testing::UiRecorder ui;
    const auto all = [](int w, int h) { return ThumbnailGrid(w, h); };
    const auto bytes = ReadWholeFile(fixture("baseline_420.jpg"));
    ASSERT_TRUE(bytes);
    // Not JPEG at all, only the start of one, and a header promising more than the data could hold.
    std::vector<std::uint8_t> notJpeg(bytes->begin() + 100, bytes->end());
    std::vector<std::uint8_t> headerOnly(bytes->begin(), bytes->begin() + 40);
    std::vector<std::uint8_t> tooBig(*bytes);
    for (std::size_t i = 0; i + 8 < tooBig.size(); ++i) {
        if (tooBig[i] == 0xFF && tooBig[i + 1] == 0xC0) {  // frame header: height, width
            tooBig[i + 5] = 0xFF, tooBig[i + 6] = 0xF0, tooBig[i + 7] = 0xFF, tooBig[i + 8] = 0xF0;
            break;
        }
    }
    for (const auto* data : {&notJpeg, &headerOnly, &tooBig}) {
        MemorySource forFull(*data), forSamples(*data);
        const bool fullOk = ReadJpeg(forFull).ok();
        const SampledPixels samples = ReadJpegSamples(forSamples, all);
        EXPECT_EQ(samples.code == ReadCode::Image, fullOk);
        EXPECT_FALSE(fullOk);
    }
    EXPECT_EQ(ReadJpegSamples("tests/fixtures/no-such.jpg", all).code, ReadCode::Broken);
    // A grid outside the picture is the caller's mistake, refused rather than read out of bounds.
    EXPECT_EQ(ReadJpegSamples(fixture("grey.jpg"), [](int w, int) { return SampleGrid{{w}, {0}}; }).code,
              ReadCode::Failure);
    EXPECT_EQ(ReadJpegSamples(fixture("grey.jpg"), [](int, int) { return SampleGrid{{0}, {3, 3}}; }).code,
              ReadCode::Failure);
}

}  // namespace
}  // namespace lv::album
