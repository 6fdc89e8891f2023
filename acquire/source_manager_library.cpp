#include "acquire/source_manager_library.h"

#include <dlfcn.h>
#include <system_error>

namespace lv::twain {

DSMENTRYPROC SourceManagerFile::load()
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error))
        return nullptr;
    if (!handle_)
        handle_ = ::dlopen(file_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        return nullptr;
    auto entry = reinterpret_cast<DSMENTRYPROC>(::dlsym(handle_, "DSM_Entry"));
    if (!entry)
        unload();
    return entry;
}

void SourceManagerFile::unload()
{
    if (handle_)
        ::dlclose(handle_);
    handle_ = nullptr;
}

}  // namespace lv::twain
