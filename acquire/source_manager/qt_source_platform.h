#pragma once
// The desktop parts of the source manager for a program that runs a Qt application: the
// sources' dialogs, the selection dialog and the event that brings notifications round.
// Without a QApplication (the command line) none of them shows.

#include "acquire/source_manager/source_platform.h"

namespace lv::twain {

SourcePlatform QtSourcePlatform();

// Test hooks read from the environment: LUMIVISTA_TEST_SOURCE_DIALOG ("scan" or "cancel")
// presses that button as soon as a source's dialog shows; LUMIVISTA_TEST_SOURCE_SELECT (an
// index or "cancel") answers the selection dialog at once.
inline constexpr char kSourceDialogHook[] = "LUMIVISTA_TEST_SOURCE_DIALOG";
inline constexpr char kSourceSelectHook[] = "LUMIVISTA_TEST_SOURCE_SELECT";

std::optional<std::size_t> ShowSelectSourceDialog(const std::vector<TW_IDENTITY>& sources, std::size_t defaultIndex);
std::unique_ptr<SourceDialog> ShowSourceDialog(SourceDialogHost& host);

}  // namespace lv::twain
