#pragma once
// Typed functions from a library opened at run time, for the codec libraries loaded on first use.

#include <dlfcn.h>

namespace lv {

// Looks `name` up in `handle` into `pointer`; false, with a null pointer, when the library lacks it.
template <typename Function>
bool FindLibrarySymbol(void* handle, Function*& pointer, const char* name)
{
    pointer = reinterpret_cast<Function*>(::dlsym(handle, name));
    return pointer != nullptr;
}

}  // namespace lv
