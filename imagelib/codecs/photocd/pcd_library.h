#pragma once
// The Photo CD library: opens an image pack, takes the output format and resolution,
// and loads the picture as a packed bitmap, calling back for cancellation and progress.
//
// Format codes: 11 gives 24-bit colour, 10 gives 8-bit grey (the luma alone).
// Resolution codes 1 to 5: Base/16 (192 x 128), Base/4, Base (768 x 512), 4Base, 16Base;
// a level beyond what the pack holds gives the largest level it holds.
// The loaded block is laid out the library's way: 24-bit rows start at byte 1064 (after
// a table's worth of unused bytes), grey pictures carry their 256 grey entries but a
// colour count of 0, and the resolution is 0. The picture is turned upright as the pack's
// attributes ask.

#include "common/byte_source.h"
#include "imagelib/dib.h"

#include <memory>

namespace lv::photocd {

inline constexpr int kFormatGrey = 10;
inline constexpr int kFormatColour = 11;

enum PcdStatus : int {
    kPcdOk = 0,
    kPcdBadArgument = 1,
    kPcdNotImagePack = 2,
    kPcdReadError = 3,
    kPcdAborted = 4,
    kPcdOutOfMemory = 12,
};

struct PcdReference;  // one open image pack
using PcdRef = std::unique_ptr<PcdReference, void (*)(PcdReference*)>;

using PcdAbortCallback = bool (*)(void* data);
using PcdProgressCallback = void (*)(int done, int total, void* data);

// Checks the pack's signature and reads its attributes; the file stays the caller's.
int PCDrefOpen(ByteSource& file, PcdRef& reference);
int PCDsetFormat(PcdReference* reference, int format);
int PCDsetResolution(PcdReference* reference, int resolution);
int PCDsetAbort(PcdReference* reference, PcdAbortCallback callback, void* data);
int PCDsetProgress(PcdReference* reference, PcdProgressCallback callback, void* data);
// `reserved` is 0. On kPcdOk `image` holds the new block.
int PCDloadImage(PcdReference* reference, int reserved, HDIB& image);
int PCDrefClose(PcdRef& reference);

}  // namespace lv::photocd
