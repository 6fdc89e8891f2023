#pragma once
// Large blocks that are filled once, right after allocation, are asked for in 2 MB pages.

#include <cstddef>
#include <cstdint>

namespace lv {

inline constexpr std::size_t kLargePageBytes = std::size_t(2) << 20;

// Asks for the whole large pages inside the block; a hint the system may ignore.
void AskForLargePages(std::uint8_t* block, std::size_t bytes);

}  // namespace lv
