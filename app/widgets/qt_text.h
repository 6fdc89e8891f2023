#pragma once
// The program's UTF-8 texts as Qt strings.

#include "common/string_table.h"

#include <QString>

#include <string_view>

namespace lv::app {

inline QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A string-table entry; empty for −1 or a number without text.
inline QString StringText(int id)
{
    return id >= 0 ? QtText(LoadString(id)) : QString();
}

}  // namespace lv::app
