#pragma once
// Bringing pictures over from an enabled source: native transfers (the source hands over a
// packed bitmap) and buffered memory transfers (strips from the top into a bitmap this side
// allocates, then turned bottom-up and into blue-green-red order).

#include "acquire/twain_protocol.h"
#include "imagelib/dib.h"

#include <functional>

namespace lv::twain {

// One call to the source through the manager.
using SourceCall = std::function<TW_UINT16(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)>;
// Message 0x0400 to the main window: a picture, or null when nothing arrived.
using PictureReceiver = std::function<void(HDIB picture)>;

// Repeats while the pending count is not zero; every transfer ends with MSG_ENDXFER, which
// updates `pending`.
void RunNativeTransfers(const SourceCall& call, TW_PENDINGXFERS& pending, const PictureReceiver& receive);
void RunMemoryTransfers(const SourceCall& call, TW_PENDINGXFERS& pending, const PictureReceiver& receive);

// Pixels per metre for a resolution in a unit: inches ×100/2.54, centimetres ×100, else 0.
std::int32_t PixelsPerMetre(TW_UINT16 unit, TW_FIX32 resolution);

// The rows of a strip-transferred bitmap (top row first) put bottom-up, and red-green-blue
// pixels turned into blue-green-red. False (and left as it is) when no temporary block can
// be had.
bool FixTransferredBitmap(HDIB& dib, int imageLength, int pixelType);

// A copy of the packed bitmap a native transfer handed over; the source's block is left to
// the caller. Null when its header is not a bitmap's.
HDIB CopyNativeBitmap(const void* block);

}  // namespace lv::twain
