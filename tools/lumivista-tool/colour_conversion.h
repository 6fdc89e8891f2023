#pragma once
// The tool's colour-profile options: what info reports and what convert --to-srgb does.

#include "image_io.h"
#include "json_writer.h"

#include <optional>
#include <string>

namespace lv::tool {

// The embedded profile's description; nothing for an untagged picture, "(unreadable)" for
// bytes that are no profile.
std::optional<std::string> ColourProfileName(const PictureFacts& facts);
// The same as a JSON value: the description, or null.
void WriteColourProfileName(JsonWriter& json, const PictureFacts& facts);

// Turns the picture's pixels from its embedded profile into sRGB and tags it sRGB. An
// untagged picture is taken as sRGB already and only tagged. Returns 0, or the exit code
// after saying why (a profile that cannot be used names the file).
int ConvertToSrgb(ToolPicture& picture, const std::string& path);

}  // namespace lv::tool
