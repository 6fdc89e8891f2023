// --no-sync: offered by every command that writes, and it drops only the flush — a failed
// write still leaves the old file whole.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "tool_support.h"
#include "tools/lumivista-tool/option_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace lv::tool {
namespace {

using testing::ShellQuote;
using testing::Tool;

bool Offers(const Form& form)
{
    const auto options = AcceptedOptions(form);
    return std::any_of(options.begin(), options.end(), [](const Option& o) { return o.name == "--no-sync"; });
}

TEST(NoSync, EveryWritingCommandTakesItAndNoOtherDoes)
{
    for (const Form& form : Forms()) {
        const std::string line = std::string(form.command) + " " + std::string(form.sub) + " --no-sync";
        EXPECT_EQ(Offers(form), form.writes) << line;
        const auto r = Tool(line + " </dev/null");
        if (form.writes)
            EXPECT_EQ(r.err.find("unknown option"), std::string::npos) << line << "\n" << r.err;
        else
            EXPECT_EQ(r.exitCode, 2) << line;
    }
    EXPECT_NE(Tool("--help").out.find("--no-sync"), std::string::npos);
}

class NoSyncWrite : public testing::ToolFolder {};

std::string TextOf(const std::string& trace)
{
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(NoSyncWrite, TheFlushIsSkippedButTheFileIsTheSame)
{
    if (testing::RunCommand("command -v strace").exitCode != 0)
        GTEST_SKIP() << "strace is not installed";
    writePicture("in.bmp", 40, 30, [](int x, int y) { return testing::Rgb{std::uint8_t(x * 6), std::uint8_t(y * 8), 90}; });
    for (const bool sync : {true, false}) {
        const std::string out = file(sync ? "synced.bmp" : "unsynced.bmp");
        const std::string trace = file(sync ? "synced.trace" : "unsynced.trace");
        const auto r = testing::RunCommand("ASAN_OPTIONS=detect_leaks=0 strace -f -qq -e trace=fsync,fdatasync -o " + ShellQuote(trace) + " " + LV_TOOL +
                                           " convert " + quoted("in.bmp") + " " + ShellQuote(out) +
                                           (sync ? "" : " --no-sync"));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(TextOf(trace).find("fsync(") != std::string::npos, sync) << TextOf(trace);
    }
    EXPECT_EQ(ReadWholeFile(file("synced.bmp")), ReadWholeFile(file("unsynced.bmp")));
}

TEST_F(NoSyncWrite, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryBehind)
{
    writePicture("in.bmp", 300, 200, [](int x, int y) { return testing::Rgb{std::uint8_t(x), std::uint8_t(y), 7}; });
    const std::vector<std::uint8_t> old(5000, 0x5a);
    ASSERT_TRUE(WriteWholeFile(file("out.bmp"), old));
    for (const char* command : {"convert", "promote"}) {
        const auto r = testing::RunCommand("LUMIVISTA_TEST_DISK_FULL_AFTER=1000 " + std::string(LV_TOOL) + " " + command +
                                           " " + quoted("in.bmp") + " " + quoted("out.bmp") + " --no-sync");
        EXPECT_EQ(r.exitCode, 4) << command << r.err;
        EXPECT_EQ(ReadWholeFile(file("out.bmp")), old) << command;
        EXPECT_EQ(testing::EntriesIn(dir.path()), 2u) << command;
    }
}

}  // namespace
}  // namespace lv::tool
