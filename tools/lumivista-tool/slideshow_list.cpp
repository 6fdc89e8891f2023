#include "arguments.h"
#include "json_writer.h"
#include "output/transition_table.h"
#include "slideshow_command.h"

#include <cstdio>
#include <string>

namespace lv::tool {

namespace {

std::string RangeText(const RandomRange& range)
{
    if (range.last < range.first)
        return "";
    return std::to_string(range.first) + "-" + std::to_string(range.last);
}

}  // namespace

int RunSlideshowList(Arguments args)
{
    ParsedArguments parsed(args, "slideshow", "list");
    if (!parsed.ok() || !parsed.positional().empty())
        return Fail(kExitUsage, parsed.ok() ? FormUsage("slideshow", "list") : parsed.error());
    const auto table = TransitionTable();
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginArray();
        for (int i = 0; i < int(table.size()); ++i) {
            const TransitionInfo& t = table[std::size_t(i)];
            json.beginObject().key("index").value(i).key("name").value(t.name).key("variants").value(t.variants);
            json.key("firstVariant").value(LowestVariant(i)).key("random").beginArray();
            for (const RandomRange& r : {t.random, t.moreRandom})
                if (r.last >= r.first)
                    json.beginArray().value(r.first).value(r.last).endArray();
            json.endArray().key("reachableByName").value(i < kNamedTransitions && FindTransition(t.name) == i);
            json.endObject();
        }
        json.endArray();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    for (int i = 0; i < int(table.size()); ++i) {
        const TransitionInfo& t = table[std::size_t(i)];
        std::string random = RangeText(t.random);
        if (!RangeText(t.moreRandom).empty())
            random += ", " + RangeText(t.moreRandom);
        const std::string name = t.name.empty() ? "(no name)" : std::string(t.name);
        std::printf("%2d  %s  variants %d  random %s%s\n", i, name.c_str(), t.variants, random.empty() ? "-" : random.c_str(),
                    i < kNamedTransitions && FindTransition(t.name) != i ? "  (by random choice only)" : "");
    }
    return kExitOk;
}

}  // namespace lv::tool
