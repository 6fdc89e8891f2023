// An album photo dragged from the album page onto a project's page in the running program:
// it fills the page's photo box as "Colocar foto" does, in one undo step.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/core/documents/document_io.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/tests/pictures.h"
#include "photo_box_template.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <sstream>

namespace lv::testing {
namespace {

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
    const auto onPanel = [&](int panel, skin::Handler handler) {
        return ClickOn(panel, [&](const skin::ButtonDefinition& b) { return b.handler == handler; }, host);
    };
    const std::string toAlbumPage =
        ClickOn(0, [](const skin::ButtonDefinition& b) { return b.handler == skin::Handler::SelectScreenArea && b.argument == 2; });

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
