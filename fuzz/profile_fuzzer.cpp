#include "common/profile_document.h"

#include <string_view>

// Any bytes parse; a key written afterwards reads back, also after a save and reload.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using lv::profile::ProfileDocument;
    ProfileDocument doc = ProfileDocument::Parse({reinterpret_cast<const char*>(data), size});
    const auto firstValue = doc.value("USUÁRIO", "Album Name");
    (void)doc.section("ALBUMCUR");
    if (!doc.set("USUÁRIO", "BrushSize", "16"))
        __builtin_trap();
    const ProfileDocument reloaded = ProfileDocument::Parse(doc.serialize());
    if (reloaded.value("usuário", "brushsize") != "16")
        __builtin_trap();
    if (reloaded.value("USUÁRIO", "Album Name") != firstValue)
        __builtin_trap();
    return 0;
}
