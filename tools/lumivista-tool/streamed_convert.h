#pragma once
// A convert that never makes the picture: rows go from the input file to the output file a
// band at a time, for the inputs and outputs where that gives the very bytes the general
// way would write.

#include <optional>
#include <string>

namespace lv::tool {

// The exit code of converting `in` to `out` so, with the metadata kept as WritePhoto keeps
// it; nothing, having done nothing, when the convert must go the general way. Damage found
// in the input is told as the general way's open tells it.
std::optional<int> ConvertStreamed(const std::string& in, const std::string& out, bool removePersonal);

}  // namespace lv::tool
