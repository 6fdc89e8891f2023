#pragma once
// The name a layer added from a file takes: the file's name without its folder and its
// extension, cut to 63 characters so the palette's row still shows it.

#include <string>
#include <string_view>

namespace lv {

inline constexpr std::size_t kFileLayerNameCharacters = 63;

std::string LayerNameForPicturePath(std::string_view path);

}  // namespace lv
