#pragma once
// Capability containers in memory the source manager hands out (plain heap blocks: a
// handle is its block's address), and the items of containers an application sends.

#include "acquire/twain_protocol.h"

#include <optional>
#include <vector>

namespace lv::twain {

TW_HANDLE AllocateMemory(TW_UINT32 bytes);
void FreeMemory(TW_HANDLE handle);

// Bytes an item of the type takes in enumerations and arrays; 0 for types not handled.
std::size_t ItemSize(TW_UINT16 itemType);

TW_HANDLE MakeOneValue(TW_UINT16 itemType, TW_UINT32 item);
TW_HANDLE MakeEnumeration(TW_UINT16 itemType, const std::vector<TW_UINT32>& items, TW_UINT32 current, TW_UINT32 def);
TW_HANDLE MakeRange(TW_UINT16 itemType, TW_UINT32 min, TW_UINT32 max, TW_UINT32 step, TW_UINT32 def, TW_UINT32 current);
TW_HANDLE MakeArray(TW_UINT16 itemType, const std::vector<TW_UINT32>& items);

// The value an application asks for in MSG_SET: a one-value container's item, or the
// current item of an enumeration. Nothing for other containers or a null handle.
std::optional<TW_UINT32> RequestedItem(const TW_CAPABILITY& capability);

// An item as stored in a container, widened to 32 bits (a 16-bit item keeps its low word).
TW_UINT32 ReadItem(const TW_UINT8* at, TW_UINT16 itemType);

}  // namespace lv::twain
