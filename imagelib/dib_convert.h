#pragma once
// Depth conversions between packed-DIB pictures. Each returns a new picture (the source
// is never freed) or null for an unsupported source, exhausted memory or cancellation.
// Exhausted memory goes to `shortage` when given (see dib_alloc.h).

#include "common/file_problem.h"
#include "imagelib/dib.h"

namespace lv {

// 1-, 4-, 8- and 16-bit (5-5-5) sources to 24 bits, same size and resolution. Cancellable.
HDIB DibPromoteTo24(const HDIB& source, FileFailure* shortage = nullptr);

// 24 bits to 8 bits on the fixed 216-colour palette with gathering error diffusion.
HDIB DibReduceToWebPalette(const HDIB& source, FileFailure* shortage = nullptr);

// 24 bits to 8 bits with an adaptive palette of up to 256 colours. Mode 22 is 5-bit
// channels with error-diffusion mapping, the only mode the program uses; modes of 100
// and more quantise to 6 bits. Cancellable.
HDIB DibMedianCut(const HDIB& source, int mode, FileFailure* shortage = nullptr);

}  // namespace lv
