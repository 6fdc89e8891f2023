// Raw rows come straight from LibRaw's working picture: byte for byte what its own 8-bit copy
// gives and what the general path's picture holds, for every flip and band size.

#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/raw/libraw_session.h"
#include "imagelib/codecs/raw/raw_rows.h"
#include "interop_script.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// LibRaw's own copy of the developed picture, top row first and red first.
Bytes copiedByLibRaw(const std::string& path, int& width, int& height)
{
    auto file = FileSource::Open(path);
    LibRawSession session(*file);
    EXPECT_EQ(DevelopInWorkingPicture(session, false), LIBRAW_SUCCESS);
    int colours = 0, bits = 0;
    session.processor().get_mem_image_format(&width, &height, &colours, &bits);
    Bytes copied(std::size_t(width) * height * 3);
    EXPECT_EQ(session.processor().copy_mem_image(copied.data(), width * 3, 0), LIBRAW_SUCCESS);
    return copied;
}

// The general path's picture, bottom-up and blue first, as rows top first and red first.
Bytes topDownRgb(const HDIB& picture)
{
    Bytes rows;
    for (int top = 0; top < picture.height(); ++top)
        for (int x = 0; x < picture.width(); ++x) {
            const testing::Rgb pixel = testing::Pixel24(picture, x, picture.height() - 1 - top);
            rows.insert(rows.end(), {pixel.r, pixel.g, pixel.b});
        }
    return rows;
}

Bytes readInBands(RgbRowSource& rows, int band)
{
    const std::size_t rowBytes = std::size_t(rows.width()) * 3;
    Bytes all(rowBytes * rows.height());
    for (int top = 0; top < rows.height(); top += band) {
        const int count = std::min(band, rows.height() - top);
        EXPECT_TRUE(rows.nextRows(std::span(all).subspan(top * rowBytes, count * rowBytes)));
    }
    return all;
}

TEST(RawRows, EveryFlipAndBandGivesLibRawsOwnCopyAndTheGeneralPathsPicture)
{
    testing::TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {  // LibRaw's flips 0, 1, 3, 2, 4, 6, 7, 5
        SCOPED_TRACE(orientation);
        const std::string path = dir.file("turned.dng");
        const std::string size = " 30 24 --orientation " + std::to_string(orientation);
        ASSERT_EQ(testing::RunInteropScript("make_dng.py", path + size), 0);
        int width = 0, height = 0;
        const Bytes copied = copiedByLibRaw(path, width, height);
        EXPECT_EQ(width, orientation >= 5 ? 24 : 30);
        const ReadResult general = ReadCameraRaw(path);
        ASSERT_TRUE(general.ok());
        EXPECT_EQ(topDownRgb(general.image()), copied);
        for (const int band : {1, 7, height}) {
            auto file = FileSource::Open(path);
            const RawRowsOpening opened = OpenRawRows(*file);
            ASSERT_TRUE(opened.rows);
            EXPECT_EQ(opened.rows->width(), width);
            EXPECT_EQ(opened.rows->height(), height);
            EXPECT_EQ(readInBands(*opened.rows, band), copied) << "band " << band;
            Bytes pastTheEnd(std::size_t(width) * 3);
            EXPECT_FALSE(opened.rows->nextRows(pastTheEnd));
            EXPECT_EQ(opened.rows->failure().problem, FileProblem::OutsidePicture);
        }
    }
}

TEST(RawRows, DamageAndOtherFilesTakeTheGeneralPathAndTheStopEndsTheWork)
{
    testing::TempDir dir;
    const std::string path = dir.file("shot.dng");
    ASSERT_EQ(testing::RunInteropScript("make_dng.py", path + " 30 24"), 0);
    const Bytes bytes = *ReadWholeFile(path);
    for (const std::size_t kept : {bytes.size() / 2, std::size_t(100), std::size_t(0)}) {
        const std::string cutPath = dir.file("cut.dng");
        std::ofstream(cutPath, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(kept));
        auto cut = FileSource::Open(cutPath);
        ASSERT_TRUE(cut);
        const RawRowsOpening opened = OpenRawRows(*cut);
        EXPECT_TRUE(!opened.rows && !opened.failure) << kept;
    }

    testing::UiRecorder ui;
    const testing::CancellationOn cancellation;
    auto file = FileSource::Open(path);
    const RawRowsOpening opened = OpenRawRows(*file);
    ASSERT_TRUE(opened.rows);
    ui.escapeAfterPolls = ui.escapePolls;
    Bytes row(std::size_t(opened.rows->width()) * 3);
    EXPECT_FALSE(opened.rows->nextRows(row));
    EXPECT_EQ(opened.rows->failure().problem, FileProblem::Cancelled);
    ui.escapeAfterPolls = 0;
    auto again = FileSource::Open(path);
    const RawRowsOpening stopped = OpenRawRows(*again);
    EXPECT_TRUE(!stopped.rows && stopped.failure.problem == FileProblem::Cancelled);
}

}  // namespace
}  // namespace lv
