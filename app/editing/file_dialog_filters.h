#pragma once
// The file-type lists of the Open and Save-as dialogs as Qt name filters. File names on
// Linux are case-sensitive, so every pattern is offered in upper and lower case.

#include "imagelib/codecs/file_filters.h"

#include <QStringList>

#include <span>

namespace lv::app {

QStringList NameFilters(std::span<const FileFilter> filters);

}  // namespace lv::app
