// Checks the files the generator wrote into the program folder during the build.

#include "app/skin/button_table.h"
#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

namespace lv::skin {
namespace {

const std::string kProgram = LV_PROGRAM_DIR;

SkinFileContent ReadSkin(const std::string& name)
{
    auto file = FileSource::Open(kProgram + "/ui/" + name);
    EXPECT_TRUE(file) << name;
    if (!file)
        return {};
    auto content = ReadSkinFile(*file);
    EXPECT_TRUE(content) << name;
    return content.value_or(SkinFileContent{});
}

void ExpectPanelMatchesTable(const SkinScreenButtons& stored, int panel, SkinVariant variant)
{
    const auto table = PanelButtons(panel);
    ASSERT_EQ(stored.size(), table.size()) << "panel " << panel;
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "panel " << panel << " button " << i);
        const Rect r = table[i].placeIn(variant);
        const SkinFields& f = stored[i].fields;
        EXPECT_EQ(Rect::fromSize(f.x, f.y, f.width, f.height), r);
        EXPECT_EQ(f.code, table[i].controlId);
        EXPECT_EQ(f.recordKind, table[i].kind == ButtonKind::SliderThumb   ? kRecordSliderThumb
                                : table[i].kind == ButtonKind::SliderTrack ? kRecordSliderTrack
                                                                           : 0);
        if (table[i].kind == ButtonKind::Region && table[i].art.style != ButtonStyle::ListRow) {
            EXPECT_EQ(stored[i].pictures, (std::array<std::vector<std::uint8_t>, 3>{}));
            continue;
        }
        for (const auto& picture : stored[i].pictures) {
            const HDIB dib = PictureFromPackedDib(picture);
            ASSERT_TRUE(dib);
            EXPECT_EQ(std::tuple(dib.width(), dib.height(), dib.bitCount()), std::tuple(r.width(), r.height(), 24));
        }
        // The three states differ, so pressing and hovering show.
        EXPECT_NE(stored[i].pictures[0], stored[i].pictures[1]);
        EXPECT_NE(stored[i].pictures[0], stored[i].pictures[2]);
    }
}

TEST(GeneratedSkin, TheSmallFileHoldsEveryPanelAndTheLargeOneTheTwoWindowPanelsAsTheTableDescribesThem)
{
    const SkinFileContent small = ReadSkin("button.640");
    ASSERT_EQ(small.screens.size(), std::size_t(kAllPanelCount));
    for (int panel = 0; panel < kAllPanelCount; ++panel)
        ExpectPanelMatchesTable(small.screens[std::size_t(panel)], panel, SkinVariant::Small);

    const SkinFileContent large = ReadSkin("button.800");
    ASSERT_EQ(large.screens.size(), 29u);
    for (int panel = 0; panel <= 28; ++panel)
        if (panel == 0 || panel == 28)
            ExpectPanelMatchesTable(large.screens[std::size_t(panel)], panel, SkinVariant::Large);
        else
            EXPECT_TRUE(large.screens[std::size_t(panel)].empty()) << panel;
}

TEST(GeneratedSkin, EveryPanelLoadsWithItsBackgroundInBothVariants)
{
    testing::UiRecorder ui;
    const StandardPictureDecoder decoder;
    for (const SkinVariant variant : {SkinVariant::Small, SkinVariant::Large})
        for (int panel = 0; panel < kAllPanelCount; ++panel) {
            const LoadedPanel loaded = LoadPanel(panel, variant, kProgram, decoder);
            ASSERT_TRUE(loaded.background) << panel;
            const bool window = panel == 0 || panel == 28;
            EXPECT_EQ(loaded.background.width(), window ? MainWindowSize(variant).width : Panel(panel).width);
            EXPECT_EQ(loaded.background.height(), window ? MainWindowSize(variant).height : Panel(panel).height);
            EXPECT_EQ(loaded.buttons.size(), PanelButtons(panel).size());
        }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(GeneratedSkin, ClickSoundsAreShortPcmWaves)
{
    for (const std::string name : {"Click1.wav", "Click2.wav"}) {
        const auto bytes = ReadWholeFile(kProgram + "/" + name);
        ASSERT_TRUE(bytes) << name;
        ASSERT_GT(bytes->size(), 44u);
        const std::uint8_t* p = bytes->data();
        EXPECT_EQ(std::tuple(std::string(p, p + 4), std::string(p + 8, p + 16)), std::tuple("RIFF", "WAVEfmt "));
        // PCM, mono, 44100 samples a second of 16 bits.
        EXPECT_EQ(std::tuple(LoadLE16(p + 20), LoadLE16(p + 22), LoadLE32(p + 24), LoadLE16(p + 34)),
                  std::tuple(1, 1, 44100u, 16));
        const std::uint32_t data = LoadLE32(p + 40);
        EXPECT_EQ(data + 44, bytes->size());
        EXPECT_LT(data / 2, 44100u / 10);  // under a tenth of a second
        int peak = 0;
        for (std::size_t i = 44; i + 1 < bytes->size(); i += 2)
            peak = std::max(peak, std::abs(int(std::int16_t(LoadLE16(p + i)))));
        EXPECT_GT(peak, 4000) << name;  // audible
    }
}

}  // namespace
}  // namespace lv::skin
