#pragma once
// Print calibration: five 256-entry tone curves kept in "printcal.dat" and applied to a copy
// of a picture just before it is printed (the picture on screen never changes).

#include "common/byte_source.h"
#include "common/file_problem.h"
#include "imagelib/dib.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace lv {

inline constexpr std::size_t kCurveEntries = 256;
inline constexpr std::size_t kCurveCount = 5;
inline constexpr std::size_t kCalibrationDataBytes = kCurveEntries * kCurveCount;  // 1280
inline constexpr std::size_t kCalibrationHeaderBytes = 18;

// Curve 0 is kept in the file but not used for printing.
enum CalibrationCurve : int { kCurveSpare = 0, kCurveRed = 1, kCurveGreen = 2, kCurveBlue = 3, kCurveGrey = 4 };

struct CalibrationCurves {
    std::array<std::uint8_t, kCalibrationDataBytes> bytes{};

    std::span<std::uint8_t, kCurveEntries> curve(int index)
    {
        return std::span<std::uint8_t, kCurveEntries>(bytes.data() + std::size_t(index) * kCurveEntries, kCurveEntries);
    }
    std::span<const std::uint8_t, kCurveEntries> curve(int index) const
    {
        return std::span<const std::uint8_t, kCurveEntries>(bytes.data() + std::size_t(index) * kCurveEntries,
                                                            kCurveEntries);
    }
    bool isIdentity(int index) const;
    bool operator==(const CalibrationCurves&) const = default;
};

// Entry i = i in all five curves.
CalibrationCurves IdentityCurves();

// The tagged block: the 18-byte little-endian header ("PCAL", 256, 5, 8, 1280, 0, 0) and the
// curves. Nothing when the header can't be read whole, its tag isn't "PCAL" or the data is short.
// Only the tag and the data are checked: the other header fields are written, never relied on.
std::optional<CalibrationCurves> ReadCalibrationBlock(ByteSource& source);
std::vector<std::uint8_t> EncodeCalibrationBlock(const CalibrationCurves& curves);

// The curves of a "printcal.dat"; nothing when the file is missing or not a calibration file.
std::optional<CalibrationCurves> ReadCalibrationFile(const std::filesystem::path& path);
// Writes the file through the safe path; false (with the reason) when it could not be written.
bool WriteCalibrationFile(const std::filesystem::path& path, const CalibrationCurves& curves,
                          FileFailure* failure = nullptr);

// A copy of the picture mapped through the curves: grey pictures through the grey curve,
// 24-bit pixels and the colour tables of palette pictures through red, green and blue (palette
// indices are copied unchanged). Null when there is nothing to do (no picture, or every curve
// used is the identity), and null with OutOfMemory and the memory message (string 2004,
// captioned "Atenção") in `failure` when no copy can be made: the caller then prints the
// picture as it is. Shows the busy cursor and progress.
HDIB MapThroughCurves(const HDIB& image, const CalibrationCurves& curves, FileFailure* failure = nullptr);

}  // namespace lv
