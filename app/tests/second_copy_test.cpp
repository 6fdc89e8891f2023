#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_alloc.h"
#include "program_runner.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

TEST(SecondCopy, BringsTheFirstForwardRestoresItAndRaisesItsDialogThenExits0)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.launch());

    // The files of a second copy open in the first, as if dropped on it.
    HDIB picture = AllocatePicture(30, 20, 24, 0);
    const std::string photo = sandbox.file("x.bmp").string();
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);
    EXPECT_EQ(sandbox.run({photo}), 0);
    ASSERT_TRUE(sandbox.waitForLog("open " + photo + " ok\n")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("handed over 1\n"), std::string::npos);
    EXPECT_NE(sandbox.log().find("forward minimised=0 restored=1 modal=-\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.ask("close").rfind("state windows=0 ", 0), 0u);

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_SEND=minimize"}), 0);
    EXPECT_NE(sandbox.log().find("minimized 1\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.run({}), 0);
    EXPECT_NE(sandbox.log().find("forward minimised=1 restored=1 modal=-\n"), std::string::npos) << sandbox.log();

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_SEND=modal"}), 0);
    EXPECT_EQ(sandbox.run({}), 0);
    EXPECT_NE(sandbox.log().find("modal=testdialog\n"), std::string::npos) << sandbox.log();

    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos);

    EXPECT_EQ(sandbox.log().find("ready ", sandbox.log().find("ready ") + 1), std::string::npos)
        << "only the first copy started";
}

TEST(SecondCopy, ASocketLeftByACrashedCopyDoesNotStopTheNextStart)
{
    ProgramSandbox sandbox;
    ASSERT_TRUE(sandbox.launch());
    sandbox.killHard();

    EXPECT_EQ(sandbox.run({}, {"LUMIVISTA_TEST_QUIT=1"}), 0);
    EXPECT_NE(sandbox.log().find("exit\n"), std::string::npos) << sandbox.log();
}

}  // namespace
}  // namespace lv::testing
