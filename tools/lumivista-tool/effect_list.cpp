#include "effect_commands.h"
#include "effects/catalogue.h"
#include "json_writer.h"

#include <cstdio>

namespace lv::tool {

int ListEffects(bool json)
{
    if (json) {
        JsonWriter out;
        out.beginArray();
        for (const auto& e : effects::EffectCatalogue())
            out.beginObject().key("code").value(e.code).key("name").value(e.name).key("parameter").value(e.parameter).endObject();
        out.endArray();
        std::printf("%s\n", out.text().c_str());
        return kExitOk;
    }
    for (const auto& e : effects::EffectCatalogue())
        std::printf("%4d  %.*s — %.*s\n", e.code, int(e.name.size()), e.name.data(), int(e.parameter.size()), e.parameter.data());
    return kExitOk;
}

}  // namespace lv::tool
