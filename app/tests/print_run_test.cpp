// The printing screen in the running program: jobs go to the file of LUMIVISTA_PRINT_TO.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/tests/pictures.h"
#include "program_runner.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::testing {
namespace {

TEST(ProgramPrinting, TheOpenPictureAPageOfItAndTheAlbumsSheetPrintAndTheCalibrationSwitchHolds)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::string jpeg = sandbox.file("praia.jpg").string();
    ASSERT_EQ(WriteJpeg(jpeg, MakePhotoLike(300, 200), 95), WriteResult::Written);
    album::Album album;
    for (int i = 0; i < 3; ++i) {
        auto built = album::BuildPhotoEntry({jpeg, "praia"}, album::AlbumPhotoReaders());
        ASSERT_TRUE(built.entry);
        album.append(std::move(*built.entry));
    }
    const std::string albumFile = sandbox.file("viagem.abm").string();
    ASSERT_TRUE(album.write(albumFile));
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nAlbum Name=" << albumFile << "\nPrintCalFlag=1\n";
    const std::filesystem::path pdf = sandbox.file("job.pdf");

    ASSERT_TRUE(sandbox.launch({jpeg}, {"LUMIVISTA_PRINT_TO=" + pdf.string()}, "open " + jpeg + " ok\n")) << sandbox.log();

    const skin::Point host = SidePanelPlace();
    const auto onPrintPanel = [](skin::Handler handler) { return ClickOnHandler(5, handler); };
    sandbox.expectAnswers({{ClickOnControl(151), "screen 25 panels 0,25\n"},
                           {ClickOnPage(25, 5, host), "screen 5 panels "},
                           {onPrintPanel(skin::Handler::PrintSingleImage), "print single printed\n"}});
    EXPECT_NE(sandbox.log().find("preview 1/1\n"), std::string::npos);
    const std::string job = ReadTextFile(pdf);
    EXPECT_EQ(job.rfind("%PDF", 0), 0u);
    EXPECT_NE(job.find("/Count 1"), std::string::npos);

    sandbox.expectAnswers({{onPrintPanel(skin::Handler::PrintContactSheet), "print sheet printed\n"}});
    EXPECT_NE(ReadTextFile(pdf).find("/Count 1"), std::string::npos);
    sandbox.expectAnswers({{onPrintPanel(skin::Handler::PrintLabels), "print layout 0 slots 1 printed\n"}});

    EXPECT_EQ(sandbox.log().find("message "), std::string::npos) << "printing says nothing: " << sandbox.log();
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0);
    const std::string config = ReadTextFile(sandbox.configFile());
    EXPECT_NE(config.find("PrintCalFlag=1"), std::string::npos) << "the switch read at start-up is saved at exit";
}

}  // namespace
}  // namespace lv::testing
