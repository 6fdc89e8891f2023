// Saving onto a pipe that nobody reads: the tool says which file and why, at once, instead
// of waiting for a reader that never comes.

#include "common/testing/temp_dir.h"
#include "tool_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

namespace lv {
namespace {

using testing::ShellQuote;
using testing::Tool;

TEST(FifoTarget, SavingOntoAPipeFailsAtOnceNamingTheFile)
{
    lv::testing::TempDir dir;
    const std::string picture = dir.file("a.bmp");
    ASSERT_EQ(Tool("new 20 10 255 0 0 " + ShellQuote(picture)).exitCode, 0);
    for (const char* name : {"alvo.bmp", "alvo.jpg", "alvo.png"}) {
        const std::string fifo = dir.file(name);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const auto start = std::chrono::steady_clock::now();
        // Under `timeout`, so that a hang fails the test instead of stopping it.
        const auto r = testing::RunCommand("timeout 20 " + std::string(LV_TOOL) + " convert " + ShellQuote(picture) +
                                           " " + ShellQuote(fifo));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << name;
        EXPECT_EQ(r.exitCode, 4) << name << ": " << r.err;
        EXPECT_NE(r.err.find(fifo), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Não é um arquivo comum."), std::string::npos) << r.err;
        struct stat st{};
        ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is left as it was";
    }
}

}  // namespace
}  // namespace lv
