#include "imagelib/codecs/heif/heif_library.h"

#include "common/library_symbols.h"

#include <dlfcn.h>

#include <optional>

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
#define LV_HEIF_FIND(name) complete = FindLibrarySymbol(handle, library.name, #name) && complete;
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
