#include "app/core/configuration.h"

#include <algorithm>
#include <functional>

namespace lv {
namespace {

std::uint8_t colourChannel(const Settings& settings, setting::IntKey key)
{
    return std::uint8_t(std::clamp(settings.get(key), 0, 255));
}

}  // namespace

Configuration LoadConfiguration(const Settings& settings)
{
    using namespace setting;
    Configuration c;
    c.gammaR = settings.get(kGammaR);
    c.gammaG = settings.get(kGammaG);
    c.gammaB = settings.get(kGammaB);
    c.activeColour = {colourChannel(settings, kActR), colourChannel(settings, kActG), colourChannel(settings, kActB)};
    c.secondaryColour = {colourChannel(settings, kAltR), colourChannel(settings, kAltG), colourChannel(settings, kAltB)};
    c.brushShape = settings.get(kBrushShape);
    c.brushSize = settings.get(kBrushSize);
    c.brushSpeed = settings.get(kBrushSpeed);
    c.showBrush = settings.get(kShowBrush) != 0;
    c.showColorPal = settings.get(kShowColorPal) != 0;
    c.showTools = settings.get(kShowTools) != 0;
    c.transparencyGrid = settings.get(kTransparencyGrid);
    c.undoLevel = settings.get(kUndoLevel);
    c.fitInWindow = settings.get(kFitInWindow) == 1;
    c.albumName = settings.get(kAlbumName);
    c.scanCalFlag = settings.get(kScanCalFlag);
    c.scanCalChannel = settings.get(kScanCalChannel);
    c.scanCalParam = settings.get(kScanCalParam);
    c.printCalFlag = settings.get(kPrintCalFlag);
    c.printCalChannel = settings.get(kPrintCalChannel);
    c.blackGeneration = settings.get(kBlackGeneration);
    c.underColorRemov = settings.get(kUnderColorRemov);
    c.totalInkLimit = settings.get(kTotalInkLimit);
    return c;
}

void SaveConfigurationAtExit(Settings& settings, const Configuration& c, const RecentLists& recent,
                             const std::string& executablePath)
{
    using namespace setting;
    settings.set(kAppName, executablePath);
    settings.set(kLoginId, c.loginId);

    const std::pair<IntKey, int> chain[] = {
        {kVersion, kProgramVersion},
        {kActR, c.activeColour.red},
        {kActG, c.activeColour.green},
        {kActB, c.activeColour.blue},
        {kAltR, c.secondaryColour.red},
        {kAltG, c.secondaryColour.green},
        {kAltB, c.secondaryColour.blue},
        {kBrushShape, c.brushShape},
        {kBrushSize, c.brushSize},
        {kBrushSpeed, c.brushSpeed},
        {kShowBrush, c.showBrush ? 1 : 0},
        {kTransparencyGrid, c.transparencyGrid},
        {kShowColorPal, c.showColorPal ? 1 : 0},
        {kShowTools, c.showTools ? 1 : 0},
    };
    for (const auto& [key, value] : chain)
        if (!settings.set(key, value))
            break;

    recent.save(settings);

    // The keys whose owners (stamp tool, album, printing) keep them up to date in the session.
    settings.set(kStampName, c.stampName);
    settings.set(kAlbumName, c.albumName);
    settings.set(kBlackGeneration, c.blackGeneration);
    settings.set(kUnderColorRemov, c.underColorRemov);
    settings.set(kTotalInkLimit, c.totalInkLimit);
    // The print calibration switch and the channel last shown are saved with the other print
    // options, so a switch turned on stays on.
    settings.set(kPrintCalFlag, c.printCalFlag);
    settings.set(kPrintCalChannel, c.printCalChannel);
}

}  // namespace lv
