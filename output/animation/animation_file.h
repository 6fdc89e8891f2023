#pragma once
// An animation written to a file by its extension (".gif" or ".webp") through the safe
// write path.

#include "output/animation/animation.h"

#include <string>

namespace lv::animation {

// Empty when written; otherwise the message for the user, naming the file.
std::string SaveAnimation(const std::string& path, std::span<const Frame> frames, const AnimationOptions& options);

// Whether the extension names a format SaveAnimation writes.
bool IsAnimationFileName(const std::string& path);

}  // namespace lv::animation
