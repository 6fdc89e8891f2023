#include "imagelib/progress.h"

#include "common/ui_service.h"

namespace lv {
namespace {
bool cancellationEnabled = false;
}

bool AbortRequested()
{
    return cancellationEnabled && ui::EscapeHeld();
}

void SetCancellationEnabled(bool enabled)
{
    cancellationEnabled = enabled;
}

bool CancellationEnabled()
{
    return cancellationEnabled;
}

void ReportProgress(std::string_view caption, int percent)
{
    ui::ReportProgress(caption, percent);
}

}  // namespace lv
