#pragma once
// The settings the program reads at start-up and keeps for the whole session, and the
// ordered save at exit.

#include "app/core/recent_lists.h"
#include "app/core/view/rgb_triple.h"
#include "common/settings.h"

#include <string>

namespace lv {

struct Configuration {
    int gammaR = setting::kGammaR.def;
    int gammaG = setting::kGammaG.def;
    int gammaB = setting::kGammaB.def;
    RgbTriple activeColour{255, 255, 0};
    RgbTriple secondaryColour{0, 0, 255};
    int brushShape = setting::kBrushShape.def;
    int brushSize = setting::kBrushSize.def;
    int brushSpeed = setting::kBrushSpeed.def;
    bool showBrush = true;
    bool showColorPal = true;
    bool showTools = true;
    int transparencyGrid = setting::kTransparencyGrid.def;
    int undoLevel = setting::kUndoLevel.def;
    bool fitInWindow = setting::kFitInWindow.def == 1;  // new windows open fitted to the workspace
    int lastZoomLevel = 0;  // the level of the last zoom step, in any window
    std::string albumName{setting::kAlbumName.def};
    std::string stampName{setting::kStampName.def};  // never read: each session starts with the default stamp
    int scanCalFlag = setting::kScanCalFlag.def;
    int scanCalChannel = setting::kScanCalChannel.def;
    std::string scanCalParam;
    int printCalFlag = setting::kPrintCalFlag.def;
    int printCalChannel = setting::kPrintCalChannel.def;
    int blackGeneration = setting::kBlackGeneration.def;
    int underColorRemov = setting::kUnderColorRemov.def;
    int totalInkLimit = setting::kTotalInkLimit.def;
    std::string loginId;  // read when the main window is created
};

// Every key read at start-up, with the defaults of absent keys.
Configuration LoadConfiguration(const Settings& settings);

// The exit save, in this order: "AppName" and "Login_ID"; then "Version", the colours,
// the brush, "Show Brush", the transparency grid, "ShowColorPal" and "ShowTools", stopping
// at the first write that fails; then the recent lists; then the stamp, the album and the
// colour-separation keys, and the print calibration switch and channel. "UndoLevel" and the
// other start-up-only keys are never written.
void SaveConfigurationAtExit(Settings& settings, const Configuration& config, const RecentLists& recent,
                             const std::string& executablePath);

}  // namespace lv
