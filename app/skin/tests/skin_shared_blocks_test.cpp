// Skin files whose records name one picture many times, or whose screens share records: each
// naming would be a copy of its own, so a small file could stop the program at start-up. The
// program folder's panels loaded from their skin file, and what a missing or foreign one gives.

#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace lv::skin {
namespace {

std::vector<std::uint8_t> PackedDib(int width, int height)
{
    const HDIB dib = AllocatePicture(width, height, 24, 0);
    return {dib.data(), dib.data() + dib.size()};
}

// What our writer makes of `screens` screens of `buttons` buttons, each picture its own.
std::vector<std::uint8_t> Written(int screens, int buttons)
{
    SkinFileContent content;
    content.screens.resize(std::size_t(screens));
    for (auto& screen : content.screens)
        for (int b = 0; b < buttons; ++b)
            screen.push_back({{PackedDib(4, 3), PackedDib(4, 3), PackedDib(4, 3)}, {0, 0, 1, 2, 4, 3, 0, 0}});
    MemorySink sink;
    EXPECT_TRUE(WriteSkinFile(sink, content));
    return sink.take();
}

void SetPicture(std::vector<std::uint8_t>& bytes, std::uint32_t record, std::uint32_t offset, std::uint32_t length)
{
    std::uint8_t* at = bytes.data() + kSkinHeaderSize + kSkinRecordSize * record;
    StoreLE32(at + kSkinImageOffsetAt, offset);
    StoreLE32(at + kSkinImageLengthAt, length);
}

bool Readable(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    const bool whole = ReadSkinFile(source).has_value();
    const bool first = ReadSkinScreen(source, 0).has_value();
    EXPECT_EQ(whole, first);
    return whole;
}

TEST(SkinSharedBlocks, PicturesOrScreensNamedTwiceMakeTheFileUnreadable)
{
    const std::vector<std::uint8_t> sound = Written(2, 3);
    ASSERT_TRUE(Readable(sound));
    const std::uint32_t picture = std::uint32_t(PackedDib(4, 3).size());

    auto shared = sound;  // record 4 names record 1's picture
    SetPicture(shared, 4, picture, picture);
    EXPECT_FALSE(Readable(shared));
    auto overlapping = sound;  // one byte into the next picture
    SetPicture(overlapping, 0, 0, picture + 1);
    EXPECT_FALSE(Readable(overlapping));
    auto inside = sound;  // a part of another record's picture
    SetPicture(inside, 17, 3 * picture + 8, 10);
    EXPECT_FALSE(Readable(inside));

    auto twinScreens = sound;  // screen 1 starts where screen 0 does
    StoreLE32(twinScreens.data() + 36 + 4, 0);
    EXPECT_FALSE(Readable(twinScreens));
    auto overlappingScreens = sound;  // screen 0 from record 4 on, screen 1 from record 0 on
    StoreLE32(overlappingScreens.data() + 36, 4);
    StoreLE32(overlappingScreens.data() + 36 + 4, 0);
    EXPECT_FALSE(Readable(overlappingScreens));

    // Pictures without bytes, or beyond the end of the file, take nothing and share nothing.
    auto empties = sound;
    SetPicture(empties, 2, 0, 0);
    SetPicture(empties, 5, 0, 0);
    SetPicture(empties, 8, 0xFFFFFF00u, picture);
    EXPECT_TRUE(Readable(empties));
}

TEST(SkinSharedBlocks, TwoThousandRecordsNamingOneLargePictureAreRefused)
{
    // 50 screens, all starting at record 0, and 2,000 records naming one 1 MB picture.
    const std::uint32_t records = kSkinMaxRecords, length = 1 << 20;
    std::vector<std::uint8_t> bytes(kSkinHeaderSize + kSkinRecordSize * records + length, 0);
    std::memcpy(bytes.data(), "REZE", 4);
    StoreLE32(bytes.data() + 8, records);
    StoreLE32(bytes.data() + 32, kSkinMaxScreens);
    for (std::uint32_t r = 0; r < records; ++r)
        SetPicture(bytes, r, 0, length);
    MemorySource source(bytes);
    EXPECT_FALSE(ReadSkinFile(source) || ReadSkinScreen(source, 0) || ReadSkinScreen(source, 49));
}

TEST(SkinSharedBlocks, WhatOurWriterMakesAlwaysReads)
{
    for (const auto& [screens, buttons] : {std::pair{1, 1}, {3, 2}, {50, 13}})
        EXPECT_TRUE(Readable(Written(screens, buttons))) << screens << " x " << buttons;
    // A first screen without buttons would read as the second: the writer refuses it.
    SkinFileContent leadingEmpty;
    leadingEmpty.screens = {{}, {{{PackedDib(2, 2)}, {}}}};
    MemorySink sink;
    EXPECT_FALSE(WriteSkinFile(sink, leadingEmpty));
    leadingEmpty.screens = {{}, {}};
    EXPECT_TRUE(WriteSkinFile(sink, leadingEmpty));
}

// A program folder whose "640" skin file holds panel 13 as the table describes it.
struct ProgramFolder : ::testing::Test {
    testing::TempDir dir;
    testing::UiRecorder ui;
    StandardPictureDecoder decoder;

    void SetUp() override { std::filesystem::create_directories(dir.path() / "ui"); }

    // The first two buttons' records are marked as a slider thumb and its track.
    void writeSkin()
    {
        SkinFileContent content;
        content.screens.resize(14);
        content.screens[0].push_back({{PackedDib(2, 2)}, {0, 0, 0, 0, 2, 2, 0, 0}});
        for (const ButtonDefinition& b : PanelButtons(13)) {
            const std::size_t index = content.screens[13].size();
            const std::int16_t kind = index == 0 ? kRecordSliderThumb : index == 1 ? kRecordSliderTrack : 0;
            const Rect r = b.small;
            const auto picture = PackedDib(r.width(), r.height());
            const auto hover = b.kind == ButtonKind::SliderThumb ? std::vector<std::uint8_t>{1, 2, 3} : picture;
            content.screens[13].push_back({{picture, picture, hover},
                                           {kind, 0, std::int16_t(r.left), std::int16_t(r.top), std::int16_t(r.width()),
                                            std::int16_t(r.height()), 0, 17}});
        }
        MemorySink sink;
        ASSERT_TRUE(WriteSkinFile(sink, content));
        ASSERT_TRUE(WriteWholeFile(dir.file("ui/button.640"), sink.bytes()));
    }

    void writeBackground()
    {
        HDIB background = AllocatePicture(212, 220, 24, 0);
        ASSERT_EQ(WriteBmp(dir.file("ui/screen13.640"), background), WriteResult::Written);
    }
};

TEST_F(ProgramFolder, ADamagedSkinFileIsAMissingOneToThePanel)
{
    writeBackground();
    auto bytes = Written(14, 3);
    for (std::uint32_t r = 0; r < 14 * 9; ++r)
        SetPicture(bytes, r, 0, std::uint32_t(PackedDib(4, 3).size()));
    ASSERT_TRUE(WriteWholeFile(dir.file("ui/button.640"), bytes));

    const LoadedPanel panel = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_EQ(std::tuple(bool(panel.background), panel.buttons.size()), std::tuple(true, 0u));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Não é possível abrir o arquivo componente.");
}

TEST_F(ProgramFolder, LoadsPlacesPicturesAndSliderKindsFromTheFile)
{
    writeSkin();
    writeBackground();
    const LoadedPanel panel = LoadPanel(13, SkinVariant::Large, dir.path().string(), decoder);
    ASSERT_TRUE(panel.background);
    EXPECT_EQ(std::tuple(ui.messages.size(), panel.skinFile, panel.background.width()),
              std::tuple(0u, "ui/button.640", 212));
    const auto table = PanelButtons(13);
    ASSERT_EQ(panel.buttons.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const LoadedButton& b = panel.buttons[i];
        ASSERT_TRUE(b.images[0]);
        // A broken picture is left out; the button stays.
        const bool whole = table[i].kind != ButtonKind::SliderThumb;
        EXPECT_EQ(std::tuple(b.rect, b.definition.handler, b.images[0].width(), bool(b.images[2])),
                  std::tuple(table[i].small, table[i].handler, table[i].small.width(), whole))
            << i;
        if (i > 1) {
            EXPECT_EQ(std::tuple(b.definition.kind, b.extra), std::tuple(table[i].kind, 17)) << i;
        }
    }
    // The records' kinds make the first two buttons (pushes in the table) a thumb and a track.
    EXPECT_EQ(std::tuple(panel.buttons[0].definition.kind, panel.buttons[0].extra, panel.buttons[1].definition.kind,
                         panel.buttons[1].extra),
              std::tuple(ButtonKind::SliderThumb, 17, ButtonKind::SliderTrack, -1));
}

TEST_F(ProgramFolder, AMissingBackgroundShows6433AndLeavesThePanelEmpty)
{
    writeSkin();
    const LoadedPanel panel = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_EQ(std::tuple(bool(panel.background), panel.buttons.size()), std::tuple(false, 0u));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(std::tuple(ui.messages[0].text, ui.messages[0].title),
              std::tuple("Não é possível abrir o arquivo componente.", "Atenção"));
}

TEST_F(ProgramFolder, AForeignOrMissingSkinFileShows6434AndGivesNoButtons)
{
    writeBackground();
    const LoadedPanel missing = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_EQ(std::tuple(bool(missing.background), missing.buttons.size(), ui.messages.size()), std::tuple(true, 0u, 1u));

    writeSkin();
    auto bytes = *ReadWholeFile(dir.file("ui/button.640"));
    bytes[1] = 'X';
    ASSERT_TRUE(WriteWholeFile(dir.file("ui/button.640"), bytes));
    const LoadedPanel foreign = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_EQ(std::tuple(foreign.buttons.size(), ui.messages.size()), std::tuple(0u, 2u));
}

TEST(PictureDecoding, JpegBackgroundsGoThroughTheReaderGiven)
{
    const std::vector<std::uint8_t> bytes = {0xFF, 0xD8, 0xFF};
    EXPECT_FALSE(StandardPictureDecoder().decode(PictureEncoding::Jpeg, bytes));
    const StandardPictureDecoder withJpeg([](ByteSource& source) { return ReadResult(AllocatePicture(3, int(source.size()), 24, 0)); });
    EXPECT_EQ(withJpeg.decode(PictureEncoding::Jpeg, bytes).height(), 3);
    EXPECT_FALSE(withJpeg.decode(PictureEncoding::Bitmap, bytes));
}

TEST(PictureDecoding, PackedDibsMustBeComplete)
{
    auto bytes = PackedDib(5, 3);
    EXPECT_TRUE(PictureFromPackedDib(bytes));
    EXPECT_FALSE(PictureFromPackedDib(std::span(bytes).first(kDibHeaderSize + 10)) ||
                 PictureFromPackedDib(std::span(bytes).first(12)));
    bytes[0] = 12;  // a core header is not a packed DIB of the skin
    EXPECT_FALSE(PictureFromPackedDib(bytes));
}

}  // namespace
}  // namespace lv::skin
