#include "imagelib/codecs/heif/heif_library.h"

#include <dlfcn.h>

#include <optional>
#include <type_traits>

namespace lv {
namespace {

// It stays open for the rest of the process: its functions are used from then on.
std::optional<HeifLibrary> openLibrary()
{
    void* handle = ::dlopen(LV_LIBHEIF_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return std::nullopt;
    HeifLibrary library;
    bool complete = true;
    const auto find = [handle, &complete](auto& pointer, const char* name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(::dlsym(handle, name));
        complete = complete && pointer;
    };
#define LV_HEIF_FIND(name) find(library.name, #name);
    LV_HEIF_FUNCTIONS(LV_HEIF_FIND)
#undef LV_HEIF_FIND
    if (!complete)
        return std::nullopt;
    return library;
}

}  // namespace

const HeifLibrary* LoadedHeifLibrary()
{
    static const std::optional<HeifLibrary> library = openLibrary();
    return library ? &*library : nullptr;
}

}  // namespace lv
