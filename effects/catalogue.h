#pragma once
// The artistic effects as the effects screen lists them: operation code, name, and what
// the strength slider does. The list order is the order shown.

#include <span>
#include <string_view>

namespace lv::effects {

struct EffectEntry {
    int code;
    std::string_view name;       // shown in the list
    std::string_view parameter;  // what the strength slider (0–100) does
    bool usesStrength = true;    // false: the slider has nothing to do and is hidden
};

std::span<const EffectEntry> EffectCatalogue();
const EffectEntry* FindEffect(int code);

}  // namespace lv::effects
