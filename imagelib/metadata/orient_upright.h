#pragma once
// Turns a picture upright by its stored EXIF orientation (1–8).

#include "common/file_problem.h"
#include "imagelib/dib.h"

namespace lv {

// A new picture standing as orientation `orientation` says it should be shown; for 1 (or an
// invalid value) a null handle, meaning "already upright". Null with OutOfMemory in
// `shortage` when memory runs out.
HDIB OrientUpright(const HDIB& image, int orientation, FileFailure* shortage = nullptr);

// Whether the orientation swaps width and height (5–8).
constexpr bool OrientationSwapsSides(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

}  // namespace lv
