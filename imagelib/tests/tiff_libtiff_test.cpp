// Our TIFF files as libtiff reads them: not one warning, and the same pixels.

#include "common/testing/temp_dir.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "pictures.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace lv {
namespace {

std::vector<std::string>& heard()
{
    static std::vector<std::string> messages;
    return messages;
}

void record(const char* module, const char* format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    heard().push_back(std::string(module ? module : "") + ": " + text);
}

struct LibtiffListener {
    LibtiffListener()
        : warnings(TIFFSetWarningHandler(record))
        , errors(TIFFSetErrorHandler(record))
    {
        heard().clear();
    }
    ~LibtiffListener()
    {
        TIFFSetWarningHandler(warnings);
        TIFFSetErrorHandler(errors);
    }
    TIFFErrorHandler warnings, errors;
};

// The picture's rows as libtiff decodes them, top first, or empty on failure.
std::vector<std::uint8_t> decodedByLibtiff(const std::string& path)
{
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tiff)
        return {};
    std::uint32_t height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    const auto rowBytes = std::size_t(TIFFScanlineSize(tiff.get()));
    std::vector<std::uint8_t> bytes(rowBytes * height);
    for (std::uint32_t y = 0; y < height; ++y)
        if (TIFFReadScanline(tiff.get(), bytes.data() + y * rowBytes, y) < 0)
            return {};
    return bytes;
}

std::vector<std::uint8_t> fileRows(const HDIB& dib)
{
    const std::size_t rowBytes = (std::size_t(dib.bitCount()) * std::size_t(dib.width()) + 7) / 8;
    std::vector<std::uint8_t> rows;
    for (int y = dib.height() - 1; y >= 0; --y) {
        const std::uint8_t* row = dib.row(y);
        for (std::size_t i = 0; i < rowBytes; ++i)
            rows.push_back(dib.bitCount() == 24 ? row[i - i % 3 + 2 - i % 3] : row[i]);
    }
    return rows;
}

TEST(TiffAsLibtiffReadsIt, EveryKindWithAndWithoutLzwWithoutAWarning)
{
    testing::TempDir dir;
    HDIB palette = testing::MakePicture(97, 31, 8, 64);  // fewer colours than the depth allows
    testing::FillPatterned(palette);
    HDIB bilevel = testing::MakePicture(33, 9, 1, 2);
    testing::FillPatterned(bilevel);
    HDIB grey = testing::MakeGreyPicture(50, 20);
    testing::FillPatterned(grey);
    const HDIB pictures[] = {testing::MakePhotoLike(301, 203), std::move(palette), std::move(bilevel), std::move(grey)};
    for (const HDIB& picture : pictures) {
        for (const bool lzw : {false, true}) {
            SCOPED_TRACE(std::to_string(picture.bitCount()) + (lzw ? "-bit LZW" : "-bit plain"));
            const std::string path = dir.file("out.tif");
            CurrentSaveOptions().compress = lzw;
            ASSERT_EQ(WriteTiff(path, picture), WriteResult::Written);
            CurrentSaveOptions().compress = false;
            LibtiffListener listener;
            EXPECT_EQ(decodedByLibtiff(path), fileRows(picture));
            EXPECT_EQ(heard(), std::vector<std::string>{});
            // A short palette comes back whole at the front of the depth's map.
            const ReadResult back = ReadTiff(path);
            ASSERT_TRUE(back.ok());
            EXPECT_EQ(back.image().clrUsed(), picture.clrUsed() ? 1u << picture.bitCount() : 0u);
            const unsigned kept = picture.bitCount() == 8 ? picture.clrUsed() : 0;  // bilevel is black and white
            EXPECT_TRUE(std::equal(picture.colors(), picture.colors() + kept, back.image().colors(),
                                   [](RgbQuad a, RgbQuad b) { return a.rgbRed == b.rgbRed && a.rgbBlue == b.rgbBlue; }));
        }
    }
}

TEST(TiffAsLibtiffReadsIt, LzwPiecesCodedOnWorkersGiveTheSameFileAsOneThread)
{
    // Three pieces of rows, each starting a new table mid-strip: coded by one thread, by
    // waves of two, and all at once, then joined at bit offsets that aren't whole bytes.
    testing::TempDir dir;
    std::mt19937 rng(5);
    HDIB picture = testing::MakePicture(1001, 1500, 24);
    for (int y = 0; y < picture.height(); ++y)
        for (int i = 0; i < 3 * 1001; ++i)
            picture.row(y)[i] = std::uint8_t(i < 1500 ? rng() : (i + y) / 7);
    std::vector<std::vector<char>> files;
    CurrentSaveOptions().compress = true;
    for (const int threads : {1, 2, 3}) {
        CurrentSaveOptions().threads = threads;
        const std::string path = dir.file("pieces" + std::to_string(threads) + ".tif");
        ASSERT_EQ(WriteTiff(path, picture), WriteResult::Written);
        std::ifstream in(path, std::ios::binary);
        files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (threads == 1) {
            LibtiffListener listener;
            EXPECT_TRUE(decodedByLibtiff(path) == fileRows(picture));
            EXPECT_EQ(heard(), std::vector<std::string>{});
        }
    }
    CurrentSaveOptions() = {};
    EXPECT_TRUE(files[1] == files[0]);
    EXPECT_TRUE(files[2] == files[0]);
}

}  // namespace
}  // namespace lv
