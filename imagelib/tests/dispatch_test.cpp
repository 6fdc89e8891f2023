#include "common/byte_sink.h"
#include "common/testing/notice_texts.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_convert.h"
#include "imagelib/codecs/document_open.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv {
namespace {

using testing::MakePicture;

class Dispatch : public ::testing::Test {
protected:
    std::string writeBitmap(const std::string& name, unsigned bits)
    {
        HDIB dib = MakePicture(5, 3, bits, bits == 24 ? 0 : 1u << bits);
        dib.row(1)[0] = 1;
        const std::string path = dir.file(name);
        EXPECT_EQ(WriteBmp(path, dib), WriteResult::Written);
        return path;
    }
    std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        return path;
    }
    // Two colours, red on the left and blue on the right.
    std::string redBlueGif(const std::string& name)
    {
        HDIB dib = MakePicture(2, 1, 1, 2);
        dib.colors()[0] = {0, 0, 255, 0};
        dib.colors()[1] = {255, 0, 0, 0};
        dib.row(0)[0] = 0x40;
        const std::string path = dir.file(name);
        EXPECT_EQ(WriteGif(path, dib), WriteResult::Written);
        return path;
    }

    testing::TempDir dir;
    testing::UiRecorder ui;
};

TEST(FileNames, TheThreeExtensionRules)
{
    // The other spellings of JPEG and TIFF are the program's own; ".jpeg" is five characters from the end.
    for (const auto& [name, want] : {std::pair{"a/b.jpeg", "JPG"}, {"foto.TIFF", "TIF"}, {"x.Jpe", "JPG"},
                                     {"a.dir/b", ""}, {"noext", ""}})
        EXPECT_EQ(DispatchExtension(name), want) << name;
    for (const auto& [name, want] : {std::pair{"photo.jpeg", ".JPG"}, {"scan.Tiff", ".TIF"}, {"photo.jpe", ".JPG"},
                                     {"photo.abcd", ""}, {"photo.Tif", ".TIF"}, {"x.ab", ".AB"}, {"a.b/cd", ""},
                                     {"c:x", ""}})
        EXPECT_EQ(SaveAsExtension(name), want) << name;
    for (const auto& [name, want] : {std::pair{"x.JPEG", "jpeg"}, {"x.abcde", ""}, {"x.", ""}})
        EXPECT_EQ(LoaderExtension(name), want) << name;
}

TEST_F(Dispatch, NamesWithoutADotAreReadAndWrittenAsBitmaps)
{
    HDIB dib = MakePicture(4, 4, 24);
    const std::string path = dir.file("plain");
    EXPECT_EQ(SaveImageFile(dib, path, true), WriteResult::Written);
    const LoadedImage loaded = LoadImageFileDetailed(path, true);
    ASSERT_TRUE(loaded.image);
    EXPECT_EQ(loaded.format->name, "BMP");
    EXPECT_TRUE(ui.messages.empty() && ui.busyDepth == 0 && ui.busyCount > 0);
}

TEST_F(Dispatch, UnknownExtensionsAreRefusedWithTheLibraryMessage)
{
    // Content without a signature (a Targa file) is dispatched by its name.
    HDIB rgb = MakePicture(3, 3, 24);
    MemorySink targa;
    ASSERT_EQ(WriteTarga(targa, rgb, false), WriteResult::Written);
    const std::string path = writeBytes("pic.xyz", targa.bytes());
    EXPECT_FALSE(LoadImageFile(path));
    EXPECT_TRUE(LoadImageFileDetailed(path, false).failure.notices.empty());
    const LoadedImage worded = LoadImageFileDetailed(path, true);
    EXPECT_EQ(std::tuple(worded.failure.problem, testing::NoticeTexts(worded.failure)),
              std::tuple(FileProblem::UnknownFormat, std::vector<std::string>{"Unknown file format --- " + path}));

    // An unknown name is refused with the library's words.
    HDIB dib = MakePicture(2, 2, 24);
    const WriteResult unknown = SaveImageFile(dib, dir.file("out.xyz"), false);
    EXPECT_EQ(unknown, WriteResult::Failed);
    EXPECT_EQ(testing::NoticeTexts(unknown.failure()), std::vector<std::string>{"Unknown file format"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Dispatch, LoadImageFile24AndTheDocumentOpenPromoteUnlessAskedNotTo)
{
    bool promoted = false;
    HDIB a = LoadImageFile24(writeBitmap("pal.bmp", 8), &promoted);
    ASSERT_TRUE(a);
    EXPECT_EQ(std::tuple(a.bitCount(), promoted), std::tuple(24, true));
    ASSERT_TRUE(LoadImageFile24(writeBitmap("rgb.bmp", 24), &promoted));
    EXPECT_FALSE(promoted);

    const std::string path = writeBitmap("mono.bmp", 1);
    OpenedImage doc = OpenDocumentImage(path, LibraryDocumentReaders());
    ASSERT_TRUE(doc.result.ok());
    EXPECT_EQ(std::tuple(doc.result.image().bitCount(), doc.format), std::tuple(24, std::string("BMP")));
    OpenOptions keep;
    keep.promoteTo24 = false;
    OpenedImage raw = OpenDocumentImage(path, LibraryDocumentReaders(), keep);
    ASSERT_TRUE(raw.result.ok());
    EXPECT_EQ(raw.result.image().bitCount(), 1);
}

TEST_F(Dispatch, DocumentOpenOfAnUnreadableFileCarriesItsCauseWithTheName)
{
    const std::string path = writeBytes("junk.bmp", {'B', 'M', 1, 2, 3});
    OpenedImage doc = OpenDocumentImage(path, LibraryDocumentReaders());
    EXPECT_FALSE(doc.result.ok());
    EXPECT_EQ(testing::NoticeTexts(doc.result.failure()),
              std::vector<std::string>{"O arquivo está incompleto. --- " + path});
    const std::string noise = writeBytes("noise.jpg", {1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(testing::NoticeTexts(OpenDocumentImage(noise, LibraryDocumentReaders()).result.failure()),
              std::vector<std::string>{"Formato de arquivo desconhecido. --- " + noise});

    OpenOptions quiet;
    quiet.showMessages = false;
    const OpenedImage cut = OpenDocumentImage(path, LibraryDocumentReaders(), quiet);
    EXPECT_EQ(std::tuple(cut.result.failure().problem, cut.result.failure().notices.empty()),
              std::tuple(FileProblem::Truncated, true));
    EXPECT_EQ(OpenDocumentImage(dir.file("absent.png"), LibraryDocumentReaders(), quiet).result.failure().problem,
              FileProblem::NotFound);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Dispatch, DocumentOpenFallsBackToPngThenLayeredReadersOnNotThisFormat)
{
    std::vector<std::string> tried;
    DocumentReaders readers;
    readers.png = [&](const std::string&) {
        tried.push_back("png");
        return ReadResult(ReadCode::NotThisFormat);
    };
    readers.layered = [&](const std::string&) {
        tried.push_back("layered");
        return ReadResult(MakePicture(2, 2, 24));
    };
    const std::vector<std::uint8_t> unsigned_ = {1, 2, 3, 4, 5, 6, 7, 8};  // no format's signature
    const std::string path = writeBytes("doc.vlf", unsigned_);
    // ".VLF" goes to the layered reader straight away.
    OpenedImage doc = OpenDocumentImage(path, readers);
    EXPECT_EQ(std::tuple(doc.result.ok(), doc.format, tried),
              std::tuple(true, std::string("VLF"), std::vector<std::string>{"layered"}));

    // A ".PNG" name that the PNG reader refuses is tried as a layered document next.
    tried.clear();
    doc = OpenDocumentImage(writeBytes("really.png", unsigned_), readers);
    EXPECT_EQ(std::tuple(doc.result.ok(), tried), std::tuple(true, std::vector<std::string>{"png", "layered"}));

    // A PNG reader's failure (0) goes on to the general loader, which for a ".png" name
    // asks the PNG reader once more.
    tried.clear();
    readers.png = [&](const std::string&) {
        tried.push_back("png");
        return tried.size() == 1 ? ReadResult(ReadCode::Failure) : ReadResult(MakePicture(2, 2, 8, 256));
    };
    doc = OpenDocumentImage(writeBytes("twice.png", unsigned_), readers);
    ASSERT_TRUE(doc.result.ok());
    EXPECT_EQ(std::tuple(doc.result.image().bitCount(), tried), std::tuple(24, std::vector<std::string>{"png", "png"}));

    // A broken file (-2) ends the open: silently when the reader has spoken for itself,
    // with the cause and the name when it gave one.
    readers.png = [](const std::string&) { return ReadResult(ReadCode::Broken); };
    doc = OpenDocumentImage(writeBytes("broken.png", unsigned_), readers);
    EXPECT_TRUE(doc.result.code() == ReadCode::Broken && doc.result.failure().notices.empty());
    readers.png = [](const std::string&) { return ReadResult(ReadCode::Broken, {FileProblem::Truncated, {}}); };
    const std::string broken = writeBytes("cut.png", unsigned_);
    EXPECT_EQ(testing::NoticeTexts(OpenDocumentImage(broken, readers).result.failure()),
              std::vector<std::string>{"O arquivo está incompleto. --- " + broken});

    // A real PNG that fails is read once, by the PNG reader alone.
    tried.clear();
    readers.png = [&](const std::string&) {
        tried.push_back("png");
        return ReadResult(ReadCode::NotThisFormat, {FileProblem::Corrupt, "CRC error"});
    };
    const std::string png = writeBytes("bad.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0});
    doc = OpenDocumentImage(png, readers);
    EXPECT_EQ(std::tuple(doc.result.ok(), tried), std::tuple(false, std::vector<std::string>{"png"}));
    EXPECT_EQ(testing::NoticeTexts(doc.result.failure()),
              std::vector<std::string>{"O arquivo está danificado (CRC error). --- " + png});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Dispatch, GeneralLoaderNeedsAShortExtensionAndPromotes)
{
    EXPECT_FALSE(LoadGeneralImage(writeBitmap("long.abcde", 24), LibraryDocumentReaders()).result.ok());
    EXPECT_FALSE(LoadGeneralImage(writeBitmap("nodot", 24), LibraryDocumentReaders()).result.ok());
    OpenedImage general = LoadGeneralImage(writeBitmap("four.bmp", 4), LibraryDocumentReaders());
    ASSERT_TRUE(general.result.ok());
    EXPECT_EQ(general.result.image().bitCount(), 24);

    SetBackgroundLoading(true);
    const int before = ui.busyCount;
    LoadGeneralImage(writeBitmap("quiet.bmp", 24), LibraryDocumentReaders());
    SetBackgroundLoading(false);
    EXPECT_EQ(ui.busyCount, before + 1);  // only the library dispatch's own hourglass
}

TEST_F(Dispatch, AFileNamedForAnotherFormatOpensWithTheReaderOfItsContent)
{
    HDIB rgb = MakePicture(3, 3, 24);
    MemorySink jpeg, tiff, targa;
    ASSERT_EQ(WriteJpeg(jpeg, rgb, 90), WriteResult::Written);
    ASSERT_EQ(WriteTiff(tiff, rgb), WriteResult::Written);
    ASSERT_EQ(WriteTarga(targa, rgb, false), WriteResult::Written);
    const std::string bitmap = writeBitmap("b.bmp", 24);
    const std::vector<std::uint8_t> gif = *ReadWholeFile(redBlueGif("g.gif"));
    const std::vector<std::uint8_t> bmp = *ReadWholeFile(bitmap);
    const struct {
        const char* name;
        const std::vector<std::uint8_t>& bytes;
        const char* format;  // null: not opened
    } cases[] = {
        {"bitmap.pcx", bmp, "BMP"},
        {"photo.bmp", jpeg.bytes(), "JPG"},
        {"gif.bmp", gif, "GIF"},
        {"tiff.bmp", tiff.bytes(), "TIF"},
        {"tiff.gif", tiff.bytes(), "TIF"},
        {"bitmap.jpg", bmp, "BMP"},
        {"photo.jpeg", jpeg.bytes(), "JPG"},
        {"targa.tga", targa.bytes(), "TGA"},
        // Without a signature the trial order still rules: the TIFF reader, second, ends it.
        {"targa.bmp", targa.bytes(), nullptr},
    };
    for (const auto& c : cases) {
        const LoadedImage loaded = LoadImageFileDetailed(writeBytes(c.name, c.bytes), true);
        EXPECT_EQ(bool(loaded.image), c.format != nullptr) << c.name;
        EXPECT_TRUE(!loaded.image || !c.format || loaded.format->name == c.format) << c.name;
    }
    // The document open too: a JPEG named .png, a PNG named .jpg.
    const std::string jpegAsPng = writeBytes("photo.png", jpeg.bytes());
    EXPECT_TRUE(OpenDocumentImage(jpegAsPng, LibraryDocumentReaders()).result.ok());
    HDIB photo = MakePicture(4, 4, 24);
    ASSERT_EQ(WritePng(dir.file("real.png"), photo), PngWriteResult::Written);
    std::filesystem::copy_file(dir.file("real.png"), dir.file("real.jpg"));
    const OpenedImage png = OpenDocumentImage(dir.file("real.jpg"), LibraryDocumentReaders());
    EXPECT_EQ(std::tuple(png.result.ok(), png.format), std::tuple(true, std::string("PNG")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Dispatch, DocumentsNamedGifTifOrPcxOpenThroughTheGeneralLoader)
{
    const std::string gif = redBlueGif("two.gif");
    const OpenedImage document = OpenDocumentImage(gif, LibraryDocumentReaders());
    ASSERT_TRUE(document.result.ok());
    EXPECT_EQ(document.format, "GIF");
    EXPECT_EQ(testing::PixelsAt(document.result.image(), {{0, 0}, {1, 0}}),
              (std::vector<testing::Rgb>{{255, 0, 0}, {0, 0, 255}}));

    // The Save-as type 3 writes a paintbrush file, which opens through the whole-file reader.
    HDIB pal8 = MakePicture(5, 3, 8, 256);
    testing::FillPatterned(pal8);
    std::string pcx = dir.file("saved");
    FileFailure failure;
    ASSERT_TRUE(SaveImageAs(pal8, pcx, kSaveAsPcx, failure));
    EXPECT_EQ(pcx, dir.file("saved.PCX"));
    const OpenedImage paintbrush = OpenDocumentImage(pcx, LibraryDocumentReaders());
    ASSERT_TRUE(paintbrush.result.ok());
    EXPECT_EQ(std::tuple(paintbrush.format, paintbrush.result.image().header().biXPelsPerMeter),
              std::tuple(std::string("PCX"), 1024));
    EXPECT_TRUE(testing::SamePixels(paintbrush.result.image(), DibPromoteTo24(pal8)));

    std::filesystem::copy_file(gif, dir.file("two.tif"));
    const OpenedImage misnamed = OpenDocumentImage(dir.file("two.tif"), LibraryDocumentReaders());
    ASSERT_TRUE(misnamed.result.ok());
    EXPECT_EQ(std::tuple(misnamed.format, testing::Pixel24(misnamed.result.image(), 0, 0)),
              std::tuple(std::string("GIF"), testing::Rgb{255, 0, 0}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Dispatch, RgbPicturesBecomeAdaptiveOrWebPalettesOnTheWayToGif)
{
    HDIB rgb = MakePicture(16, 16, 24);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            testing::SetPixel24(rgb, x, y, x < 8 ? testing::Rgb{16, 32, 64} : testing::Rgb{200, 104, 48});
    const auto has = [](const HDIB& dib, testing::Rgb c) {
        return std::any_of(dib.colors(), dib.colors() + 256,
                           [c](RgbQuad q) { return q.rgbRed == c.r && q.rgbGreen == c.g && q.rgbBlue == c.b; });
    };

    ASSERT_EQ(SaveImageFile(rgb, dir.file("adaptive.gif"), true), WriteResult::Written);
    HDIB adaptive = ReadGif(dir.file("adaptive.gif")).take();
    ASSERT_TRUE(adaptive);
    EXPECT_EQ(adaptive.bitCount(), 8);
    // Five bits a channel, widened again.
    EXPECT_TRUE(has(adaptive, {16, 33, 66}) && has(adaptive, {206, 107, 49}));

    std::string path = dir.file("web.gif");
    FileFailure failure;
    ASSERT_TRUE(SaveImageAs(rgb, path, kSaveAsBmp, failure));
    HDIB web = ReadGif(path).take();
    ASSERT_TRUE(web);
    EXPECT_EQ(std::tuple(web.colors()[215].rgbRed, web.colors()[1].rgbRed),
              (std::tuple<std::uint8_t, std::uint8_t>(255, 51)));
    EXPECT_FALSE(has(web, {16, 33, 66}));
    EXPECT_EQ(rgb.bitCount(), 24);  // the picture itself is untouched
}

}  // namespace
}  // namespace lv
