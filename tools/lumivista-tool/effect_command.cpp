#include "arguments.h"
#include "effect_commands.h"
#include "effects/catalogue.h"

namespace lv::tool {

int RunEffect(std::string_view, Arguments args)
{
    constexpr std::string_view kUsage = "usage: effect IN OUT --op CODE [--strength N] [--threads N] | effect --list [--json]";
    ParsedArguments parsed(args, {"--list", "--json"}, {"--op", "--strength", "--threads"});
    const auto op = parsed.integer("--op", 0, 1 << 30);
    const auto strength = parsed.integer("--strength", 0, effects::kSliderMax);
    const auto threads = parsed.integer("--threads", 1, 64);
    if (!parsed.ok())
        return Fail(kExitUsage, parsed.error());
    if (parsed.has("--list")) {
        if (!parsed.positional().empty() || op || strength)
            return Fail(kExitUsage, kUsage);
        return ListEffects(parsed.has("--json"));
    }
    if (parsed.positional().size() != 2 || !op || parsed.has("--json"))
        return Fail(kExitUsage, kUsage);
    if (!effects::FindEffect(*op))
        return Fail(kExitUsage, "unknown effect " + std::to_string(*op) + " (see effect --list)");
    return ApplyToFile(parsed.positional()[0], parsed.positional()[1],
                       effects::EffectCall(*op, strength.value_or(effects::kSliderNeutral)), threads.value_or(0));
}

}  // namespace lv::tool
