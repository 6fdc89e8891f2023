#pragma once
// Sending a lighter picture: a JPEG copy whose longest side is at most 1024 or 1600 pixels,
// made in the temporary folder, instead of the whole file.

#include "common/geometry.h"
#include "imagelib/codecs/document_open.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lv::sharing {

inline constexpr int kSmallerCopyQuality = 85;

// The sides the user can choose; 0 sends the file itself.
bool ValidSmallerSide(int longestSide);

// The picture's size scaled so its longest side is `longestSide` (never larger than it was).
Size FittedSize(Size size, int longestSide);

// The copy's path in `folder`: the picture's name with ".jpg", numbered when taken. Null
// when the picture can't be read or the copy can't be written (the message was shown); the
// picture's own path when it is small enough already and is a JPEG.
std::optional<std::string> MakeSmallerCopy(const std::string& path, int longestSide,
                                           const std::filesystem::path& folder, const DocumentReaders& readers);

}  // namespace lv::sharing
