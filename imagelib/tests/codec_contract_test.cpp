// What every file codec promises alike: lossless round trips of every depth it writes, its
// writer's results for the usual failures, progress every 16 rows, Esc, and the dispatch
// finding it by name.

#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "common/testing/notice_texts.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <functional>

namespace lv {
namespace {

using Progress = std::vector<std::pair<std::string, int>>;

struct Kind {
    unsigned bits;
    unsigned colours;  // 1: the grey table
};
const Kind kMono{1, 2}, kPal4{4, 16}, kPal8{8, 256}, kShortPal8{8, 100}, kGrey{8, 1}, kRgb{24, 0};

// Stream writers follow the Save-as options, as the file writers do.
struct Codec {
    const char* name;  // as the format table names it
    unsigned bits;     // of the picture it is given in the contract's other tests
    std::function<WriteResult(const std::string&, HDIB&)> writeFile;
    std::function<WriteResult(ByteSink&, const HDIB&)> writeStream;
    std::function<ReadResult(ByteSource&)> read;
    WriteResult missingFolder;      // writing into a folder that isn't there
    std::vector<int> readPercents;  // reported while reading 40 rows
    std::vector<Kind> lossless;     // pictures that come back unchanged
    bool keepsResolution;
};

const std::vector<Codec>& Codecs()
{
    static const std::vector<Codec> codecs = {
        {"BMP", 24, [](const std::string& p, HDIB& d) { return WriteBmp(p, d); },
         [](ByteSink& s, const HDIB& d) { HDIB copy = DibDuplicate(d); return WriteBmp(s, copy); },
         [](ByteSource& s) { return ReadBmp(s); }, WriteResult::Failed, {}, {kMono, kPal4, kPal8, kShortPal8, kGrey, kRgb},
         true},
        {"TIF", 24, [](const std::string& p, HDIB& d) { return WriteTiff(p, d); },
         [](ByteSink& s, const HDIB& d) { return WriteTiff(s, d); }, [](ByteSource& s) { return ReadTiff(s); },
         WriteResult::CannotCreate, {0, 40, 80}, {kMono, kPal4, kPal8, kGrey, kRgb}, true},  // maps fill 2^depth
        {"PCX", 24, [](const std::string& p, HDIB& d) { return WritePcx(p, d); },
         [](ByteSink& s, const HDIB& d) { return WritePcx(s, d); }, [](ByteSource& s) { return ReadPcx(s); },
         WriteResult::CannotCreate, {0, 40, 80}, {kMono, kPal4, kPal8, kGrey, kRgb}, true},
        // The GIF reader reports once a stretch of 16 rows is done.
        {"GIF", 8, [](const std::string& p, HDIB& d) { return WriteGif(p, d); },
         [](ByteSink& s, const HDIB& d) { return WriteGif(s, d); }, [](ByteSource& s) { return ReadGif(s); },
         WriteResult::CannotCreate, {40, 80}, {kMono, kPal4, kPal8, kGrey}, false},
        {"TGA", 24, [](const std::string& p, HDIB& d) { return WriteTarga(p, d); },
         [](ByteSink& s, const HDIB& d) { return WriteTarga(s, d, CurrentSaveOptions().compress); },
         [](ByteSource& s) { return ReadTarga(s); }, WriteResult::CannotCreate, {0, 40, 80},
         {kMono, kPal4, kShortPal8, kGrey, kRgb}, false},
        {"JPG", 24, [](const std::string& p, HDIB& d) { return WriteJpeg(p, d, 90); },
         [](ByteSink& s, const HDIB& d) { return WriteJpeg(s, d, 90); }, [](ByteSource& s) { return ReadJpeg(s); },
         WriteResult::CannotCreate, {0, 40, 80}, {}, true},
    };
    return codecs;
}

HDIB PictureFor(const Codec& codec, int width, int height)
{
    if (codec.bits == 24)
        return testing::MakePhotoLike(width, height);
    HDIB dib = testing::MakePicture(width, height, codec.bits, 1u << codec.bits);
    testing::FillPatterned(dib);
    return dib;
}

TEST(CodecContract, EveryDepthRoundTripsWithItsTableAndPadding)
{
    testing::UiRecorder ui;
    for (const Codec& codec : Codecs())
        for (const Kind& kind : codec.lossless)
            // Compressed TIFF and Targa files, interlaced GIF files.
            for (const bool option : {false, true}) {
                SCOPED_TRACE(std::string(codec.name) + " " + std::to_string(kind.bits) + " bits, " +
                             std::to_string(kind.colours) + " colours" + (option ? ", with the option" : ""));
                CurrentSaveOptions().compress = CurrentSaveOptions().interlace = option;
                // 1203 one-bit pixels are 151 bytes: a run longer than any packet even there.
                HDIB dib = kind.colours == 1 ? testing::MakeGreyPicture(1203, 5)
                                             : testing::MakePicture(1203, 5, kind.bits, kind.colours);
                testing::FillPatterned(dib);
                if (kind.bits == 1)
                    dib.colors()[0] = {0, 0, 0, 0}, dib.colors()[1] = {255, 255, 255, 0};
                dib.header().biXPelsPerMeter = 3937;
                dib.header().biYPelsPerMeter = 11811;
                MemorySink sink;
                ASSERT_EQ(codec.writeStream(sink, dib), WriteResult::Written);
                const ReadResult back = testing::ReadFromBytes(sink.bytes(), codec.read);
                ASSERT_TRUE(back.ok());
                const HDIB& got = back.image();
                ASSERT_EQ(std::tuple(got.bitCount(), got.clrUsed()), std::tuple(dib.bitCount(), dib.clrUsed()));
                EXPECT_EQ(testing::ColoursOf(got), testing::ColoursOf(dib));
                for (int y = 0; y < dib.height(); ++y)
                    ASSERT_TRUE(std::equal(dib.row(y), dib.row(y) + dib.stride(), got.row(y))) << "row " << y;
                EXPECT_TRUE(!codec.keepsResolution ||
                            (got.header().biXPelsPerMeter == 3937 && got.header().biYPelsPerMeter == 11811));
            }
    CurrentSaveOptions() = {};
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CodecContract, WritersAnswerNoPictureAMissingFolderAndAFullDisk)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    std::vector<std::string> said;
    for (const Codec& codec : Codecs()) {
        SCOPED_TRACE(codec.name);
        HDIB none;
        const WriteResult nothing = codec.writeFile(dir.file("none"), none);
        EXPECT_EQ(nothing, WriteResult::NotWritten);
        for (const std::string& text : testing::NoticeTexts(nothing.failure()))
            said.push_back(std::string(codec.name) + ": " + text);
        HDIB picture = PictureFor(codec, 64, 64);
        const WriteResult missing = codec.writeFile(dir.file("missing/a"), picture);
        EXPECT_TRUE(missing == codec.missingFolder && missing.failure().notices.empty()) << missing.code();
        const WriteResult full = codec.writeFile("/dev/full", picture);
        EXPECT_TRUE(full == WriteResult::Failed && full.failure().notices.empty()) << full.code();
    }
    // Only the JPEG writer has words, of a picture it can't hold; a file that can't be
    // created is the caller's to word, with its cause. Nothing is shown.
    EXPECT_EQ(said, (std::vector<std::string>{"JPG: " + std::string(kJpegIndexedMessage)}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CodecContract, ProgressEvery16RowsAndEscStopsBothWays)
{
    for (const Codec& codec : Codecs()) {
        SCOPED_TRACE(codec.name);
        testing::UiRecorder ui;
        const HDIB picture = PictureFor(codec, 5, 40);
        MemorySink sink;
        ASSERT_EQ(codec.writeStream(sink, picture), WriteResult::Written);
        ASSERT_TRUE(testing::ReadFromBytes(sink.bytes(), codec.read).ok());
        Progress expected;
        if (!codec.readPercents.empty())
            expected = {{"Gravação", 0}, {"Gravação", 40}, {"Gravação", 80}};
        for (const int percent : codec.readPercents)
            expected.push_back({"Leitura", percent});
        EXPECT_EQ(ui.progress, expected);
        if (codec.readPercents.empty())
            continue;  // the bitmap codec is too quick to offer a stop

        testing::CancellationOn on;
        ui.escapeAfterPolls = 1;
        MemorySink cancelled;
        EXPECT_EQ(codec.writeStream(cancelled, picture), WriteResult::NotWritten);
        ui.escapePolls = 0;
        EXPECT_EQ(testing::ReadFromBytes(sink.bytes(), codec.read).code(), ReadCode::Failure);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(CodecContract, TheDispatchWritesAndFindsEachFormatByItsName)
{
    testing::TempDir dir;
    testing::UiRecorder ui;
    int number = 0;
    for (const Codec& codec : Codecs()) {
        SCOPED_TRACE(codec.name);
        HDIB picture = PictureFor(codec, 21, 13);
        const std::string path = dir.file(std::string("picture.") + codec.name);
        ASSERT_EQ(SaveImageFile(picture, path, true), WriteResult::Written);
        const LoadedImage loaded = LoadImageFileDetailed(path, true);
        ASSERT_TRUE(loaded.image);
        // The number is the table's trial order.
        EXPECT_EQ(std::tuple(loaded.format->name, loaded.format->number), std::tuple(std::string(codec.name), ++number));
        EXPECT_TRUE(loaded.format->name == "JPG" || testing::SamePixels(loaded.image, picture));
    }
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace lv
