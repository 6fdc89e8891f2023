#include "arguments.h"
#include "effect_commands.h"

#include <sstream>
#include <vector>

namespace lv::tool {

namespace {

// "A[,B[,C]]": up to three whole numbers from 0 to 100.
std::optional<std::vector<int>> ParseSliders(const std::string& text)
{
    std::vector<int> values;
    std::stringstream list(text);
    for (std::string item; std::getline(list, item, ',');) {
        const auto value = ParseIntegerInRange(item, 0, effects::kSliderMax);
        if (!value || values.size() == 3)
            return std::nullopt;
        values.push_back(*value);
    }
    if (values.empty() || text.back() == ',')
        return std::nullopt;
    return values;
}

}  // namespace

int RunEnhance(std::string_view, Arguments args)
{
    const std::string usage = FormUsage("enhance");
    ParsedArguments parsed(args, "enhance");
    const auto mode = parsed.integer("--mode", 0, effects::kEnhancementModeCount - 1);
    const auto threads = parsed.integer("--threads", 1, 64);
    if (!parsed.ok())
        return Fail(kExitUsage, parsed.error());
    if (parsed.positional().size() != 2 || !mode)
        return Fail(kExitUsage, usage);
    std::vector<int> sliders;
    if (const auto text = parsed.value("--sliders")) {
        const auto values = ParseSliders(*text);
        if (!values)
            return Fail(kExitUsage, "--sliders takes one to three whole numbers from 0 to 100, separated by commas");
        sliders = *values;
    }
    const int wanted = effects::EnhancementSliderCount(*mode);
    if (int(sliders.size()) > wanted)
        return Fail(kExitUsage, "mode " + std::to_string(*mode) + " has " + std::to_string(wanted) + " slider(s)");
    const auto call = effects::EnhancementCall(*mode, sliders);
    return ApplyToFile(parsed.positional()[0], parsed.positional()[1], *call, threads.value_or(0));
}

}  // namespace lv::tool
