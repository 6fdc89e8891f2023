#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/bmp.h"
#include "imagelib/document_open.h"
#include "imagelib/file_names.h"
#include "imagelib/load_save.h"
#include "pictures.h"

#include <gtest/gtest.h>

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

    testing::TempDir dir;
    testing::UiRecorder ui;
};

TEST(FileNames, TheThreeExtensionRules)
{
    EXPECT_EQ(DispatchExtension("a/b.jpeg"), "JPEG");
    EXPECT_EQ(DispatchExtension("a.dir/b"), "");
    EXPECT_EQ(DispatchExtension("noext"), "");

    EXPECT_EQ(SaveAsExtension("photo.jpeg"), "");  // the dot is five characters from the end
    EXPECT_EQ(SaveAsExtension("photo.Tif"), ".TIF");
    EXPECT_EQ(SaveAsExtension("x.ab"), ".AB");
    EXPECT_EQ(SaveAsExtension("a.b/cd"), "");
    EXPECT_EQ(SaveAsExtension("c:x"), "");

    EXPECT_EQ(LoaderExtension("x.JPEG"), "jpeg");
    EXPECT_EQ(LoaderExtension("x.abcde"), "");
    EXPECT_EQ(LoaderExtension("x."), "");
}

TEST_F(Dispatch, NamesWithoutADotAreReadAndWrittenAsBitmaps)
{
    HDIB dib = MakePicture(4, 4, 24);
    const std::string path = dir.file("plain");
    EXPECT_EQ(SaveImageFile(dib, path, true), WriteResult::Written);
    const LoadedImage loaded = LoadImageFileDetailed(path, true);
    ASSERT_TRUE(loaded.image);
    EXPECT_EQ(loaded.format->name, "BMP");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_GT(ui.busyCount, 0);
}

TEST_F(Dispatch, UnknownExtensionsAreRefusedWithTheLibraryMessage)
{
    const std::string path = writeBitmap("pic.xyz", 24);
    EXPECT_FALSE(LoadImageFile(path, false));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(LoadImageFile(path, true));
    ASSERT_EQ(ui.texts(), std::vector<std::string>{"Unknown file format"});
    EXPECT_EQ(ui.messages[0].title, "Atenção");

    // Writing knows only the seven slot names: "JPEG" is a reading name.
    HDIB dib = MakePicture(2, 2, 24);
    EXPECT_EQ(SaveImageFile(dib, dir.file("out.jpeg"), false), WriteResult::Failed);
    EXPECT_EQ(ui.texts().back(), "Unknown file format");
}

TEST_F(Dispatch, AFailedWriteShowsTheDiskMessageOnlyWhenAsked)
{
    HDIB dib = MakePicture(2, 2, 24);
    EXPECT_EQ(SaveImageFile(dib, dir.file("no/such.bmp"), false), WriteResult::Failed);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(SaveImageFile(dib, dir.file("no/such.bmp"), true), WriteResult::Failed);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Espaço de disco insuficiente ou erro no disco."});
}

TEST_F(Dispatch, LoadImageFile24PromotesAndSaysSo)
{
    const std::string pal = writeBitmap("pal.bmp", 8);
    const std::string rgb = writeBitmap("rgb.bmp", 24);
    bool promoted = false;
    HDIB a = LoadImageFile24(pal, &promoted, false);
    ASSERT_TRUE(a);
    EXPECT_EQ(a.bitCount(), 24);
    EXPECT_TRUE(promoted);
    HDIB b = LoadImageFile24(rgb, &promoted, false);
    ASSERT_TRUE(b);
    EXPECT_FALSE(promoted);
}

TEST_F(Dispatch, DocumentOpenPromotesUnlessAskedToKeepTheDepth)
{
    const std::string path = writeBitmap("mono.bmp", 1);
    OpenedImage doc = OpenDocumentImage(path, LibraryDocumentReaders());
    ASSERT_TRUE(doc.result.ok());
    EXPECT_EQ(doc.result.image().bitCount(), 24);
    EXPECT_EQ(doc.format, "BMP");

    OpenOptions keep;
    keep.promoteTo24 = false;
    OpenedImage raw = OpenDocumentImage(path, LibraryDocumentReaders(), keep);
    ASSERT_TRUE(raw.result.ok());
    EXPECT_EQ(raw.result.image().bitCount(), 1);
}

TEST_F(Dispatch, DocumentOpenOfAnUnreadableFileShowsTheUnknownFormatString)
{
    const std::string path = writeBytes("junk.bmp", {'B', 'M', 1, 2, 3});
    OpenedImage doc = OpenDocumentImage(path, LibraryDocumentReaders());
    EXPECT_FALSE(doc.result.ok());
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido."});

    OpenOptions quiet;
    quiet.showMessages = false;
    OpenDocumentImage(path, LibraryDocumentReaders(), quiet);
    EXPECT_EQ(ui.messages.size(), 1u);
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
    const std::string path = writeBitmap("doc.vlf", 24);
    // ".VLF" goes to the layered reader straight away.
    OpenedImage doc = OpenDocumentImage(path, readers);
    EXPECT_TRUE(doc.result.ok());
    EXPECT_EQ(doc.format, "VLF");
    EXPECT_EQ(tried, std::vector<std::string>{"layered"});

    // A ".PNG" name that the PNG reader refuses is tried as a layered document next.
    tried.clear();
    doc = OpenDocumentImage(writeBitmap("really.png", 24), readers);
    EXPECT_TRUE(doc.result.ok());
    EXPECT_EQ(tried, (std::vector<std::string>{"png", "layered"}));

    // A PNG reader's failure (0) goes on to the general loader, which for a ".png" name
    // asks the PNG reader once more.
    tried.clear();
    readers.png = [&](const std::string&) {
        tried.push_back("png");
        return tried.size() == 1 ? ReadResult(ReadCode::Failure) : ReadResult(MakePicture(2, 2, 8, 256));
    };
    doc = OpenDocumentImage(writeBitmap("twice.png", 8), readers);
    ASSERT_TRUE(doc.result.ok());
    EXPECT_EQ(doc.result.image().bitCount(), 24);
    EXPECT_EQ(tried, (std::vector<std::string>{"png", "png"}));

    // A broken file (-2) ends the open silently.
    readers.png = [](const std::string&) { return ReadResult(ReadCode::Broken); };
    doc = OpenDocumentImage(writeBitmap("broken.png", 8), readers);
    EXPECT_EQ(doc.result.code(), ReadCode::Broken);
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

}  // namespace
}  // namespace lv
