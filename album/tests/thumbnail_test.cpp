// Thumbnail sizes, nearest-neighbour sampling from every depth, the record an entry gets, and
// the sampled JPEG reader against the full decoder in every layout the encoder makes.

#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "album/thumbnail.h"
#include "album_test_support.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/jpeg/jpeg_sampled.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace lv::album {
namespace {

TEST(ThumbnailSize, SidesFollowThe69PixelRuleWithRounding)
{
    // (50 × 69 + 50) / 100; the other side at least 1; (69 × 69 + 35) / 70.
    EXPECT_EQ((std::vector<Size>{ThumbnailSize(100, 50), ThumbnailSize(69, 69), ThumbnailSize(69, 10), ThumbnailSize(70, 70),
                                 ThumbnailSize(1, 1000), ThumbnailSize(1000, 1), ThumbnailSize(70, 69), ThumbnailSize(3000, 2000),
                                 ThumbnailSize(138, 1)}),
              (std::vector<Size>{{69, 35}, {69, 69}, {69, 10}, {69, 69}, {1, 69}, {69, 1}, {69, 68}, {69, 46}, {69, 1}}));
    EXPECT_EQ(std::tuple(ThumbnailRowBytes(69), ThumbnailRowBytes(1), ThumbnailBytes({69, 35})), std::tuple(208u, 4u, 7320u));
}

TEST(ThumbnailSize, GridRowsRunFromTheTopWithoutRepeats)
{
    for (const auto& [w, h] : {std::pair{100, 50}, {3000, 2000}, {1, 1000}, {40, 61}, {517, 389}}) {
        const SampleGrid grid = ThumbnailGrid(w, h);
        const Size size = ThumbnailSize(w, h);
        ASSERT_EQ(grid.columns.size(), std::size_t(size.width));
        ASSERT_EQ(grid.rows.size(), std::size_t(size.height));
        EXPECT_EQ(grid.rows.back(), h - 1);  // thumbnail row 0 is the picture's bottom row
        for (std::size_t i = 1; i < grid.rows.size(); ++i)
            EXPECT_LT(grid.rows[i - 1], grid.rows[i]);
    }
}

// Blue, green, red of the thumbnail's pixel (x, y from the bottom).
std::array<int, 3> thumbPixel(const AlbumEntry& entry, int x, int y)
{
    const std::uint8_t* p = entry.thumbnail().data() + 40 + std::size_t(y) * ThumbnailRowBytes(entry.thumbWidth()) +
                            std::size_t(x) * 3;
    return {p[0], p[1], p[2]};
}

// A palette picture of 140 × 100 whose pixel index depends on x and y; colour i is (i, 2i, 255 - i).
HDIB palettePicture(int bits)
{
    HDIB picture = AllocatePicture(140, 100, bits, 1u << bits);
    for (unsigned i = 0; i < (1u << bits); ++i)
        picture.colors()[i] = RgbQuad{std::uint8_t(i), std::uint8_t(2 * i), std::uint8_t(255 - i), 0};
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 140; ++x)
            AddPackedPixel(picture.row(y), x, bits, unsigned(x * 3 + y * 5) % (1u << bits));
    return picture;
}

TEST(ThumbnailSampling, EveryDepthTakesTheNearestSourcePixel)
{
    HDIB words = AllocatePicture(140, 100, 16, 0);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 140; ++x)
            StoreLE16(words.row(y) + 2 * x, std::uint16_t((x % 32) | (y % 32) << 5 | (x / 32) << 10));
    using Colour = std::array<int, 3>;
    const auto palette = [](int bits) {
        return [bits](int sx, int sy) {
            const int index = (sx * 3 + sy * 5) % (1 << bits);
            return Colour{index & 255, (2 * index) & 255, 255 - index};
        };
    };
    const struct {
        int bits;
        HDIB picture;
        std::function<Colour(int, int)> colourAt;  // of the source pixel
    } cases[] = {
        {1, palettePicture(1), palette(1)},
        {4, palettePicture(4), palette(4)},
        {8, palettePicture(8), palette(8)},
        // Blue x % 32, green y % 32, red (x / 32), each widened by 8.
        {16, std::move(words), [](int sx, int sy) { return Colour{sx % 32 * 8, sy % 32 * 8, sx / 32 * 8}; }},
        {24, testing::CoordinatePicture(140, 100), [](int sx, int sy) { return Colour{sx, sy, 7}; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        const auto entry = BuildEntry(c.picture, {"/p.bmp", "", {1, 1, 1}});
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->bitCount(), c.bits);
        EXPECT_EQ(entry->thumbWidth(), 69);
        EXPECT_EQ(entry->thumbHeight(), 49);
        // 140 × 100 → 69 × 49; thumbnail (x, y) takes source (x × 140 / 69, y × 100 / 49).
        for (const auto& [x, y] : {std::pair{0, 0}, {1, 1}, {34, 20}, {68, 48}, {50, 3}})
            EXPECT_EQ(thumbPixel(*entry, x, y), c.colourAt(x * 140 / 69, y * 100 / 49)) << x << "," << y;
    }
    // The other depths have no thumbnail.
    EXPECT_FALSE(BuildEntry(AllocatePicture(10, 10, 32, 0), {"/x.bmp", "", {1, 1, 1}}));
    EXPECT_FALSE(BuildEntry(HDIB(), {"/x.bmp", "", {1, 1, 1}}));
}

TEST(ThumbnailSampling, SmallPicturesAreCopiedWhole)
{
    const auto entry = BuildEntry(testing::CoordinatePicture(69, 40), {"/s.bmp", "", {1, 1, 1}});
    ASSERT_TRUE(entry);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 69; ++x)
            ASSERT_EQ(thumbPixel(*entry, x, y), (std::array<int, 3>{x, y, 7}));
}

TEST(EntryRecord, CaptionSharesItsBytesWithTheItemValues)
{
    const HDIB picture = testing::CoordinatePicture(8, 8);
    auto still = BuildEntry(picture, {"/s.bmp", "Still Image File", {1, 1, 1}});
    EXPECT_EQ(still->caption(), std::string("Still Image File\x01", 17));  // the terminator is gone
    EXPECT_EQ(still->itemValue(0), 1);

    auto item = BuildEntry(picture, {"/i.bmp", "moldura//dourada//grande", {3, 65535, 2}});
    EXPECT_EQ(item->itemValue(0), 3);
    EXPECT_EQ(item->itemValue(1), 65535);
    EXPECT_EQ(item->itemValue(2), 2);
    EXPECT_EQ(item->caption().substr(0, 16), "moldura//dourada");

    // A caption typed later overwrites the values.
    item->setCaption("Aniversário da vovó, 80 anos");
    EXPECT_EQ(item->caption(), "Aniversário da vovó, 80 anos");
    EXPECT_NE(item->itemValue(0), 3);

    // Long texts are cut to the field on a character boundary, keeping the terminator.
    std::string longPath(126, 'a');
    longPath += "é";
    AlbumEntry e(0);
    e.setPath(longPath);
    EXPECT_EQ(e.path(), std::string(126, 'a'));
}

// The sampled JPEG reader against the full decoder: every grid pixel must be the pixel the
// whole decoded (and widened) picture has, for every layout the encoder can make.
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
