// Seams between the areas, tried as a user would in the running program: the album named on
// the command line is the one the slide show plays (with and without a window manager the
// journeys play it, see journey_album.sh); "Salvar projeto" keeps the project's layers in a
// projects folder; preferences have a button of their own in the title bar.

#include "album/album_file.h"
#include "app/core/documents/document_io.h"
#include "common/byte_sink.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "photo_box_template.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

void WriteAlbumOfOne(const fs::path& album, const fs::path& photo, std::uint32_t bgr)
{
    HDIB picture = DibCreate(320, 240, bgr, false);
    ASSERT_EQ(WriteBmp(photo.string(), picture), WriteResult::Written);
    album::AlbumEntry entry(16);
    entry.setThumbSize(16);
    entry.setPath(photo.string());
    ASSERT_TRUE(WriteWholeFile(album.string(), album::EncodeAlbum({entry})));
}

// The album named on the command line, from outside the user's albums, is offered after them
// and is the one the slide show plays over the whole screen.
TEST(JourneyFixes, AnAlbumFromOutsideTheUsersAlbumsIsOfferedAfterThemAndPlaysOverTheWholeScreen)
{
    ProgramSandbox sandbox(1024, 768, Platform::X);
    if (!sandbox.displayReady())
        GTEST_SKIP() << "no virtual X server (xvfb)";
    fs::create_directories(sandbox.home() / "albums");
    WriteAlbumOfOne(sandbox.home() / "albums" / "album1.abm", sandbox.file("vermelha.bmp"), 0x2020C0);
    std::ofstream(sandbox.configFile()) << "[albums]\nalbum1.abm=Primeiro\n";
    const fs::path elsewhere = sandbox.file("Fotos/viagem.abm");
    fs::create_directories(elsewhere.parent_path());
    WriteAlbumOfOne(elsewhere, sandbox.file("azul.bmp"), 0xC04020);

    ASSERT_TRUE(sandbox.launch({elsewhere.string()}, {}, "album " + elsewhere.string() + " ok\n")) << sandbox.log();
    const skin::Point host = SidePanelPlace();
    sandbox.send(ClickOnControl(151));
    sandbox.expectAnswers({{ClickOnPage(25, 7, host), "screen 7 "}});
    const std::string start =
        ClickOn(7, [](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::StartSlideShow; }, host);
    sandbox.expectAnswers({{start, "dialog slideshowsettings album=1\n"},
                           {"key Return", "slideshow window 0 0 1024 768 album=" + elsewhere.string() + "\n"}});
    ASSERT_TRUE(sandbox.waitForLog("slideshow slide 0 ")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("slideshow slide 0 centre=#2040c0\n"), std::string::npos) << sandbox.log();
    sandbox.expectAnswers({{"key Escape", "slideshow closed\n"}});
    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("Album Name=" + elsewhere.string() + "\n"), std::string::npos)
        << "the setting follows the open album and is saved at exit";
}

TEST(JourneyFixes, SalvarProjetoKeepsTheLayersInAProjectsFolderAmongThePictures)
{
    ProgramSandbox sandbox;
    const fs::path templateFile = sandbox.file("modelos/calendario.vlf");
    fs::create_directories(templateFile.parent_path());
    WritePhotoBoxTemplate(templateFile);
    fs::create_directories(sandbox.home() / "sysalbum");
    album::AlbumEntry entry(16);
    entry.setPath(templateFile.string());
    ASSERT_TRUE(WriteWholeFile((sandbox.home() / "sysalbum" / "calendars1.abm").string(), album::EncodeAlbum({entry})));
    std::ofstream(sandbox.configFile()) << "[Calendar]\ncalendars1.abm=Calendários\n";
    // The user's pictures folder as the desktop names it; it need not exist yet.
    const fs::path pictures = sandbox.file("Imagens");
    const fs::path bin = sandbox.file("bin");
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-user-dir") << "#!/bin/sh\n[ \"$1\" = PICTURES ] && echo '" << pictures.string() << "'\n";
    fs::permissions(bin / "xdg-user-dir", fs::perms::owner_all);

    ASSERT_TRUE(sandbox.launch({}, {"PATH=" + bin.string() + ":" + std::getenv("PATH")})) << sandbox.log();
    const skin::Point host = SidePanelPlace();
    const auto onPanel = [&](skin::Handler handler) {
        return ClickOn(20, [&](const skin::ButtonDefinition& b) { return b.handler == handler; }, host);
    };
    sandbox.expectAnswers({{ClickOnControl(154), "screen 19 panels 0,19\n"},
                           {ClickOnPage(19, 20, host), "screen 20 panels 0,20\n"},
                           {onPanel(skin::Handler::ChooseTemplate), "dialog template gallery\n"},
                           {"project pick 0", "project opened " + templateFile.string() + "\n"},
                           {onPanel(skin::Handler::SaveProject), "project proposes " + (pictures / "Projetos").string()}});
    const std::string proposed = sandbox.lastLine("project proposes ").substr(17);
    EXPECT_EQ(fs::path(proposed).extension(), ".vlf") << proposed;
    sandbox.expectAnswers({{"key Return", "project saved " + proposed + "\n"}});
    // Saved once as a project, it is saved again under its name without a question.
    sandbox.expectAnswers({{onPanel(skin::Handler::SaveProject), "project saved " + proposed + "\n"}});
    EXPECT_EQ(sandbox.log().find("project proposes ", sandbox.log().find("project saved ")), std::string::npos);
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);

    auto doc = ReadLayeredFile(proposed);
    ASSERT_TRUE(doc) << "a layered file, not a flattened picture";
    EXPECT_EQ(doc->layerCount, 2);
    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("LastProjectFolder=" + (pictures / "Projetos").string()),
              std::string::npos);
}

TEST(JourneyFixes, ThePreferencesHaveAButtonInTheTitleBarBesideHelp)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.launch()) << sandbox.log();
    const auto titleButton = [](skin::Handler handler) {
        return ClickOn(0, [&](const skin::ButtonDefinition& b) { return b.handler == handler; });
    };
    sandbox.expectAnswers({{titleButton(skin::Handler::Preferences), "preferences 120\n"}});
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    // Beside help: nothing between the two buttons, on either skin.
    for (const skin::SkinVariant variant : {skin::SkinVariant::Small, skin::SkinVariant::Large}) {
        skin::Rect preferences, help;
        for (const skin::ButtonDefinition& b : skin::PanelButtons(0)) {
            if (b.handler == skin::Handler::Preferences)
                preferences = b.placeIn(variant);
            if (b.handler == skin::Handler::HelpContents)
                help = b.placeIn(variant);
        }
        EXPECT_GT(help.left, preferences.right);
        EXPECT_LE(help.left - preferences.right, 8) << "as far as the other window buttons";
        for (const skin::ButtonDefinition& b : skin::PanelButtons(0)) {
            const skin::Rect r = b.placeIn(variant);
            if (b.kind != skin::ButtonKind::Region && b.handler != skin::Handler::Preferences)
                EXPECT_FALSE(r.left < preferences.right && preferences.left < r.right && r.top < preferences.bottom &&
                             preferences.top < r.bottom)
                    << skin::HandlerName(b.handler) << " overlaps the preferences button";
        }
    }
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
