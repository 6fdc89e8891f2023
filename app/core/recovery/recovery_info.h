#pragma once
// The side file of a recovery copy: what the copy is of (the document's file or its untitled
// name), when it was written, by which version of the program, and what the copy should be
// like, so a copy cut short or replaced can be told apart from a whole one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lv {

struct RecoveryInfo {
    std::string title;          // the document's path, or its untitled name
    bool untitled = false;      // the title names no file
    std::int64_t savedAt = 0;   // seconds since 1970 (UTC)
    int programVersion = 0;
    std::uint64_t copyBytes = 0;  // the length of the layered copy
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t xPelsPerMeter = 0;  // the copy keeps no composite, which holds the resolution
    std::int32_t yPelsPerMeter = 0;

    bool operator==(const RecoveryInfo&) const = default;
};

// Side files are small; a reader takes no more than this.
inline constexpr std::size_t kMaxRecoveryInfoBytes = 16 * 1024;

// Text lines "key=value" after a first line naming the format; control characters and "%"
// in the title are written as "%XX".
std::string SerialiseRecoveryInfo(const RecoveryInfo& info);

// Nothing when the text is not a whole side file (wrong first line, a value missing or out
// of range, too long).
std::optional<RecoveryInfo> ParseRecoveryInfo(std::string_view text);

}  // namespace lv
