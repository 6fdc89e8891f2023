#include "imagelib/codecs/flashpix/gsf_library.h"

#include "common/library_symbols.h"

#include <dlfcn.h>

#include <optional>

namespace lv::flashpix {
namespace {

// libgsf describes every flaw of a damaged file on stderr; the reader's result already
// says the file is damaged.
void quieten(const GsfLibrary& gsf)
{
    const auto levels = GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_MESSAGE);
    for (const char* domain : {"libgsf", "libgsf:msole"})
        gsf.g_log_set_handler(domain, levels, [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
}

// Stays open for the rest of the process: GLib's types live as long as it does. GLib's own
// functions are found through libgsf, which brings GLib in.
std::optional<GsfLibrary> openLibrary()
{
    void* handle = ::dlopen(LV_LIBGSF_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return std::nullopt;
    GsfLibrary library;
    bool complete = true;
#define LV_GSF_FIND(name) complete = FindLibrarySymbol(handle, library.name, #name) && complete;
    LV_GSF_FUNCTIONS(LV_GSF_FIND)
#undef LV_GSF_FIND
    if (!complete)
        return std::nullopt;
    quieten(library);
    return library;
}

}  // namespace

const GsfLibrary* LoadedGsfLibrary()
{
    static const std::optional<GsfLibrary> library = openLibrary();
    return library ? &*library : nullptr;
}

}  // namespace lv::flashpix
