#pragma once
// Running out of memory while a file is read: std::bad_alloc is caught where the file is
// read, the user hears string 2004 with the file's name ("%s --- %s"), and the reading
// fails as if the file could not be read. Nothing else may let it reach the top.

#include "common/warning_messages.h"

#include <new>
#include <string_view>

namespace lv {

inline constexpr int kNotEnoughMemoryString = 2004;

// `read()`, or `failed()` after the message when memory ran out.
template <typename Read, typename Failed>
auto ReadWithinMemory(std::string_view path, Read&& read, Failed&& failed) -> decltype(read())
{
    try {
        return read();
    } catch (const std::bad_alloc&) {
        ShowDetailedStringMessage(kNotEnoughMemoryString, path);
        return failed();
    }
}

}  // namespace lv
