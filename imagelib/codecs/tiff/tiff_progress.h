#pragma once
// The TIFF reader's and writer's pause between rows.

#include "imagelib/progress.h"

#include <cstdint>
#include <string_view>

namespace lv {

// Polls for cancel and reports progress at every sixteenth row; false on cancel.
inline bool TiffRowCheckpoint(int row, int height, std::string_view caption)
{
    constexpr int kRowsPerCheckpoint = 16;
    if (row % kRowsPerCheckpoint != 0)
        return true;
    if (AbortRequested())
        return false;
    ReportProgress(caption, int(std::int64_t(row) * 100 / height));
    return true;
}

}  // namespace lv
