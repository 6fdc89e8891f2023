// The convert that streams against the general way: the same bytes for every input it takes,
// the general way for the inputs it must not take, and damage in its input told alike with
// nothing left behind.

#include "common/byte_sink.h"
#include "common/little_endian.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/tests/pictures.h"
#include "tools/lumivista-tool/command.h"
#include "tools/lumivista-tool/image_io.h"
#include "tools/lumivista-tool/streamed_convert.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace lv::tool {
namespace {

const std::string kFixtures = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/tiff/";

std::vector<std::uint8_t> fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void saveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// File-order RGB with some noise, so LZW tables fill.
std::vector<std::uint8_t> photoBytes(int width, int height)
{
    std::vector<std::uint8_t> bytes(std::size_t(width) * std::size_t(height) * 3);
    std::uint32_t seed = 7;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = std::uint8_t(i / 3 % std::size_t(width) + (seed >> 16) % 16);
    }
    return bytes;
}

// An Intel-order RGB TIFF with its layout tags only, so no metadata: `pixels` in strips of
// `rowsPerStrip` rows, LZW-coded when asked.
std::vector<std::uint8_t> bareTiff(int width, int height, int rowsPerStrip, const std::vector<std::uint8_t>& pixels,
                                   bool lzw)
{
    const std::size_t stripBytes = std::size_t(width) * 3 * std::size_t(rowsPerStrip);
    std::vector<std::vector<std::uint8_t>> strips;
    for (std::size_t at = 0; at < pixels.size(); at += stripBytes) {
        const std::size_t count = std::min(stripBytes, pixels.size() - at);
        MemorySink coded;
        LzwEncoder encoder(LzwFlavour::Tiff, 8, coded);
        encoder.begin();
        encoder.encode(pixels.data() + at, count);
        EXPECT_TRUE(encoder.end());
        strips.push_back(lzw ? coded.take() : std::vector<std::uint8_t>(pixels.begin() + std::ptrdiff_t(at),
                                                                          pixels.begin() + std::ptrdiff_t(at + count)));
    }
    const auto n = std::uint32_t(strips.size());
    const std::uint32_t tables = 8 + 2 + 9 * 12 + 4, offsets = tables + 6, counts = offsets + 4 * n;
    testing::Bytes file;
    file.text("II").u16(42).u32(8).u16(9);
    const auto entry = [&](std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value) {
        file.u16(tag).u16(type).u32(count).u32(value);
    };
    entry(256, 4, 1, std::uint32_t(width));
    entry(257, 4, 1, std::uint32_t(height));
    entry(258, 3, 3, tables);
    entry(259, 3, 1, lzw ? 5 : 1);
    entry(262, 3, 1, 2);
    entry(273, 4, n, n == 1 ? counts + 4 : offsets);
    entry(277, 3, 1, 3);
    entry(278, 4, 1, std::uint32_t(rowsPerStrip));
    entry(279, 4, n, n == 1 ? std::uint32_t(strips[0].size()) : counts);
    file.u32(0).u16(8).u16(8).u16(8);
    std::uint32_t at = counts + 4 * n;
    for (const auto& strip : strips)
        file.u32(std::exchange(at, at + std::uint32_t(strip.size())));
    for (const auto& strip : strips)
        file.u32(std::uint32_t(strip.size()));
    for (const auto& strip : strips)
        file.bytes(strip);
    return file.data;
}

// What convert does with a TIFF when it may not stream.
int convertTheGeneralWay(const std::string& in, const std::string& out, bool removePersonal)
{
    ToolPicture picture = OpenPictureWithAlpha(in);
    if (picture.exitCode)
        return picture.exitCode;
    return WritePhoto(picture.image, picture.metadata, out, removePersonal, picture.facts);
}

class StreamedConvert : public ::testing::Test {
protected:
    void TearDown() override { CurrentSaveOptions() = SaveOptions{}; }

    // A photo as our writer makes it, at 200 dpi, compressed when asked.
    std::string writePhoto(const std::string& name, int width, int height, bool compress, bool profile)
    {
        HDIB photo = testing::MakePhotoLike(width, height);
        photo.header().biXPelsPerMeter = photo.header().biYPelsPerMeter = 7874;
        std::vector<std::uint8_t> icc(600);
        for (std::size_t i = 0; i < icc.size(); ++i)
            icc[i] = std::uint8_t(i * 7);
        MemorySink sink;
        CurrentSaveOptions().compress = compress;
        EXPECT_EQ(WriteTiff(sink, photo, profile ? std::span<const std::uint8_t>(icc) : std::span<const std::uint8_t>()),
                  WriteResult::Written);
        CurrentSaveOptions().compress = false;
        saveBytes(dir.file(name), sink.take());
        return dir.file(name);
    }
    std::string tagged(const std::string& name, const std::string& sets)
    {
        const std::string path = writePhoto(name, 301, 203, false, true);
        const auto tagged = testing::RunCommand("exiv2 -q " + sets + " " + testing::ShellQuote(path));
        EXPECT_EQ(tagged.exitCode, 0) << tagged.err;
        return path;
    }

    testing::TempDir dir;
};

TEST_F(StreamedConvert, WritesTheBytesTheGeneralWayWrites)
{
    const auto save = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        saveBytes(dir.file(name), bytes);
        return dir.file(name);
    };
    const std::string strips = save("strips.tif", bareTiff(301, 203, 16, photoBytes(301, 203), false));
    const std::string lzwStrips = save("lzw.tif", bareTiff(301, 203, 50, photoBytes(301, 203), true));
    const std::string tall = save("tall.tif", bareTiff(1001, 1500, 1500, photoBytes(1001, 1500), true));  // 3 pieces
    const std::string profiled = writePhoto("profiled.tif", 301, 203, true, true);
    const std::string exif = tagged("exif.tif", "-M'set Exif.Photo.DateTimeOriginal 2021:06:05 14:03:09'"
                                                " -M'set Exif.GPSInfo.GPSLatitudeRef S' -M'set Xmp.dc.title Praia'"
                                                " -M'set Iptc.Application2.Caption Praia'");
    struct Case {
        std::string in;
        bool compress;
        int threads;
        bool removePersonal;
    };
    const std::vector<Case> cases = {
        {strips, false, 1, false},
        {strips, true, 1, false},
        {lzwStrips, true, 2, false},
        {tall, true, 1, false},
        {tall, true, 2, false},
        {tall, true, 3, false},
        {tall, false, 0, false},
        {kFixtures + "pil_rgb.tif", true, 1, false},  // 300 dpi
        {kFixtures + "cp_be_rgb.tif", true, 1, false},  // Motorola order
        {kFixtures + "cp_be_lzw2_rgb.tif", false, 1, false},  // the predictor
        {profiled, false, 1, false},
        {exif, true, 1, false},
        {exif, false, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in + (c.compress ? " compressed" : "") + " threads " + std::to_string(c.threads) +
                     (c.removePersonal ? " stripped" : ""));
        CurrentSaveOptions().compress = c.compress;
        CurrentSaveOptions().threads = c.threads;
        ASSERT_EQ(convertTheGeneralWay(c.in, dir.file("general.tif"), c.removePersonal), kExitOk);
        EXPECT_EQ(ConvertStreamed(c.in, dir.file("streamed.tif"), c.removePersonal), std::optional<int>(kExitOk));
        const auto general = fileBytes(dir.file("general.tif"));
        EXPECT_GT(general.size(), 244u);
        EXPECT_TRUE(general == fileBytes(dir.file("streamed.tif")));
    }
}

TEST_F(StreamedConvert, LeavesToTheGeneralWayWhatNeedsThePicture)
{
    const std::string turned = tagged("turned.tif", "-M'set Exif.Image.Orientation 6'");
    const std::string plain = writePhoto("plain.tif", 31, 17, false, false);
    for (const auto& [in, out] : std::vector<std::pair<std::string, std::string>>{
             {turned, "turned-out.tif"}, {kFixtures + "cp_lzw_pal8.tif", "palette.tif"}, {plain, "plain.png"}}) {
        SCOPED_TRACE(in + " to " + out);
        EXPECT_FALSE(ConvertStreamed(in, dir.file(out), false).has_value());
        EXPECT_FALSE(std::filesystem::exists(dir.file(out)));
    }
}

TEST_F(StreamedConvert, DamageIsToldAsTheOpenTellsItAndLeavesNoFile)
{
    std::vector<std::uint8_t> cut = bareTiff(301, 203, 16, photoBytes(301, 203), false);
    cut.resize(cut.size() - 100);  // the last strip short
    saveBytes(dir.file("cut.tif"), cut);
    std::vector<std::uint8_t> bad = bareTiff(301, 203, 50, photoBytes(301, 203), true);
    const std::uint32_t second = LoadLE32(&bad[128 + 4]);
    bad[second + 1] = 0x7F;  // after the clear code, a string code where a root must come
    bad[second + 2] = 0xFF;
    saveBytes(dir.file("bad.tif"), bad);
    std::filesystem::create_directory(dir.file("out"));
    for (const std::string name : {"cut.tif", "bad.tif"}) {
        SCOPED_TRACE(name);
        const std::string in = dir.file(name);
        EXPECT_EQ(convertTheGeneralWay(in, dir.file("out/general.tif"), false), kExitCannotRead);
        EXPECT_EQ(ConvertStreamed(in, dir.file("out/streamed.tif"), false), std::optional<int>(kExitCannotRead));
        const auto told = testing::RunCommand(std::string(LV_TOOL) + " convert --compress " + testing::ShellQuote(in) +
                                              " " + testing::ShellQuote(dir.file("out/tool.tif")));
        EXPECT_EQ(told.exitCode, kExitCannotRead);
        EXPECT_EQ(told.err, "lumivista-tool: " + FileProblemMessage(FileFailure(FileProblem::Corrupt), in) + "\n");
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("out")));
    }
}

}  // namespace
}  // namespace lv::tool
