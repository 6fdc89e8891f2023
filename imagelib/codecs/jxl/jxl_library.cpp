#include "imagelib/codecs/jxl/jxl_library.h"

#include <dlfcn.h>

#include <optional>
#include <type_traits>

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
    const auto find = [&complete](void* handle, auto& pointer, const char* name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(::dlsym(handle, name));
        complete = complete && pointer;
    };
#define LV_JXL_FIND(name) find(codec, library.name, #name);
    LV_JXL_FUNCTIONS(LV_JXL_FIND)
#undef LV_JXL_FIND
#define LV_JXL_FIND(name) find(threads, library.name, #name);
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
