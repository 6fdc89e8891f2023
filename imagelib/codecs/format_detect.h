#pragma once
// Which format a file holds, by the signatures of the formats the program reads, so that a
// file named for another format still opens with the right reader.

#include "common/file_problem.h"

#include <cstdint>
#include <span>
#include <string>

namespace lv {

// The format's extension as the Save-as rule writes it (".BMP", ".TIF", ".PCX", ".GIF",
// ".JPG", ".PNG", ".VLF", ".PSD"), or empty when no signature matches (Targa files have
// none).
std::string DetectFormat(std::span<const std::uint8_t> head);

// The same for a file; empty, with the reason in `failure`, when it can't be read.
std::string DetectFileFormat(const std::string& path, FileFailure* failure = nullptr);

}  // namespace lv
