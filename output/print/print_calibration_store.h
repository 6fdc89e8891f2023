#pragma once
// Where the print calibration lives and whether it is used: "printcal.dat" in the user's
// writable copy of the program folder, else the program folder, and the process-wide switch
// that the settings load at start-up and save at exit.

#include "imagelib/print_calibration.h"

#include <filesystem>

namespace lv::print {

// The file read first (the writable place) and the one read when that is missing.
struct CalibrationFiles {
    std::filesystem::path writable;
    std::filesystem::path shipped;
};
CalibrationFiles CalibrationFilesFor(const std::filesystem::path& programDir, const std::filesystem::path& userDataDir);
CalibrationFiles CurrentCalibrationFiles();

// The curves of the first file that is a calibration file; the identity curves otherwise.
// `source`, when given, names the file read (empty for the identity curves).
CalibrationCurves LoadCalibrationCurves(const CalibrationFiles& files, std::filesystem::path* source = nullptr);
CalibrationCurves LoadCalibrationCurves();
// Writes the writable file (its folder made when missing); false with the reason on failure.
bool SaveCalibrationCurves(const CalibrationCurves& curves, FileFailure* failure = nullptr);

bool PrintCalibrationEnabled();
void SetPrintCalibrationEnabled(bool enabled);

// The picture through the curves when calibration is on and the curves change it; null when it
// is to be printed as it is.
HDIB ApplyCalibration(const HDIB& image);

}  // namespace lv::print
