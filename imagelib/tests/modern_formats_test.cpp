// WebP, AVIF, HEIC and JPEG XL against their reference tools in both directions, camera raw
// through a DNG made here.

#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/save_options.h"
#include "interop_script.h"
#include "ppm.h"

#include <gtest/gtest.h>

#include <fstream>

// x265 keeps one buffer for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:x265_malloc\n";
}

namespace lv {
namespace {

void writePpm(const HDIB& picture, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width() << " " << picture.height() << "\n255\n";
    for (int top = 0; top < picture.height(); ++top)
        for (int x = 0; x < picture.width(); ++x) {
            const std::uint8_t* p = picture.row(picture.height() - 1 - top) + 3 * x;
            out.put(char(p[2])).put(char(p[1])).put(char(p[0]));
        }
}

HDIB fromRaster(const testing::RgbRaster& raster)
{
    HDIB picture = AllocatePicture(raster.width, raster.height, 24, 0);
    for (int top = 0; top < raster.height; ++top)
        for (int x = 0; x < raster.width; ++x)
            testing::SetPixel24(picture, x, raster.height - 1 - top, raster.at(x, top));
    return picture;
}

bool run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

bool convert(const std::string& in, const std::string& out)
{
    return testing::RunInteropScript("picture_convert.py", in + " " + out) == 0;
}

struct Format {
    const char* extension;
    const char* encode;    // the reference encoder: IN.png OUT
    const char* decode;    // the reference decoder: IN OUT.png
    bool lossless;         // written by us without loss
    double tolerance;      // mean difference allowed after the lossy round trips
};

const Format kFormats[] = {
    {"webp", "cwebp -quiet -q 90 %in -o %out", "dwebp -quiet %in -o %out", false, 6},
    {"webp", "cwebp -quiet -lossless %in -o %out", "dwebp -quiet %in -o %out", true, 0},
    {"avif", "avifenc -s 8 --min 0 --max 20 %in %out", "avifdec %in %out", false, 8},
    {"heic", "heif-enc -q 90 %in -o %out", "heif-convert %in %out", false, 8},
    {"jxl", "cjxl %in %out -d 1", "djxl %in %out", false, 6},
    {"jxl", "cjxl %in %out -d 0", "djxl %in %out", true, 0},
};

std::string fill(std::string command, const std::string& in, const std::string& out)
{
    command.replace(command.find("%in"), 3, in);
    command.replace(command.find("%out"), 4, out);
    return command;
}

TEST(ModernFormats, RoundTripsAgainstTheReferenceTools)
{
    testing::UiRecorder ui;
    testing::TempDir dir;
    const HDIB original = testing::MakePhotoLike(150, 101);
    writePpm(original, dir.file("original.ppm"));
    ASSERT_TRUE(convert(dir.file("original.ppm"), dir.file("original.png")));
    for (const Format& format : kFormats) {
        SCOPED_TRACE(std::string(format.extension) + (format.lossless ? " lossless" : ""));
        // Theirs read by us, through the dispatch, under a name of another format.
        const std::string theirs = dir.file("theirs.jpg");
        ASSERT_TRUE(run(fill(format.encode, dir.file("original.png"), theirs)));
        const HDIB read = LoadImageFile(theirs);
        ASSERT_TRUE(read);
        ASSERT_EQ(read.width(), 150);
        ASSERT_EQ(read.height(), 101);
        EXPECT_LE(testing::MeanDifference(read, original), format.tolerance + 0.001);
        // The document open (the window, the tool) and the general loader (slide show, prints).
        const std::string named = dir.file(std::string("theirs.") + format.extension);
        std::filesystem::copy_file(theirs, named, std::filesystem::copy_options::overwrite_existing);
        EXPECT_TRUE(OpenDocumentImage(named, LibraryDocumentReaders()).result.ok());
        EXPECT_TRUE(LoadGeneralImage(named, LibraryDocumentReaders()).result.ok());

        // Ours read by theirs.
        CurrentSaveOptions().jpegQuality = 90;
        CurrentSaveOptions().lossless = format.lossless;
        HDIB copy = DibDuplicate(original);
        const std::string ours = dir.file(std::string("ours.") + format.extension);
        ASSERT_EQ(SaveImageFile(copy, ours, true), WriteResult::Written);
        ASSERT_TRUE(run(fill(format.decode, ours, dir.file("decoded.png"))));
        ASSERT_TRUE(convert(dir.file("decoded.png"), dir.file("decoded.ppm")));
        const auto decoded = testing::ReadPpm(dir.file("decoded.ppm"));
        ASSERT_TRUE(decoded);
        EXPECT_LE(testing::MeanDifference(fromRaster(*decoded), original), format.tolerance + 0.001);

    }
    CurrentSaveOptions() = {};
}

// Red on the left and blue on the right of a grey ramp, as the DNG maker draws them.
void expectDngColours(const HDIB& picture)
{
    const int y = picture.height() / 2;
    const testing::Rgb left = testing::Pixel24(picture, picture.width() / 8, y);
    const testing::Rgb right = testing::Pixel24(picture, picture.width() * 7 / 8, y);
    EXPECT_GT(left.r, left.b + 60);
    EXPECT_GT(right.b, right.r + 60);
    EXPECT_NEAR(left.g, left.b, 20);
}

TEST(ModernFormats, CameraRawDevelopsAtFullSizeAndItsPreviewIsQuick)
{
    testing::UiRecorder ui;
    testing::TempDir dir;
    const std::string plain = dir.file("plain.dng"), previewed = dir.file("previewed.nef");
    ASSERT_EQ(testing::RunInteropScript("make_dng.py", plain + " 96 64"), 0);
    ASSERT_EQ(testing::RunInteropScript("make_dng.py", previewed + " 96 64 --preview 48"), 0);

    const LoadedImage developed = LoadImageFileDetailed(plain, true);
    ASSERT_TRUE(developed.image);
    EXPECT_EQ(developed.format->name, "DNG");
    EXPECT_EQ(developed.image.width(), 96);
    EXPECT_EQ(developed.image.height(), 64);
    expectDngColours(developed.image);
    const HDIB throughTiffName = LoadImageFile(previewed);  // TIFF inside, raw by its name
    ASSERT_TRUE(throughTiffName);
    EXPECT_EQ(throughTiffName.width(), 96);

    const ReadResult preview = ReadCameraRawPreview(previewed);
    ASSERT_TRUE(preview.ok());
    EXPECT_EQ(preview.image().width(), 48);
    EXPECT_TRUE(preview.facts().alreadyUpright);
    expectDngColours(preview.image());
    const ReadResult halfSize = ReadCameraRawPreview(plain);  // no preview: developed small
    ASSERT_TRUE(halfSize.ok());
    EXPECT_EQ(halfSize.image().width(), 48);
}

}  // namespace
}  // namespace lv
