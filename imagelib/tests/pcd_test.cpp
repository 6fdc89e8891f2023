#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"
#include "pictures.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace lv {
namespace {

using namespace testing;

const std::string kFixtures = "tests/fixtures/pcd/";
constexpr std::size_t kSector = 2048;
constexpr std::size_t kAttributes = 0x0E02;

// The stored choices set for a scope and put back after it.
class StoredChoices {
public:
    explicit StoredChoices(PhotoCdChoices choices) { SetStoredPhotoCdChoices(choices); }
    ~StoredChoices() { SetStoredPhotoCdChoices(before_); }
    StoredChoices(const StoredChoices&) = delete;
    StoredChoices& operator=(const StoredChoices&) = delete;

private:
    PhotoCdChoices before_ = StoredPhotoCdChoices();
};

// Reads with the stored choices, as the command line does.
ReadResult ReadAt(const std::string& path, int resolution, int format = 0)
{
    ScopedPhotoCdMode mode(kPhotoCdStored);
    StoredChoices choices({format, resolution});
    return ReadPhotoCd(path);
}

ReadResult ReadBytesAt(const std::vector<std::uint8_t>& bytes, int resolution, int format = 0)
{
    ScopedPhotoCdMode mode(kPhotoCdStored);
    StoredChoices choices({format, resolution});
    MemorySource source(bytes);
    return ReadPhotoCd(source, BuiltInPhotoCdLibrary());
}

std::vector<std::uint8_t> FixtureBytes(const std::string& name)
{
    return ReadWholeFile(kFixtures + name).value_or(std::vector<std::uint8_t>{});
}

struct Difference {
    int largest = 0;
    double mean = 0;
};

// Compares our picture, at an offset, with a tool's raster after `expected` maps each of
// our samples and the tool's sample to two comparable values.
template <typename Map>
Difference Compare(const HDIB& ours, const RgbRaster& theirs, int left, int top, Map map)
{
    Difference d;
    double sum = 0;
    for (int y = 0; y < theirs.height; ++y)
        for (int x = 0; x < theirs.width; ++x) {
            const auto a = Pixel24(ours, left + x, ours.height() - 1 - (top + y));
            const auto b = theirs.at(x, y);
            const int pairs[3][2] = {{a.r, b.r}, {a.g, b.g}, {a.b, b.b}};
            for (const auto& pair : pairs) {
                const auto [mine, tool] = map(pair[0], pair[1]);
                const int diff = std::abs(mine - tool);
                d.largest = std::max(d.largest, diff);
                sum += diff;
            }
        }
    d.mean = sum / (3.0 * theirs.width * theirs.height);
    return d;
}

// ImageMagick's conversion lacks the 1.3584 luma scale: its samples times that are ours.
std::pair<int, int> ImageMagickScale(int mine, int tool)
{
    return {mine, std::min(255, int(std::lround(tool * 1.3584)))};
}

// Where the pictures are flat, rounding in the tools' chroma interpolation and their
// 8-bit results moves a sample by at most a level or two before scaling; sharp edges
// (the frame, the line) add a little more where the tools interpolate chroma in other
// precision. Three levels bound every sample; the mean stays well under one.
// GraphicsMagick's curve is steeper than 1 in the mid-tones and is known here at luma
// steps of 1.36 levels, interpolated: one level more.
constexpr int kTolerance = 3;
constexpr double kMeanTolerance = 0.6;
constexpr int kCurveTolerance = 4;
constexpr double kCurveMeanTolerance = 0.8;

TEST(PhotoCdFixtures, EachStoredLevelMatchesWhatTheWritingToolDecodes)
{
    std::ifstream curveFile(kFixtures + "gm_tone_curve.txt");
    const std::vector<int> curve((std::istream_iterator<int>(curveFile)), std::istream_iterator<int>());
    ASSERT_EQ(curve.size(), 256u);
    const struct {
        const char* name;
        int resolution;
        int width, height;
    } levels[] = {{"base16", 0, 192, 128}, {"base4", 1, 384, 256}, {"base", 2, 768, 512}};
    for (const auto& level : levels) {
        for (const std::string tool : {"im", "gm"}) {
            SCOPED_TRACE(tool + "_" + level.name);
            ReadResult result = ReadAt(kFixtures + tool + ".pcd", level.resolution);
            ASSERT_TRUE(result.ok()) << result.value();
            const HDIB& picture = result.image();
            ASSERT_EQ(std::tuple(picture.bitCount(), picture.width(), picture.height()),
                      std::tuple(24, level.width, level.height));
            EXPECT_EQ(std::tuple(picture.header().biXPelsPerMeter, picture.header().biClrUsed), std::tuple(7874, 0u));
            const auto reference = testing::ReadPpm(kFixtures + tool + "_" + level.name + ".ppm");
            ASSERT_TRUE(reference);
            const Difference d = tool == "im" ? Compare(picture, *reference, 0, 0, ImageMagickScale)
                                              : Compare(picture, *reference, 0, 0, [&](int mine, int theirs) {
                                                    return std::pair<int, int>{curve[std::size_t(mine)], theirs};
                                                });
            EXPECT_LE(d.largest, tool == "im" ? kTolerance : kCurveTolerance);
            EXPECT_LE(d.mean, tool == "im" ? kMeanTolerance : kCurveMeanTolerance);
        }
    }
}

TEST(PhotoCdFixtures, FourBaseAddsTheCodedResidualsToTheUpsampledBase)
{
    ReadResult result = ReadAt(kFixtures + "fourbase.pcd", 3);
    ASSERT_TRUE(result.ok()) << result.value();
    ASSERT_EQ(testing::SizeOf(result.image()), std::tuple(1536, 1024));
    const auto reference = testing::ReadPpm(kFixtures + "fourbase_crop.ppm");
    ASSERT_TRUE(reference);
    // Luma is interpolated once more than at Base, so one more level of rounding.
    const Difference d = Compare(result.image(), *reference, 640, 96, ImageMagickScale);
    EXPECT_LE(d.largest, kTolerance + 1);
    EXPECT_LE(d.mean, kMeanTolerance);

    // The residuals are there: without them the stripes vanish.
    auto bytes = FixtureBytes("fourbase.pcd");
    bytes.resize(389 * kSector);
    ReadResult plain = ReadBytesAt(bytes, 3);
    ASSERT_TRUE(plain.ok());
    EXPECT_GT(Compare(plain.image(), *reference, 640, 96, ImageMagickScale).largest, 40);

    // A pack whose attributes say Base only is read at Base whatever is asked.
    ReadResult baseOnly = ReadAt(kFixtures + "im.pcd", 4);
    ASSERT_TRUE(baseOnly.ok());
    EXPECT_EQ(baseOnly.image().width(), 768);
}

TEST(PhotoCdFixtures, AttributesTurnThePictureAndGreyIsTheLumaAlone)
{
    ReadResult upright = ReadAt(kFixtures + "im.pcd", 0);
    ASSERT_TRUE(upright.ok());
    const HDIB& u = upright.image();
    auto bytes = FixtureBytes("im.pcd");
    const std::pair<int, std::function<std::pair<int, int>(int, int)>> turns[] = {
        {1, [&](int x, int y) { return std::pair{u.width() - 1 - y, x}; }},  // anticlockwise
        {2, [&](int x, int y) { return std::pair{u.width() - 1 - x, u.height() - 1 - y}; }},
        {3, [&](int x, int y) { return std::pair{y, u.height() - 1 - x}; }},
    };
    for (const auto& [code, sourceOf] : turns) {
        SCOPED_TRACE(code);
        bytes[kAttributes] = std::uint8_t((bytes[kAttributes] & 0xFC) | code);
        ReadResult turned = ReadBytesAt(bytes, 0);
        ASSERT_TRUE(turned.ok());
        const HDIB& t = turned.image();
        ASSERT_EQ(t.width(), code == 2 ? u.width() : u.height());
        bool same = true;
        for (int y = 0; y < t.height() && same; ++y)
            for (int x = 0; x < t.width() && same; ++x) {
                const auto [sx, sy] = sourceOf(x, y);  // both counted from the top
                same = Pixel24(t, x, t.height() - 1 - y) == Pixel24(u, sx, u.height() - 1 - sy);
            }
        EXPECT_TRUE(same);
    }

    ReadResult grey = ReadAt(kFixtures + "im.pcd", 2, 1);
    ASSERT_TRUE(grey.ok());
    EXPECT_EQ(std::tuple(DibGetType(grey.image()), grey.image().clrUsed()), std::tuple(IMG_GREY8, 256u));
    // Flat neutral-ish area of the picture: the grey level sits between the colour channels.
    ReadResult colour = ReadAt(kFixtures + "im.pcd", 2, 0);
    const auto c = Pixel24(colour.image(), 700, 20);
    const int g = grey.image().row(20)[700];
    EXPECT_GE(g, std::min({c.r, c.g, c.b}) - 2);
    EXPECT_LE(g, std::max({c.r, c.g, c.b}) + 2);
}

// Writes 16Base sections for the residual tests: rows of the one code that means `delta`.
class BitWriter {
public:
    void put(std::uint32_t value, int count)
    {
        for (int i = count - 1; i >= 0; --i) {
            acc_ = std::uint8_t(acc_ << 1 | ((value >> i) & 1));
            if (++n_ == 8)
                bytes.push_back(acc_), acc_ = 0, n_ = 0;
        }
    }
    void align()
    {
        while (n_)
            put(0, 1);
    }
    void row(int plane, int row, int samples, int code, int length)
    {
        align();
        put(0xFFFFFE, 24);
        put(std::uint32_t(plane), 2);
        put(std::uint32_t(row), 13);
        put(0, 1);
        for (int i = 0; i < samples; ++i)
            put(std::uint32_t(code), length);
    }
    std::vector<std::uint8_t> bytes;

private:
    std::uint8_t acc_ = 0;
    int n_ = 0;
};

// The 4Base fixture with a 16Base section whose luma rows 100..199 and C1 rows of 300..399
// get +12, every other row staying as predicted.
std::vector<std::uint8_t> WithSixteenBase(bool withRows)
{
    auto bytes = FixtureBytes("fourbase.pcd");
    bytes[kAttributes] = std::uint8_t((bytes[kAttributes] & 0xF3) | 8);
    bytes.resize(bytes.size() + 12 * kSector, 0);
    // Three tables of two codes: "0" no change, "10" +12.
    for (int t = 0; t < 3; ++t)
        bytes.insert(bytes.end(), {1, 0, 0x00, 0x00, 0, 1, 0x80, 0x00, 12});
    bytes.resize((bytes.size() + kSector - 1) / kSector * kSector, 0);
    BitWriter bits;
    if (withRows) {
        for (int y = 0; y < 2048; ++y)
            bits.row(0, y, 3072, y >= 100 && y < 200 ? 0b10 : 0, y >= 100 && y < 200 ? 2 : 1);
        for (int y = 0; y < 2048; y += 2)
            bits.row(2, y, 1536, y >= 300 && y < 400 ? 0b10 : 0, y >= 300 && y < 400 ? 2 : 1);
    }
    bits.row(0, 2048, 0, 0, 1);
    bits.align();
    bytes.insert(bytes.end(), bits.bytes.begin(), bits.bytes.end());
    return bytes;
}

TEST(PhotoCdResiduals, SixteenBaseTakesLumaAndChromaRowsFromItsThreeTables)
{
    ReadResult plain = ReadBytesAt(WithSixteenBase(false), 4);
    ReadResult coded = ReadBytesAt(WithSixteenBase(true), 4);
    ASSERT_TRUE(plain.ok() && coded.ok()) << plain.value() << " " << coded.value();
    ASSERT_EQ(testing::SizeOf(coded.image()), std::tuple(3072, 2048));
    const auto at = [](const ReadResult& r, int x, int top) { return Pixel24(r.image(), x, 2047 - top); };
    // Luma +12 lifts every channel by about 16; rows outside the band are untouched.
    const auto before = at(plain, 1000, 150), after = at(coded, 1000, 150);
    EXPECT_NEAR(after.g - before.g, 16, 2);
    EXPECT_NEAR(after.r - before.r, 16, 2);
    EXPECT_TRUE(at(plain, 1000, 50) == at(coded, 1000, 50));
    // C1 +12 moves blue up by about 27 and green down by about 5, red stays.
    // (At a pixel whose channels are all clear of the clamps.)
    int x = 0;
    const auto clear = [](int v) { return v > 40 && v < 200; };
    while (x < 3071 && !(clear(at(plain, x, 350).b) && clear(at(plain, x, 350).g) && clear(at(plain, x, 350).r)))
        ++x;
    ASSERT_LT(x, 3071);
    const auto c1Before = at(plain, x, 350), c1After = at(coded, x, 350);
    EXPECT_NEAR(c1After.b - c1Before.b, 27, 2);
    EXPECT_NEAR(c1After.g - c1Before.g, -5, 2);
    EXPECT_NEAR(c1After.r, c1Before.r, 1);
}

TEST(PhotoCdResiduals, DamagedPacksFailWithoutCrashing)
{
    const auto whole = FixtureBytes("fourbase.pcd");
    ASSERT_FALSE(whole.empty());
    testing::UiRecorder ui;
    for (const std::size_t cut : {std::size_t(0), std::size_t(2048), std::size_t(2055), 95 * kSector, 200 * kSector,
                                  383 * kSector, 388 * kSector + 3, 400 * kSector}) {
        SCOPED_TRACE(cut);
        const std::vector<std::uint8_t> bytes(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
        const ReadResult fourBase = ReadBytesAt(bytes, 3);
        // Rows that are missing keep the upsampled prediction; a pack whose tables are cut fails.
        EXPECT_EQ(fourBase.ok(), cut >= 389 * kSector || (cut >= 22 * kSector && cut < 384 * kSector));
        EXPECT_TRUE(fourBase.ok() || fourBase.code() == ReadCode::Failure) << fourBase.value();
    }
    // A table of 256 one-bit codes, every one the same.
    auto bytes = whole;
    bytes[388 * kSector] = 255;
    for (std::size_t e = 0; e < 256; ++e)
        bytes[388 * kSector + 1 + 4 * e] = 0;
    EXPECT_TRUE(ReadBytesAt(bytes, 3).ok());
    bytes[388 * kSector + 1] = 16;  // a 17-bit code
    EXPECT_EQ(ReadBytesAt(bytes, 3).code(), ReadCode::Failure);
    EXPECT_TRUE(ui.messages.empty());
}

// A stand-in library that records what the adapter asked of it.
struct FakeLog {
    int closes = 0, loadResult = 0;
    bool cancelDuringLoad = false;
};
FakeLog fake;

int fakeOpen(ByteSource&, photocd::PcdRef& reference)
{
    // Any non-null pointer will do; the deleter leaves it alone.
    reference = photocd::PcdRef(reinterpret_cast<photocd::PcdReference*>(&fake), [](photocd::PcdReference*) {});
    return 0;
}
int fakeChoice(photocd::PcdReference*, int) { return 0; }
photocd::PcdAbortCallback fakeAbort = nullptr;
void* fakeAbortData = nullptr;
int fakeSetAbort(photocd::PcdReference*, photocd::PcdAbortCallback callback, void* data)
{
    fakeAbort = callback, fakeAbortData = data;
    return 0;
}
int fakeLoad(photocd::PcdReference*, int, HDIB&)
{
    if (fake.cancelDuringLoad && fakeAbort)
        fakeAbort(fakeAbortData);
    return fake.loadResult;
}
int fakeClose(photocd::PcdRef& reference) { return reference.reset(), ++fake.closes, 0; }

PhotoCdLibrary FakeLibrary()
{
    return {fakeOpen, fakeChoice, fakeChoice, fakeSetAbort, nullptr, fakeLoad, fakeClose};
}

struct ScriptedDialog final : PhotoCdOptionsDialog {
    std::optional<PhotoCdChoices> answer;
    int offers = 0;
    std::optional<PhotoCdChoices> offer(const PhotoCdChoices&) override
    {
        ++offers;
        return answer;
    }
};

TEST(PhotoCdAdapter, FailuresAndEscFollowTheLibrarysResults)
{
    testing::TempDir dir;
    const std::string file = dir.file("any.pcd");
    ASSERT_TRUE(WriteWholeFile(file, {1, 2, 3}));
    ScopedPhotoCdMode mode(kPhotoCdStored);
    testing::UiRecorder ui;

    fake = FakeLog{};
    fake.loadResult = 12;
    const ReadResult exhausted = ReadPhotoCd(file, FakeLibrary());
    EXPECT_EQ(exhausted.code(), ReadCode::Failure);
    EXPECT_EQ(exhausted.failure().notices,
              (std::vector<FailureNotice>{{std::string(kOutOfMemoryMessage), NoticeTitle::Warning}}));
    EXPECT_TRUE(ui.messages.empty());

    // Esc during the load: the abort callback remembers it and the read is cancelled.
    testing::CancellationOn on;
    ui.escapeAfterPolls = 0;
    fake = FakeLog{};
    fake.cancelDuringLoad = true;
    EXPECT_EQ(ReadPhotoCd(file, FakeLibrary()).code(), ReadCode::Broken);
    ui.escapeAfterPolls = -1;

    // A missing entry point counts as 1; no library at all, or no file, as designed.
    PhotoCdLibrary partial = FakeLibrary();
    partial.loadImage = nullptr;
    fake = FakeLog{};
    EXPECT_EQ(ReadPhotoCd(file, partial).code(), ReadCode::Failure);
    EXPECT_EQ(fake.closes, 1);
    partial.refOpen = nullptr;
    EXPECT_EQ(std::tuple(ReadPhotoCd(file, partial).code(), ReadPhotoCd(file, std::nullopt).code()),
              std::tuple(ReadCode::Failure, ReadCode::Failure));
    EXPECT_EQ(ReadPhotoCd(dir.file("missing.pcd"), FakeLibrary()).code(), ReadCode::Broken);
    // The real library refuses what is not an image pack.
    EXPECT_EQ(ReadPhotoCd(file).code(), ReadCode::Failure);
}

TEST(PhotoCdDispatch, TheAlbumsBackgroundLoadingReadsAtBaseWithoutAsking)
{
    ScriptedDialog dialog;
    dialog.answer = PhotoCdChoices{0, 0};
    ScopedPhotoCdOptionsDialog installed(dialog);
    ScopedPhotoCdMode ask(kPhotoCdAsk);
    SetBackgroundLoading(true);
    const OpenedImage album = LoadGeneralImage(kFixtures + "gm.pcd", LibraryDocumentReaders());
    SetBackgroundLoading(false);
    ASSERT_TRUE(album.result.ok());
    EXPECT_EQ(std::tuple(album.result.image().width(), dialog.offers, PhotoCdMode()), std::tuple(768, 0, kPhotoCdAsk));
}

TEST(PhotoCdShortPack, OpensAtTheLargestLevelItHoldsAndNothingWithoutBase16)
{
    const auto whole = FixtureBytes("im.pcd");
    ASSERT_GT(whole.size(), 384 * kSector);
    testing::UiRecorder ui;
    const auto cut = [&](std::size_t sectors, std::size_t extra = 0) {
        return std::vector<std::uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(sectors * kSector + extra));
    };
    const ReadResult base16 = ReadBytesAt(whole, 0), base4 = ReadBytesAt(whole, 1);
    ASSERT_TRUE(base16.ok() && base4.ok());

    // Base/16 planes end at sector 22, Base/4 at 95, Base at 384.
    EXPECT_FALSE(ReadBytesAt(cut(21, 2047), 0).ok());
    for (const std::size_t sectors : {std::size_t(22), std::size_t(60), std::size_t(94)})
        for (const int asked : {0, 2, 4}) {
            const ReadResult r = ReadBytesAt(cut(sectors), asked);
            ASSERT_TRUE(r.ok()) << sectors << " sectors at " << asked;
            EXPECT_TRUE(testing::SamePixels(r.image(), base16.image())) << sectors << " sectors at " << asked;
        }
    for (const std::size_t sectors : {std::size_t(95), std::size_t(383)}) {
        const ReadResult r = ReadBytesAt(cut(sectors), 2);
        ASSERT_TRUE(r.ok()) << sectors;
        EXPECT_TRUE(testing::SamePixels(r.image(), base4.image())) << sectors;
        EXPECT_TRUE(testing::SamePixels(ReadBytesAt(cut(sectors), 0).image(), base16.image())) << sectors;
    }
    const ReadResult atBase = ReadBytesAt(cut(384), 2);
    ASSERT_TRUE(atBase.ok());
    EXPECT_EQ(std::max(atBase.image().width(), atBase.image().height()), 768);
}

}  // namespace
}  // namespace lv
