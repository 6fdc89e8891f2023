#include "output/print/print_calibration_store.h"

#include "common/failure_notices.h"
#include "common/program_paths.h"

#include <atomic>

namespace lv::print {
namespace {

constexpr std::string_view kCalibrationFile = "printcal.dat";

std::atomic<bool>& calibrationSwitch()
{
    static std::atomic<bool> enabled{false};
    return enabled;
}

}  // namespace

CalibrationFiles CalibrationFilesFor(const std::filesystem::path& programDir, const std::filesystem::path& userDataDir)
{
    return {ResolveWritableLocation(programDir, userDataDir, kCalibrationFile), programDir / kCalibrationFile};
}

CalibrationFiles CurrentCalibrationFiles()
{
    return CalibrationFilesFor(ProgramDir(), UserDataDir());
}

CalibrationCurves LoadCalibrationCurves(const CalibrationFiles& files, std::filesystem::path* source)
{
    for (const std::filesystem::path& file : {files.writable, files.shipped})
        if (auto curves = ReadCalibrationFile(file)) {
            if (source)
                *source = file;
            return *curves;
        }
    if (source)
        source->clear();
    return IdentityCurves();
}

CalibrationCurves LoadCalibrationCurves()
{
    return LoadCalibrationCurves(CurrentCalibrationFiles());
}

bool SaveCalibrationCurves(const CalibrationCurves& curves, FileFailure* failure)
{
    return WriteCalibrationFile(WritableProgramFile(kCalibrationFile), curves, failure);
}

bool PrintCalibrationEnabled()
{
    return calibrationSwitch().load();
}

void SetPrintCalibrationEnabled(bool enabled)
{
    calibrationSwitch().store(enabled);
}

HDIB ApplyCalibration(const HDIB& image)
{
    if (!image || !PrintCalibrationEnabled())
        return nullptr;
    FileFailure failure;
    HDIB mapped = MapThroughCurves(image, LoadCalibrationCurves(), &failure);
    ShowFailureNotices(failure);
    return mapped;
}

}  // namespace lv::print
