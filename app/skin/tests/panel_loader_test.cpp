#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::skin {
namespace {

std::vector<std::uint8_t> PackedDib(int width, int height)
{
    const HDIB dib = AllocatePicture(width, height, 24, 0);
    return {dib.data(), dib.data() + dib.size()};
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

TEST_F(ProgramFolder, LoadsPlacesPicturesAndSliderKindsFromTheFile)
{
    writeSkin();
    writeBackground();
    const LoadedPanel panel = LoadPanel(13, SkinVariant::Large, dir.path().string(), decoder);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(panel.skinFile, "ui/button.640");
    ASSERT_TRUE(panel.background);
    EXPECT_EQ(panel.background.width(), 212);
    const auto table = PanelButtons(13);
    ASSERT_EQ(panel.buttons.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const LoadedButton& b = panel.buttons[i];
        EXPECT_EQ(b.rect, table[i].small);
        EXPECT_EQ(b.definition.handler, table[i].handler);
        ASSERT_TRUE(b.images[0]);
        EXPECT_EQ(b.images[0].width(), table[i].small.width());
        // A broken picture is left out; the button stays.
        EXPECT_EQ(bool(b.images[2]), table[i].kind != ButtonKind::SliderThumb);
        if (i > 1) {
            EXPECT_EQ(b.definition.kind, table[i].kind);
            EXPECT_EQ(b.extra, 17);
        }
    }
    // The records' kinds make the first two buttons (pushes in the table) a thumb and a track.
    EXPECT_EQ(panel.buttons[0].definition.kind, ButtonKind::SliderThumb);
    EXPECT_EQ(panel.buttons[0].extra, 17);
    EXPECT_EQ(panel.buttons[1].definition.kind, ButtonKind::SliderTrack);
    EXPECT_EQ(panel.buttons[1].extra, -1);
}

TEST_F(ProgramFolder, AMissingBackgroundShows6433AndLeavesThePanelEmpty)
{
    writeSkin();
    const LoadedPanel panel = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_FALSE(panel.background);
    EXPECT_TRUE(panel.buttons.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Não é possível abrir o arquivo componente.");
    EXPECT_EQ(ui.messages[0].title, "Atenção");
}

TEST_F(ProgramFolder, AForeignOrMissingSkinFileShows6434AndGivesNoButtons)
{
    writeBackground();
    const LoadedPanel missing = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_TRUE(missing.background);
    EXPECT_TRUE(missing.buttons.empty());
    ASSERT_EQ(ui.messages.size(), 1u);

    writeSkin();
    auto bytes = *ReadWholeFile(dir.file("ui/button.640"));
    bytes[1] = 'X';
    ASSERT_TRUE(WriteWholeFile(dir.file("ui/button.640"), bytes));
    const LoadedPanel foreign = LoadPanel(13, SkinVariant::Small, dir.path().string(), decoder);
    EXPECT_TRUE(foreign.buttons.empty());
    EXPECT_EQ(ui.messages.size(), 2u);
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
    EXPECT_FALSE(PictureFromPackedDib(std::span(bytes).first(kDibHeaderSize + 10)));
    EXPECT_FALSE(PictureFromPackedDib(std::span(bytes).first(12)));
    bytes[0] = 12;  // a core header is not a packed DIB of the skin
    EXPECT_FALSE(PictureFromPackedDib(bytes));
}

}  // namespace
}  // namespace lv::skin
