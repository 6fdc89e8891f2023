#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/gif/gif_blocks.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/save_options.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::MakePicture;
using Bytes = std::vector<std::uint8_t>;

Bytes SubBlocks(const Bytes& data)
{
    Bytes out;
    for (std::size_t i = 0; i < data.size(); i += 255) {
        const std::size_t n = std::min<std::size_t>(255, data.size() - i);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(i), data.begin() + std::ptrdiff_t(i + n));
    }
    out.push_back(0);
    return out;
}

// The minimum code size and the coded pixels, as the image data of a file.
Bytes ImageData(int rootBits, const Bytes& pixels)
{
    MemorySink sink;
    LzwEncoder encoder(LzwFlavour::Gif, rootBits, sink);
    encoder.begin();
    encoder.encode(pixels.data(), pixels.size());
    encoder.end();
    Bytes out{std::uint8_t(rootBits)};
    const Bytes blocks = SubBlocks(sink.bytes());
    out.insert(out.end(), blocks.begin(), blocks.end());
    return out;
}

// Hand-made GIF files, block by block; each image covers the whole screen.
class GifFile {
public:
    // A global table of 2^exponent entries when `table` isn't empty (red, green, blue each).
    GifFile(int width, int height, int exponent, const Bytes& table)
        : width_(std::uint16_t(width)), height_(std::uint16_t(height))
    {
        raw({'G', 'I', 'F', '8', '9', 'a'}).putSize();
        raw({std::uint8_t((table.empty() ? 0 : 0x80) | (exponent - 1)), 0, 0}).raw(table);
    }
    GifFile& raw(const Bytes& bytes)
    {
        b_.insert(b_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    GifFile& image(int rootBits, const Bytes& pixels)
    {
        raw({0x2C, 0, 0, 0, 0}).putSize();
        return raw({0}).raw(ImageData(rootBits, pixels));  // no local table, not interlaced
    }
    Bytes done() { return raw({0x3B}).b_; }

private:
    GifFile& putSize()
    {
        return raw({std::uint8_t(width_), std::uint8_t(width_ >> 8), std::uint8_t(height_), std::uint8_t(height_ >> 8)});
    }
    std::uint16_t width_, height_;
    Bytes b_;
};

ReadResult ReadBytes(const Bytes& file)
{
    return testing::ReadFromBytes(file, [](ByteSource& s) { return ReadGif(s); });
}

int PixelAt(const HDIB& dib, int x, int top)
{
    return int(PackedPixel(dib.row(dib.height() - 1 - top), x, dib.bitCount()));
}

Bytes TopDownPixels(const HDIB& dib)
{
    Bytes out;
    for (int top = 0; top < dib.height(); ++top)
        for (int x = 0; x < dib.width(); ++x)
            out.push_back(std::uint8_t(PixelAt(dib, x, top)));
    return out;
}

class GifCodec : public ::testing::Test {
protected:
    void TearDown() override { CurrentSaveOptions() = SaveOptions{}; }
    Bytes write(const HDIB& dib)
    {
        MemorySink sink;
        EXPECT_EQ(WriteGif(sink, dib), WriteResult::Written);
        return sink.take();
    }
    testing::UiRecorder ui;
};

TEST_F(GifCodec, TwoColourTablesAreBlackAndWhiteOnlyForTheLibraryReader)
{
    const Bytes file = GifFile(3, 1, 1, {255, 0, 0, 0, 0, 255}).image(2, {1, 0, 1}).done();
    HDIB library = ReadBytes(file).take(), stream = ReadGifStream(file);
    ASSERT_TRUE(library && stream);
    EXPECT_EQ(std::tuple(library.bitCount(), stream.bitCount(), library.row(0)[0], stream.row(0)[0]),
              std::tuple(1, 1, std::uint8_t(0xA0), std::uint8_t(0xA0)));
    EXPECT_EQ(testing::ColoursOf(library), (std::vector<testing::Rgb>{{0, 0, 0}, {255, 255, 255}}));
    EXPECT_EQ(testing::ColoursOf(stream), (std::vector<testing::Rgb>{{255, 0, 0}, {0, 0, 255}}));

    // Without a table the library reader still reads it; the stream reader can't.
    const Bytes bare = GifFile(3, 1, 1, {}).image(2, {1, 0, 1}).done();
    EXPECT_TRUE(ReadBytes(bare).ok() && !ReadGifStream(bare));
}

TEST_F(GifCodec, ACommaInACommentMisleadsOnlyTheLibraryReader)
{
    const Bytes comment = {0x21, 0xFE, 5, 'a', ',', 'b', 'c', 'd', 0};
    const Bytes file = GifFile(4, 4, 8, Bytes(768)).raw(comment).image(8, Bytes(16, 9)).done();
    HDIB stream = ReadGifStream(file);
    ASSERT_TRUE(stream);
    EXPECT_EQ(std::tuple(stream.width(), TopDownPixels(stream)), std::tuple(4, Bytes(16, 9)));
    ReadResult library = ReadBytes(file);
    EXPECT_FALSE(library.ok() && library.image().width() == 4 && TopDownPixels(library.image()) == Bytes(16, 9));

    // Without the comma both read it.
    Bytes plain = comment;
    plain[4] = '.';
    const Bytes clean = GifFile(4, 4, 8, Bytes(768)).raw(plain).image(8, Bytes(16, 9)).done();
    EXPECT_EQ(TopDownPixels(ReadBytes(clean).image()), Bytes(16, 9));
}

TEST_F(GifCodec, TheStreamReaderWalksExtensionsAndRecordsTheGraphicControl)
{
    const Bytes app = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    const Bytes control = {0x21, 0xF9, 4, 0x09, 0x2C, 0x01, 7, 0};  // disposal 2, transparent, delay 300
    const Bytes text = {0x21, 0x01, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 'h', 'i', 0};
    const Bytes file = GifFile(2, 1, 1, {0, 0, 0, 9, 9, 9}).raw(app).raw(control).raw(text).raw({0x99})
                           .image(2, {0, 1})
                           .done();
    const auto walk = WalkGifBlocks(file, 13 + 6);
    ASSERT_TRUE(walk && walk->control);
    const auto& c = *walk->control;
    EXPECT_EQ(std::tuple(int(c.delay), bool(c.transparent), int(c.transparentIndex), int(c.disposal)),
              std::tuple(300, true, 7, 2));
    EXPECT_EQ(walk->descriptor, 13 + 6 + app.size() + control.size() + text.size() + 1);
    HDIB dib = ReadGifStream(file);
    ASSERT_TRUE(dib);
    // The control isn't applied.
    EXPECT_EQ(std::tuple(dib.row(0)[0], dib.colors()[1].rgbGreen), (std::tuple<std::uint8_t, std::uint8_t>(0x40, 9)));

    // The trailer or an unknown label before any image ends the walk.
    for (const Bytes& before : {Bytes{0x3B}, Bytes{0x21, 0x77, 0}})
        EXPECT_FALSE(ReadGifStream(GifFile(2, 1, 1, {0, 0, 0, 9, 9, 9}).raw(before).image(2, {0, 1}).done()));
}

TEST_F(GifCodec, PixelsArePackedAtThePicturesDepthWhateverTheCodeSize)
{
    // A 16-colour table coded with 8-bit roots, as some encoders write it.
    const Bytes file = GifFile(3, 2, 4, Bytes(48)).image(8, {15, 1, 2, 3, 4, 5}).done();
    ReadResult r = ReadBytes(file);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(r.image().bitCount(), TopDownPixels(r.image())), std::tuple(4, Bytes{15, 1, 2, 3, 4, 5}));
}

TEST_F(GifCodec, DataEndingEarlyLeavesTheRestOfTheRowsAtZero)
{
    const Bytes whole = GifFile(4, 3, 8, Bytes(768)).image(8, Bytes(12, 5)).done();
    const Bytes cut(whole.begin(), whole.end() - 4);  // trailer, end of data and the last code bytes
    ReadResult r = ReadBytes(cut);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(std::tuple(PixelAt(r.image(), 0, 0), PixelAt(r.image(), 3, 2)), std::tuple(5, 0));
}

TEST_F(GifCodec, DamagedAndHostileFilesGiveFailure)
{
    const Bytes table(768);
    for (const Bytes& other : {Bytes{'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0}, Bytes{'B', 'M', 0, 0}})
        EXPECT_EQ(ReadBytes(other).value(), 0);
    const ReadResult missing = ReadGif("/no/such/file.gif");
    EXPECT_EQ(missing.value(), 0);
    EXPECT_EQ(missing.failure().notices,
              (std::vector<FailureNotice>{{"Não é possível abrir -- /no/such/file.gif", NoticeTitle::Warning}}));
    EXPECT_FALSE(missing.failure()) << "the open report names no cause";
    EXPECT_FALSE(ReadGifStream("/no/such/file.gif"));
    EXPECT_EQ(ReadBytes(GifFile(2, 2, 8, table).done()).value(), 0);  // no image
    // 4- and 8-bit pictures need a table.
    EXPECT_EQ(ReadBytes(GifFile(2, 1, 4, {}).image(4, {1, 2}).done()).value(), 0);
    // A code size of 0 or above 8.
    Bytes badRoot = GifFile(1, 1, 8, table).image(8, {1}).done();
    badRoot[13 + 768 + 10] = 9;
    EXPECT_EQ(ReadBytes(badRoot).value(), 0);
    // A huge picture with a tiny body.
    const Bytes huge = GifFile(65535, 65535, 1, {0, 0, 0, 255, 255, 255}).image(2, {1, 1}).done();
    EXPECT_TRUE(ReadBytes(huge).value() == 0 && !ReadGifStream(huge));
    // A code beyond the table: clear (256), 1, then 300 where 258 is the next free code.
    Bytes bad = GifFile(4, 1, 8, table).image(8, {1, 1, 1, 1}).done();
    const std::size_t data = 13 + 768 + 10 + 1;
    bad.resize(data);
    const std::uint32_t bits = 256 | 1 << 9 | 300 << 18;
    bad.insert(bad.end(), {4, std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16), std::uint8_t(bits >> 24), 0, 0x3B});
    EXPECT_TRUE(ReadBytes(bad).value() == 0 && !ReadGifStream(bad));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(GifCodec, WrittenHeadersFollowTheDepthAndTheOptions)
{
    HDIB eight = MakePicture(3, 2, 8, 100);
    Bytes f = write(eight);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 6), "GIF87a");
    EXPECT_EQ(Bytes(f.begin() + 6, f.begin() + 13), (Bytes{3, 0, 2, 0, 0xF7, 0, 0}));
    EXPECT_EQ(Bytes(f.begin() + 13 + 3 * 99, f.begin() + 13 + 3 * 100),
              (Bytes{eight.colors()[99].rgbRed, eight.colors()[99].rgbGreen, eight.colors()[99].rgbBlue}));
    EXPECT_EQ(Bytes(f.begin() + 13 + 300, f.begin() + 13 + 768), Bytes(468, 0));
    EXPECT_EQ(Bytes(f.begin() + 781, f.begin() + 792), (Bytes{0x2C, 0, 0, 0, 0, 3, 0, 2, 0, 0, 8}));
    EXPECT_EQ(f.back(), 0x3B);

    HDIB four = MakePicture(5, 1, 4, 16);
    four.row(0)[0] = 0xB0;  // top-left pixel 11
    CurrentSaveOptions().transparent = true;
    CurrentSaveOptions().interlace = true;
    f = write(four);
    EXPECT_EQ(std::string(f.begin(), f.begin() + 6), "GIF89a");
    EXPECT_EQ(f[10], 0xB3);
    EXPECT_EQ(Bytes(f.begin() + 61, f.begin() + 70), (Bytes{0x21, 0xF9, 4, 1, 0, 0, 11, 0, 0x2C}));
    EXPECT_EQ(Bytes(f.begin() + 78, f.begin() + 80), (Bytes{0x40, 4}));
    HDIB back = ReadGifStream(f);
    ASSERT_TRUE(back);
    EXPECT_TRUE(testing::SamePixels(four, back));
}

TEST_F(GifCodec, BilevelPicturesUseRootSize2AndAFirstWidthOf3)
{
    HDIB mono = MakePicture(8, 1, 1, 2);
    mono.row(0)[0] = 0xFF;
    const Bytes f = write(mono);
    // The root size comes after the two-entry table and the descriptor.
    EXPECT_EQ(std::tuple(f[10], f[13 + 6 + 10]), (std::tuple<std::uint8_t, std::uint8_t>(0x80, 2)));
    // Clear (4) then the first pixel (1), three bits each, low bits first.
    EXPECT_EQ(f[13 + 6 + 10 + 2] & 0x3F, 4 | 1 << 3);
    EXPECT_EQ(TopDownPixels(ReadBytes(f).image()), Bytes(8, 1));
}

TEST_F(GifCodec, AnInterlacedTenRowPictureIsStoredByPasses)
{
    HDIB dib = MakePicture(6, 10, 8, 256);
    for (int top = 0; top < 10; ++top)
        std::fill(dib.row(9 - top), dib.row(9 - top) + 6, std::uint8_t(top * 10));
    CurrentSaveOptions().interlace = true;
    const Bytes f = write(dib);
    ASSERT_EQ(f[13 + 768 + 9], 0x40);

    // The coded rows come in the order of the passes.
    class Rows final : public LzwOutput {
    public:
        bool write(const std::uint8_t* s, std::size_t n) override
        {
            for (std::size_t i = 0; i < n; ++i, ++count)
                if (count % 6 == 0)
                    firsts.push_back(s[i] / 10);
            return true;
        }
        std::vector<int> firsts;
        std::size_t count = 0;
    } rows;
    LzwDecoder decoder(LzwFlavour::Gif, 8);
    decoder.decode(GatherGifSubBlocks(f, 13 + 768 + 10 + 1), rows);
    EXPECT_EQ(rows.firsts, (std::vector<int>{0, 8, 4, 2, 6, 1, 3, 5, 7, 9}));
}

TEST_F(GifCodec, TrueColourPicturesAreRefusedWithTheMessageAndNoFile)
{
    testing::TempDir dir;
    HDIB rgb = MakePicture(4, 4, 24);
    const WriteResult refused = WriteGif(dir.file("rgb.gif"), rgb);
    EXPECT_EQ(refused, WriteResult::CannotCreate);
    EXPECT_EQ(refused.failure().problem, FileProblem::DepthNotWritable);
    EXPECT_EQ(refused.failure().notices, (std::vector<FailureNotice>{
                                             {"GIF file is not available for 24-bit true color image.", NoticeTitle::Warning}}));
    EXPECT_TRUE(ui.messages.empty() && !std::filesystem::exists(dir.file("rgb.gif")));
}

}  // namespace
}  // namespace lv
