#pragma once
// Files named on the command line, opened at start-up.
//
// Leading switches ("-...") are skipped. Each argument must end in a dot and three
// characters, otherwise the scan ends. A counter rises by one for each argument examined
// and by one more for each file opened; the scan stops once it exceeds 2, so at most two
// files open and a third is never looked at.

#include "app/core/document_opener.h"

#include <span>
#include <string>

namespace lv {

// Hands the arguments (without the program name) to the opener; returns how many opened.
int OpenCommandLineFiles(std::span<const std::string> arguments, DocumentOpener& opener);

}  // namespace lv
