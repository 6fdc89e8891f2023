// The option table against the tool itself: every option it lists is accepted by its command
// and shown in --help, and every command's usage names all its options.

#include "tool_support.h"
#include "tools/lumivista-tool/option_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lv::tool {
namespace {

using testing::Tool;

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

}  // namespace
}  // namespace lv::tool
