#pragma once
#include "command.h"
#include "effects/slider_mapping.h"

#include <string>

namespace lv::tool {
// enhance IN OUT --mode M [--sliders A[,B[,C]]] [--threads N]: an enhancement of the adjustments panel
int RunEnhance(std::string_view name, Arguments args);
// effect IN OUT --op CODE [--strength N] [--threads N] | effect --list [--json]: an artistic effect, or the list
int RunEffect(std::string_view name, Arguments args);

// Prints the effects list, as text or JSON (code, name, parameter). Returns an exit code.
int ListEffects(bool json);
// Opens IN (palette pictures widened to 24 bits), applies the call, writes OUT. Returns an exit code.
int ApplyToFile(const std::string& in, const std::string& out, const effects::OperationCall& call, int threads);
}  // namespace lv::tool
