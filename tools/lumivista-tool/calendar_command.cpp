#include "projects_commands.h"

#include "arguments.h"
#include "image_io.h"
#include "imagelib/codecs/save_options.h"
#include "json_writer.h"
#include "projects/calendar.h"

#include <cstdio>

namespace lv::tool {
namespace {

std::string usageText()
{
    return CommandUsage("calendar");
}

constexpr int kLastYear = 9999;

int shape(Arguments args)
{
    ParsedArguments parsed(args, "calendar", "shape");
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, usageText());
    const auto year = ParseIntegerInRange(parsed.positional()[0], 1, kLastYear);
    const auto month = ParseIntegerInRange(parsed.positional()[1], 1, 99);
    if (!year || !month)
        return Fail(kExitUsage, "YEAR must be 1 to 9999 and MONTH 1 to 99");
    const MonthShape s = GetMonthShape(*year, *month);
    if (parsed.has("--json")) {
        JsonWriter out;
        out.beginObject().key("weekday").value(s.weekday).key("days").value(s.days).key("name").value(s.name);
        out.key("shape").value(s.shape).endObject();
        std::printf("%s\n", out.text().c_str());
    } else if (s.name.empty()) {
        std::printf("month %d has no shape\n", *month);
    } else {
        std::printf("%s: first day %s, %d days, shape %d\n", s.name.c_str(),
                    std::string(kWeekdayAbbreviations[std::size_t(s.weekday)]).c_str(), s.days, s.shape);
    }
    return kExitOk;
}

int refill(Arguments args)
{
    ParsedArguments parsed(args, "calendar", "refill");
    const auto year = parsed.integer("--year", 1, kLastYear);
    const auto month = parsed.integer("--month", 1, 12);
    if (!parsed.ok() || parsed.positional().size() != 2 || !year || !month)
        return Fail(kExitUsage, (parsed.ok() ? std::string() : parsed.error() + "\n") + usageText());
    const std::string& templatePath = parsed.positional()[0];
    int exitCode = kExitOk;
    auto stack = OpenDocument(templatePath, exitCode);
    if (!stack)
        return exitCode;
    // The missing piece's message has gone to stderr already.
    if (RefillCalendar(*stack, templatePath, *year, *month) == 0)
        return Fail(kExitCannotRead, "the calendar is missing a piece; nothing written");
    return WriteDocument(*stack, parsed.positional()[1], CurrentSaveOptions().jpegQuality);
}

}  // namespace

int RunCalendar(std::string_view, Arguments args)
{
    if (!args.empty() && args[0] == "shape")
        return shape(args.subspan(1));
    if (!args.empty() && args[0] == "refill")
        return refill(args.subspan(1));
    return Fail(kExitUsage, usageText());
}

}  // namespace lv::tool
