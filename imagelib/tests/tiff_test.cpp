#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "pictures.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

using testing::MakePicture;
using Bytes = std::vector<std::uint8_t>;

// Hand-made TIFF files in either byte order: blobs first, the directory last.
class TiffFile {
public:
    explicit TiffFile(bool motorola)
        : motorola_(motorola)
    {
        data_ = {std::uint8_t(motorola ? 'M' : 'I'), std::uint8_t(motorola ? 'M' : 'I')};
        put(data_, 42, 2);
        put(data_, 0, 4);
    }

    std::uint32_t blob(const Bytes& bytes)
    {
        const auto offset = std::uint32_t(data_.size());
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return offset;
    }
    template <typename T>
    Bytes values(const std::vector<T>& list) const
    {
        Bytes b;
        for (const T v : list)
            put(b, v, sizeof(T));
        return b;
    }
    Bytes shorts(const std::vector<std::uint16_t>& list) const { return values(list); }
    Bytes longs(const std::vector<std::uint32_t>& list) const { return values(list); }

    // Values that fit in four bytes go into the entry; others into a blob.
    TiffFile& tag(std::uint16_t tag, std::uint16_t type, std::uint32_t count, const Bytes& values)
    {
        Bytes field = values;
        if (values.size() > 4) {
            field.clear();
            put(field, blob(values), 4);
        }
        field.resize(4);
        Bytes& e = entries_.emplace_back();
        put(e, tag, 2);
        put(e, type, 2);
        put(e, count, 4);
        e.insert(e.end(), field.begin(), field.end());
        return *this;
    }
    TiffFile& short1(std::uint16_t t, std::uint16_t v) { return tag(t, 3, 1, shorts({v})); }
    TiffFile& long1(std::uint16_t t, std::uint32_t v) { return tag(t, 4, 1, longs({v})); }
    TiffFile& rational(std::uint16_t t, std::uint32_t num, std::uint32_t den) { return tag(t, 5, 1, longs({num, den})); }

    Bytes build() const
    {
        Bytes file = data_, offset;
        put(offset, std::uint32_t(file.size()), 4);
        std::copy(offset.begin(), offset.end(), file.begin() + 4);
        put(file, std::uint32_t(entries_.size()), 2);
        for (const Bytes& e : entries_)
            file.insert(file.end(), e.begin(), e.end());
        put(file, 0, 4);
        return file;
    }

private:
    void put(Bytes& b, std::uint32_t v, std::size_t size) const
    {
        for (std::size_t i = 0; i < size; ++i)
            b.push_back(std::uint8_t(v >> 8 * (motorola_ ? size - 1 - i : i)));
    }

    bool motorola_;
    Bytes data_;
    std::vector<Bytes> entries_;  // twelve bytes each
};

ReadResult Read(const Bytes& file)
{
    return testing::ReadFromBytes(file, [](ByteSource& s) { return ReadTiff(s); });
}

// The usual tags of a one-strip picture whose rows are `pixels`.
TiffFile Picture(bool motorola, int width, int height, int bits, int samples, int photometric, const Bytes& pixels)
{
    TiffFile f(motorola);
    const std::uint32_t data = f.blob(pixels);
    f.short1(256, std::uint16_t(width)).short1(257, std::uint16_t(height));
    if (samples == 3)
        f.tag(258, 3, 3, f.shorts({8, 8, 8}));
    else
        f.short1(258, std::uint16_t(bits));
    f.short1(262, std::uint16_t(photometric)).long1(273, data).short1(277, std::uint16_t(samples));
    f.long1(279, std::uint32_t(pixels.size()));
    return f;
}

std::vector<int> TopRow(const HDIB& dib, int top)
{
    const std::uint8_t* row = dib.row(dib.height() - 1 - top);
    return std::vector<int>(row, row + (dib.width() * dib.bitCount() + 7) / 8);
}

TEST(TiffRead, MotorolaAndIntelTwinsGiveTheSamePicture)
{
    const Bytes pixels = {0, 1, 2, 3, 3, 2, 1, 0};
    std::vector<std::uint16_t> map(3 * 4);
    for (int i = 0; i < 4; ++i) {
        map[i] = std::uint16_t((10 + i) << 8 | 0x55);       // red
        map[4 + i] = std::uint16_t((100 + i) << 8);         // green
        map[8 + i] = std::uint16_t((200 + i) << 8 | 0xFF);  // blue
    }
    HDIB twins[2];
    for (const bool motorola : {false, true}) {
        TiffFile f = Picture(motorola, 4, 2, 8, 1, 3, pixels);
        f.tag(320, 3, 12, f.shorts(map));
        ReadResult r = Read(f.build());
        ASSERT_TRUE(r.ok()) << motorola;
        twins[motorola] = r.take();
    }
    for (const HDIB& dib : twins) {
        EXPECT_EQ(dib.clrUsed(), 4u);
        EXPECT_EQ(dib.colors()[3].rgbRed, 13);
        EXPECT_EQ(dib.colors()[3].rgbGreen, 103);
        EXPECT_EQ(dib.colors()[3].rgbBlue, 203);
        EXPECT_EQ(TopRow(dib, 0), (std::vector<int>{0, 1, 2, 3}));
    }
    EXPECT_TRUE(testing::SamePixels(twins[0], twins[1]));
}

TEST(TiffRead, DirectoriesOfMoreThan26EntriesAreRefused)
{
    for (const int extra : {26 - 7, 27 - 7}) {
        TiffFile f = Picture(false, 2, 1, 8, 1, 1, {5, 6});
        for (int i = 0; i < extra; ++i)
            f.short1(std::uint16_t(40000 + i), 0);  // unknown tags are skipped
        EXPECT_EQ(Read(f.build()).ok(), extra + 7 <= 26) << extra + 7;
    }
}

TEST(TiffRead, StripsWithShortOrLongOffsetsInsideOrOutsideTheEntry)
{
    const Bytes top = {1, 2, 3}, middle = {4, 5, 6}, bottom = {7, 8, 9};
    for (const bool motorola : {false, true}) {
        // Two LONG offsets need 8 bytes: they lie where the entry points.
        TiffFile a(motorola);
        const std::uint32_t s1 = a.blob(bottom), s0 = a.blob(Bytes{1, 2, 3, 4, 5, 6});
        a.short1(256, 3).short1(257, 3).short1(258, 8).long1(278, 2);
        a.tag(273, 4, 2, a.longs({s0, s1})).tag(279, 4, 2, a.longs({6, 3}));
        ReadResult ra = Read(a.build());
        ASSERT_TRUE(ra.ok());
        EXPECT_EQ(TopRow(ra.image(), 0), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(TopRow(ra.image(), 1), (std::vector<int>{4, 5, 6}));
        EXPECT_EQ(TopRow(ra.image(), 2), (std::vector<int>{7, 8, 9}));

        // Two SHORT offsets and counts fit in the entry itself.
        TiffFile b(motorola);
        const std::uint32_t t0 = b.blob(top), t1 = b.blob(Bytes{4, 5, 6, 7, 8, 9});
        b.short1(256, 3).short1(257, 3).short1(258, 8);
        b.tag(273, 3, 2, b.shorts({std::uint16_t(t0), std::uint16_t(t1)})).tag(279, 3, 2, b.shorts({3, 6}));
        ReadResult rb = Read(b.build());
        ASSERT_TRUE(rb.ok());
        EXPECT_TRUE(testing::SamePixels(ra.image(), rb.image()));
    }
}

TEST(TiffRead, WithoutByteCountsAStripHoldsRowsPerStripRows)
{
    TiffFile f(false);
    const std::uint32_t s0 = f.blob({1, 2, 3, 4}), s1 = f.blob({5, 6, 0, 0});
    f.short1(256, 2).short1(257, 3).short1(258, 8).short1(278, 2).tag(273, 4, 2, f.longs({s0, s1}));
    ReadResult r = Read(f.build());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(TopRow(r.image(), 1), (std::vector<int>{3, 4}));
    EXPECT_EQ(TopRow(r.image(), 2), (std::vector<int>{5, 6}));
}

TEST(TiffRead, ResolutionFollowsTheUnit)
{
    const auto ppm = [](std::uint32_t num, std::uint32_t den, int unit) {
        TiffFile f = Picture(false, 1, 1, 8, 1, 1, {0});
        f.rational(282, num, den).rational(283, num * 2, den);
        if (unit)
            f.short1(296, std::uint16_t(unit));
        ReadResult r = Read(f.build());
        return std::make_pair(r.image().header().biXPelsPerMeter, r.image().header().biYPelsPerMeter);
    };
    EXPECT_EQ(ppm(300, 1, 2), std::make_pair(11811, 23622));
    EXPECT_EQ(ppm(601, 2, 2), std::make_pair(11811, 23661));  // 300.5 dots per inch are 300
    EXPECT_EQ(ppm(118, 1, 3), std::make_pair(11811, 23622));  // 118 per cm is 300 per inch
    EXPECT_EQ(ppm(300, 1, 0), std::make_pair(0, 0));
    EXPECT_EQ(ppm(300, 1, 1), std::make_pair(0, 0));
    EXPECT_EQ(ppm(300, 0, 2), std::make_pair(0, 0));
}

TEST(TiffRead, PalettesByDepthAndPhotometric)
{
    const auto colours = [](int bits, int photometric) {
        ReadResult r = Read(Picture(false, 2, 1, bits, 1, photometric, {0x12, 0x34}).build());
        std::vector<int> reds;
        if (r.ok())
            for (std::uint32_t i = 0; i < r.image().clrUsed(); ++i)
                reds.push_back(r.image().colors()[i].rgbRed);
        return reds;
    };
    // White-is-zero and black-is-zero bilevel files, and 8-bit grey, are in the fixtures.
    EXPECT_EQ(colours(1, 2), (std::vector<int>{0, 255}));
    EXPECT_EQ(colours(4, 1).size(), 256u);  // 4-bit grey gets the 256-entry ramp too
    // Palette pictures need their colour map.
    EXPECT_TRUE(colours(8, 3).empty());
    EXPECT_TRUE(colours(4, 0).empty());
}

TEST(TiffRead, CameraFilesExpandTheirSamplesToRgb)
{
    // Two pairs: neutral chroma, then red difference 228 (228 - 128 = 100).
    TiffFile f = Picture(false, 4, 1, 8, 3, 2, {100, 110, 128, 128, 120, 130, 128, 228});
    f.tag(271, 2, 12, Bytes{'R', 'I', 'C', 'O', 'H', 0, 'D', 'C', '-', '1', 0, 0});
    ReadResult r = Read(f.build());
    ASSERT_TRUE(r.ok());
    using testing::Rgb;
    EXPECT_EQ(testing::Pixel24(r.image(), 0, 0), (Rgb{100, 100, 100}));
    EXPECT_EQ(testing::Pixel24(r.image(), 1, 0), (Rgb{110, 110, 110}));
    // The left pixel of a pair takes the mean with the pair before: 178, a difference of 50.
    EXPECT_EQ(testing::Pixel24(r.image(), 2, 0), (Rgb{120 + 70, 120 - 35, 120}));
    EXPECT_EQ(testing::Pixel24(r.image(), 3, 0), (Rgb{255, 130 - 70, 130}));

    // Another maker's file with the same bytes is plain RGB.
    TiffFile other = Picture(false, 4, 1, 8, 3, 2, {100, 110, 128, 128, 120, 130, 128, 228, 0, 0, 0, 0});
    other.tag(271, 2, 6, Bytes{'R', 'I', 'C', 'O', 'Z', 0});
    ReadResult plain = Read(other.build());
    ASSERT_TRUE(plain.ok());
    EXPECT_EQ(testing::Pixel24(plain.image(), 0, 0), (Rgb{100, 110, 128}));
}

TEST(TiffRead, UnsupportedAndDamagedFilesGiveFailure)
{
    testing::UiRecorder ui;
    EXPECT_EQ(Read(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}).value(), 0);  // not TIFF: 0, not -1
    EXPECT_EQ(Read(Bytes{'I', 'I', 42, 0, 200, 0, 0, 0}).value(), 0);       // directory beyond the end
    EXPECT_EQ(Read(Picture(false, 2, 1, 16, 1, 1, {0, 0, 0, 0}).build()).value(), 0);
    EXPECT_EQ(Read(Picture(false, 2, 1, 8, 1, 1, {0, 0}).short1(259, 7).build()).value(), 0);
    // A strip that runs past the end of the file.
    const auto endingAt = [](std::uint32_t offset) {
        TiffFile f(false);
        f.short1(256, 2).short1(257, 2).short1(258, 8).long1(273, offset).long1(279, 4);
        return f.build();
    };
    EXPECT_EQ(Read(endingAt(std::uint32_t(endingAt(0).size() - 4))).value(), 1);
    EXPECT_EQ(Read(endingAt(std::uint32_t(endingAt(0).size() - 3))).value(), 0);

    // Hostile sizes: a huge picture with a tiny body, a strip past the end, a bad LZW code.
    EXPECT_EQ(Read(Picture(false, 65535, 65535, 1, 1, 1, {1, 2, 3}).build()).value(), 0);
    EXPECT_EQ(Read(Picture(false, 65535, 65535, 1, 1, 1, {1, 2, 3}).short1(259, 5).build()).value(), 0);
    TiffFile past(false);
    past.short1(256, 2).short1(257, 1).short1(258, 8).long1(273, 0x7FFFFFF0).long1(279, 2);
    past.blob(Bytes(16, 0));
    EXPECT_EQ(Read(past.build()).value(), 0);
    const Bytes bad = {0x80, 0x10, 0x65, 0x80};  // clear, 'A', then code 300 where 258 is the next
    EXPECT_EQ(Read(Picture(false, 4, 1, 8, 1, 1, bad).short1(259, 5).build()).value(), 0);
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_EQ(ReadTiff("/no/such/file.tif").value(), -2);
}

class TiffWrite : public ::testing::Test {
protected:
    void TearDown() override { CurrentSaveOptions() = SaveOptions{}; }
    Bytes write(const HDIB& dib, bool compress)
    {
        CurrentSaveOptions().compress = compress;
        MemorySink sink;
        EXPECT_EQ(WriteTiff(sink, dib), WriteResult::Written);
        return sink.take();
    }
    // The value of the entry with this tag, and its type and count.
    static std::array<std::uint32_t, 3> entry(const Bytes& f, std::uint16_t tag)
    {
        for (int i = 0; i < 16; ++i) {
            const std::uint8_t* e = &f[10 + 12 * i];
            if (LoadLE16(e) == tag)
                return {LoadLE16(e + 2), LoadLE32(e + 4), LoadLE32(e + 8)};
        }
        return {};
    }
    testing::UiRecorder ui;
};

TEST_F(TiffWrite, TheFixedLayoutOfABilevelPicture)
{
    HDIB dib = MakePicture(10, 3, 1, 2);
    dib.row(2)[0] = 0xC0;  // top row
    dib.header().biXPelsPerMeter = 11811;
    dib.header().biYPelsPerMeter = 3937;
    const Bytes f = write(dib, false);
    ASSERT_EQ(f.size(), 238u + 2 * 3);
    EXPECT_EQ(Bytes(f.begin(), f.begin() + 10), (Bytes{'I', 'I', 42, 0, 8, 0, 0, 0, 16, 0}));
    const std::uint16_t tags[16] = {256, 257, 258, 259, 262, 263, 269, 273, 274, 277, 278, 279, 282, 283, 284, 296};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(LoadLE16(&f[10 + 12 * i]), tags[i]);
    EXPECT_EQ(entry(f, 262), (std::array<std::uint32_t, 3>{3, 1, 1}));    // photometric 1
    EXPECT_EQ(entry(f, 263), (std::array<std::uint32_t, 3>{3, 1, 1}));  // the filler entry, valid for libtiff
    EXPECT_EQ(entry(f, 273)[2], 238u);
    EXPECT_EQ(entry(f, 279)[2], 6u);
    EXPECT_EQ(entry(f, 258), (std::array<std::uint32_t, 3>{3, 1, 1}));
    EXPECT_EQ(entry(f, 269), (std::array<std::uint32_t, 3>{2, 12, 222}));  // up to the name's zero
    EXPECT_EQ(entry(f, 296)[2], 2u);
    EXPECT_EQ(LoadLE32(&f[202]), 0u);
    EXPECT_EQ(Bytes(f.begin() + 206, f.begin() + 222), (Bytes{44, 1, 0, 0, 1, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(std::string(f.begin() + 222, f.begin() + 238), std::string("Verandolith\0\0\0\0\0", 16));
    EXPECT_EQ(f[238], 0xC0);  // top row first, two bytes a row
}

TEST_F(TiffWrite, SixteenPaletteColoursPutTheMapAt238AndPixelsAt334)
{
    HDIB dib = MakePicture(4, 1, 4, 16);
    dib.row(0)[0] = 0x1F;
    const Bytes f = write(dib, false);
    EXPECT_EQ(entry(f, 320), (std::array<std::uint32_t, 3>{3, 48, 238}));
    EXPECT_EQ(entry(f, 262)[2], 3u);
    EXPECT_EQ(entry(f, 273)[2], 334u);
    EXPECT_EQ(f.size(), 334u + 2);
    EXPECT_EQ(f[334], 0x1F);
    // Reds, then greens, then blues, each component in the high byte.
    EXPECT_EQ(LoadLE16(&f[238 + 2 * 5]), dib.colors()[5].rgbRed << 8);
    EXPECT_EQ(LoadLE16(&f[238 + 32 + 2 * 5]), dib.colors()[5].rgbGreen << 8);
    EXPECT_EQ(LoadLE16(&f[238 + 64 + 2 * 15]), dib.colors()[15].rgbBlue << 8);

    // A two-colour palette is written with photometric 1 and its map.
    const Bytes two = write(MakePicture(4, 1, 8, 2), false);
    EXPECT_EQ(entry(two, 262)[2], 1u);
    EXPECT_EQ(entry(two, 320)[1], 768u);  // the whole map of the depth: libtiff takes no other
}

TEST_F(TiffWrite, RgbGetsItsBitsPerSampleAt238AndRedFirst)
{
    HDIB dib = MakePicture(2, 1, 24);
    testing::SetPixel24(dib, 0, 0, {1, 2, 3});
    const Bytes f = write(dib, false);
    EXPECT_EQ(entry(f, 258), (std::array<std::uint32_t, 3>{3, 3, 238}));
    EXPECT_EQ(entry(f, 277)[2], 3u);
    EXPECT_EQ(entry(f, 262)[2], 2u);
    EXPECT_EQ(Bytes(f.begin() + 238, f.begin() + 244), (Bytes{8, 0, 8, 0, 8, 0}));
    EXPECT_EQ(entry(f, 273)[2], 244u);
    EXPECT_EQ(Bytes(f.begin() + 244, f.end()), (Bytes{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(testing::Pixel24(dib, 0, 0), (testing::Rgb{1, 2, 3}));  // the picture is left as it was

    const Bytes grey = write(testing::MakeGreyPicture(3, 3), false);
    EXPECT_EQ(entry(grey, 262)[2], 1u);
    EXPECT_EQ(entry(grey, 273)[2], 238u);
    EXPECT_EQ(entry(grey, 263)[1], 1u);
}

// Keeps what it is given, and how it was given: the writer's pixels should arrive in a few
// large writes, not row by row.
class RecordingSink final : public ByteSink {
public:
    bool write(const void* bytes, std::size_t count) override
    {
        sizes.push_back(count);
        return memory.write(bytes, count);
    }
    bool seek(std::uint64_t position) override { return memory.seek(position); }
    std::uint64_t position() const override { return memory.position(); }

    MemorySink memory;
    std::vector<std::size_t> sizes;
};

TEST_F(TiffWrite, PlainPixelsGoOutInLargeWritesAndReadBackWhole)
{
    CurrentSaveOptions().compress = false;
    struct Case {
        int width, height;
        unsigned bits;
        std::size_t mostWrites;  // the header's room, a colour map, the pixels' blocks, the header
    };
    // Rows that fill several blocks with a part-filled last one, rows of more than half a block,
    // and depths whose file rows are shorter than the picture's padded rows.
    for (const Case c : {Case{333, 800, 24, 6}, Case{65535, 3, 24, 5}, Case{1001, 700, 8, 5}, Case{333, 800, 1, 4}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + "x" + std::to_string(c.bits));
        HDIB dib = c.bits == 8 ? testing::MakeGreyPicture(c.width, c.height) : MakePicture(c.width, c.height, c.bits, c.bits == 1 ? 2 : 0);
        testing::FillPatterned(dib);
        RecordingSink sink;
        ASSERT_EQ(WriteTiff(sink, dib), WriteResult::Written);
        EXPECT_LE(sink.sizes.size(), c.mostWrites);
        const Bytes f = sink.memory.take();
        const std::size_t fileRow = (std::size_t(c.width) * c.bits + 7) / 8;
        EXPECT_EQ(entry(f, 279)[2], fileRow * std::size_t(c.height));
        EXPECT_EQ(f.size(), entry(f, 273)[2] + fileRow * std::size_t(c.height));
        const ReadResult back = testing::ReadFromBytes(f, [](ByteSource& s) { return ReadTiff(s); });
        ASSERT_TRUE(back.ok());
        EXPECT_TRUE(testing::SamePixels(back.image(), dib));
    }
}

}  // namespace
}  // namespace lv
