#include "imagelib/codecs/jxl/jxl_library.h"

#include "common/library_symbols.h"

#include <dlfcn.h>

#include <optional>

namespace lv {
namespace {

// Both stay open for the rest of the process: the functions are used from then on.
std::optional<JxlLibrary> openLibrary()
{
    void* codec = ::dlopen(LV_LIBJXL_SONAME, RTLD_NOW | RTLD_LOCAL);
    void* threads = codec ? ::dlopen(LV_LIBJXL_THREADS_SONAME, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!threads)
        return std::nullopt;
    JxlLibrary library;
    bool complete = true;
#define LV_JXL_FIND(name) complete = FindLibrarySymbol(codec, library.name, #name) && complete;
    LV_JXL_FUNCTIONS(LV_JXL_FIND)
#undef LV_JXL_FIND
#define LV_JXL_FIND(name) complete = FindLibrarySymbol(threads, library.name, #name) && complete;
    LV_JXL_THREAD_FUNCTIONS(LV_JXL_FIND)
#undef LV_JXL_FIND
    if (!complete)
        return std::nullopt;
    return library;
}

}  // namespace

const JxlLibrary* LoadedJxlLibrary()
{
    static const std::optional<JxlLibrary> library = openLibrary();
    return library ? &*library : nullptr;
}

}  // namespace lv
