// The command table: every option each command takes, the usage naming them, and --no-sync
// offered by exactly the commands that write.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "tools/lumivista-tool/option_table.h"
#include "tool_support.h"

#include <algorithm>
#include <cstdlib>

namespace lv::tool {
namespace {

using testing::ShellQuote;
using testing::Tool;

// The option table against the tool itself: every option it lists is accepted by its command
// and shown in --help, and every command's usage names all its options.
std::string Invocation(const Form& form)
{
    return std::string(form.command) + (form.sub.empty() ? "" : " " + std::string(form.sub));
}

TEST(OptionTable, EveryOptionIsAcceptedByItsCommandAndNothingAborts)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    for (const Form& form : Forms())
        for (const Option& option : AcceptedOptions(form)) {
            // Without positional arguments nothing is read or written: the option is parsed,
            // then the command refuses the incomplete line or lists what it lists.
            const std::string line = "" + Invocation(form) + " " + std::string(option.name) +
                                     (option.value.empty() ? "" : " 1") + " </dev/null";
            const auto r = Tool(line);
            EXPECT_EQ(r.err.find("unknown option"), std::string::npos) << line << "\n" << r.err;
            EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 2 || r.exitCode == 3) << line << " ended " << r.exitCode;
        }
}

TEST(OptionTable, HelpAndEachUsageNameEveryOption)
{
    const auto help = Tool("--help");
    ASSERT_EQ(help.exitCode, 0);
    for (const Form& form : Forms()) {
        const std::string usage = FormUsage(form.command, form.sub);
        EXPECT_NE(help.out.find(std::string(form.command) + " " + FormLine(form) + "\n"), std::string::npos)
            << Invocation(form);
        for (const Option& option : AcceptedOptions(form))
            EXPECT_NE(usage.find(std::string(option.name)), std::string::npos) << Invocation(form) << " " << option.name;
    }
    // What the mail command's usage left out.
    const auto mail = Tool("mail");
    EXPECT_EQ(mail.exitCode, 2);
    for (const char* option : {"--from ADDR", "--security none|starttls|tls", "--ca-file FILE", "[--json]"})
        EXPECT_NE(mail.err.find(option), std::string::npos) << option;
}

// --no-sync: offered by every command that writes, and it drops only the flush — a failed
// write still leaves the old file whole.
bool Offers(const Form& form)
{
    const auto options = AcceptedOptions(form);
    return std::any_of(options.begin(), options.end(), [](const Option& o) { return o.name == "--no-sync"; });
}

TEST(NoSync, EveryWritingCommandTakesItAndNoOtherDoes)
{
    // The writers' acceptance of it is the option table's test above.
    for (const Form& form : Forms()) {
        const std::string line = std::string(form.command) + " " + std::string(form.sub) + " --no-sync";
        EXPECT_EQ(Offers(form), form.writes) << line;
        if (!form.writes) {
            EXPECT_EQ(Tool(line + " </dev/null").exitCode, 2) << line;
        }
    }
    EXPECT_NE(Tool("--help").out.find("--no-sync"), std::string::npos);
}

class NoSyncWrite : public testing::ToolFolder {};

std::string TextOf(const std::string& trace)
{
    const auto bytes = ReadWholeFile(trace).value_or(std::vector<std::uint8_t>{});
    return std::string(bytes.begin(), bytes.end());
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

}  // namespace
}  // namespace lv::tool
