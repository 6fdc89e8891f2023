#include "arguments.h"
#include "effect_commands.h"
#include "effects/catalogue.h"

namespace lv::tool {

int RunEffect(std::string_view, Arguments args)
{
    const std::string usage = FormUsage("effect");
    ParsedArguments parsed(args, "effect");
    const auto op = parsed.integer("--op", 0, 1 << 30);
    const auto strength = parsed.integer("--strength", 0, effects::kSliderMax);
    const auto threads = parsed.integer("--threads", 1, 64);
    if (!parsed.ok())
        return Fail(kExitUsage, parsed.error());
    if (parsed.has("--list")) {
        if (!parsed.positional().empty() || op || strength)
            return Fail(kExitUsage, usage);
        return ListEffects(parsed.has("--json"));
    }
    if (parsed.positional().size() != 2 || !op || parsed.has("--json"))
        return Fail(kExitUsage, usage);
    if (!effects::FindEffect(*op))
        return Fail(kExitUsage, "unknown effect " + std::to_string(*op) + " (see effect --list)");
    return ApplyToFile(parsed.positional()[0], parsed.positional()[1],
                       effects::EffectCall(*op, strength.value_or(effects::kSliderNeutral)), threads.value_or(0));
}

}  // namespace lv::tool
