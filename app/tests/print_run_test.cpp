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

std::string printedJob(const std::filesystem::path& pdf)
{
    return ReadTextFile(pdf);
}

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

    const pid_t pid = sandbox.start({jpeg}, {"LUMIVISTA_PRINT_TO=" + pdf.string()});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(sandbox.waitForLog("open " + jpeg + " ok\n")) << sandbox.log();

    const skin::Point host = SidePanelPlace();
    const auto onPrintPanel = [&](skin::Handler handler) {
        return ClickOn(5, [&](const skin::ButtonDefinition& b) { return b.handler == handler; }, host);
    };
    sandbox.expectAnswers({{ClickOnControl(151), "screen 25 panels 0,25\n"},
                           {ClickOnPage(25, 5, host), "screen 5 panels "},
                           {onPrintPanel(skin::Handler::PrintSingleImage), "print single printed\n"}},
                          true);
    EXPECT_NE(sandbox.log().find("preview 1/1\n"), std::string::npos);
    std::string job = printedJob(pdf);
    EXPECT_EQ(job.rfind("%PDF", 0), 0u);
    EXPECT_NE(job.find("/Count 1"), std::string::npos);

    ASSERT_EQ(sandbox.send(onPrintPanel(skin::Handler::PrintContactSheet)), 0);
    ASSERT_TRUE(sandbox.waitForLog("print sheet printed\n")) << sandbox.log();
    EXPECT_NE(printedJob(pdf).find("/Count 1"), std::string::npos);

    ASSERT_EQ(sandbox.send(onPrintPanel(skin::Handler::PrintLabels)), 0);
    ASSERT_TRUE(sandbox.waitForLog("print layout 0 slots 1 printed\n")) << sandbox.log();

    EXPECT_EQ(sandbox.log().find("message "), std::string::npos) << "printing says nothing: " << sandbox.log();
    ASSERT_EQ(sandbox.send("key Ctrl+Q"), 0);
    EXPECT_EQ(ProgramSandbox::wait(pid), 0);
    const std::string config = ReadTextFile(sandbox.configFile());
    EXPECT_NE(config.find("PrintCalFlag=1"), std::string::npos) << "the switch read at start-up is saved at exit";
}

}  // namespace
}  // namespace lv::testing
