#pragma once
// The desktop parts of the source manager for a program that runs a Qt application: the
// sources' dialogs, the selection dialog and the event that brings notifications round.
// Without a QApplication (the command line) none of them shows.

#include "acquire/source_manager/source_platform.h"

namespace lv::twain {

SourcePlatform QtSourcePlatform();

std::optional<std::size_t> ShowSelectSourceDialog(const std::vector<TW_IDENTITY>& sources, std::size_t defaultIndex);
std::unique_ptr<SourceDialog> ShowSourceDialog(SourceDialogHost& host);

}  // namespace lv::twain
