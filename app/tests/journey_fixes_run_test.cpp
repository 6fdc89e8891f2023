// Seams between the areas, tried as a user would in the running program: "Salvar projeto"
// keeps the project's layers in a projects folder; preferences have a button of their own in
// the title bar; an album photo dragged from the album page fills a project's photo box as
// "Colocar foto" does, in one undo step.

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
#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

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
    const auto onPanel = [](skin::Handler handler) { return ClickOnHandler(20, handler); };
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
    sandbox.expectAnswers({{ClickOnHandler(0, skin::Handler::Preferences, std::nullopt, {}), "preferences 120\n"}});
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

TEST(ProjectDrop, AnAlbumPhotoDraggedOntoTheProjectFillsItsPhotoBoxInOneStep)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::filesystem::path templateFile = sandbox.file("modelos/pagina.vlf");
    std::filesystem::create_directories(templateFile.parent_path());
    WritePhotoBoxTemplate(templateFile);
    std::filesystem::create_directories(sandbox.home() / "sysalbum");
    {
        album::Album gallery;
        auto built = album::BuildPhotoEntry({templateFile.string(), "modelo"}, album::AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        gallery.append(std::move(*built.entry));
        ASSERT_TRUE(gallery.write((sandbox.home() / "sysalbum" / "calendars1.abm").string()));
    }
    const std::string photo = sandbox.file("praia.bmp").string();
    HDIB picture = MakePhotoLike(80, 40);
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);
    std::ofstream(sandbox.configFile()) << "[Calendar]\ncalendars1.abm=Calendários\n";
    ASSERT_TRUE(sandbox.launch()) << sandbox.log();

    const skin::Point host = SidePanelPlace();
    const auto onPanel = [](int panel, skin::Handler handler) { return ClickOnHandler(panel, handler); };
    const std::string toAlbumPage = ClickOnHandler(0, skin::Handler::SelectScreenArea, 2, {});

    // The page opens on the calendar screen; its photo box is the second placeholder.
    sandbox.expectAnswers({{ClickOnControl(154), "screen 19 panels 0,19\n"},
                           {ClickOnPage(19, 20, host), "screen 20 panels 0,20\n"},
                           {onPanel(20, skin::Handler::ChooseTemplate), "dialog template gallery\n"},
                           {"project pick 0", "project opened " + templateFile.string() + "\n"},
                           {onPanel(20, skin::Handler::NextPlaceholder), " layer=0 "}});
    const std::string box = StateField(sandbox.ask("state"), "layer");
    EXPECT_EQ(box, "90,70,150,110") << sandbox.log();

    // The photo joins an album on the album page, and is dragged out of the grid.
    sandbox.expectAnswers({{toAlbumPage, "album shown screen=18"}, {onPanel(18, skin::Handler::AlbumNew), "album shown "}});
    ASSERT_EQ(sandbox.send("albumfiles " + photo), 0);
    sandbox.expectAnswers({{onPanel(18, skin::Handler::AlbumAddPhotos), "album added "}});
    std::istringstream layout(sandbox.lastLine("album layout "));
    std::string word;
    int x = 0, y = 0, w = 0, h = 0;
    layout >> word >> word >> x >> y >> w >> h;
    const skin::Rect workspace =
        skin::PanelButtons(0)[std::size_t(skin::ButtonIndexByControl(0, 100))].placeIn(skin::SkinVariant::Large);
    const std::string drag = "drag " + std::to_string(x + w / 2) + " " + std::to_string(y + h / 2) + " "
                           + std::to_string(workspace.left + workspace.width() / 2) + " "
                           + std::to_string(workspace.bottom - 10);
    sandbox.expectAnswers({{drag, "project drop ok\n"}});
    EXPECT_TRUE(sandbox.waitForLog("screen 20 panels 0,20\n", std::chrono::seconds(30), 2)) << "the page shows again";

    // 80 × 40 into 60 × 40: 60 × 30, centred; one undo brings the empty box back.
    EXPECT_EQ(StateField(sandbox.ask("state"), "layer"), "90,75,150,105") << sandbox.log();
    EXPECT_EQ(StateField(sandbox.ask("state"), "layers"), "2") << "no layer over the page";
    EXPECT_EQ(StateField(sandbox.ask("undo"), "layer"), box);
    EXPECT_EQ(StateField(sandbox.ask("redo"), "layer"), "90,75,150,105");
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send("answer Não"), 0);
    EXPECT_EQ(sandbox.quit(), 0) << sandbox.log();
}

}  // namespace
}  // namespace lv::testing
