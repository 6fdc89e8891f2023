#pragma once
// Files named on the command line, opened at start-up.
//
// Leading switches ("-...") are skipped. Each argument must end in a dot and three
// characters, otherwise the scan ends. A counter rises by one for each argument examined
// and by one more for each file opened; the scan stops once it exceeds 2, so at most two
// files open and a third is never looked at. Album files go to the album page instead of
// an image window, and count as opened when it takes them.

#include "app/core/documents/document_opener.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lv {

// Takes an album file named on the command line; false when it did not.
using AlbumFileOpener = std::function<bool(const std::string& path)>;

// Names ending in ".abm", in any case: the album files the file manager hands over.
bool IsAlbumFileName(std::string_view path);

// Hands the arguments (without the program name) to the openers; returns how many opened.
// Without an album opener album files go to the document opener like any other file.
int OpenCommandLineFiles(std::span<const std::string> arguments, DocumentOpener& opener,
                         const AlbumFileOpener& openAlbum = {});

}  // namespace lv
