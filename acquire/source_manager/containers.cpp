#include "acquire/source_manager/containers.h"

#include <cstdlib>
#include <cstring>

namespace lv::twain {

TW_HANDLE AllocateMemory(TW_UINT32 bytes)
{
    return std::calloc(1, bytes ? bytes : 1);
}

void FreeMemory(TW_HANDLE handle)
{
    std::free(handle);
}

std::size_t ItemSize(TW_UINT16 itemType)
{
    switch (itemType) {
    case TWTY_INT16:
    case TWTY_UINT16:
    case TWTY_BOOL:
        return 2;
    case TWTY_INT32:
    case TWTY_UINT32:
    case TWTY_FIX32:
        return 4;
    default:
        return 0;
    }
}

TW_UINT32 ReadItem(const TW_UINT8* at, TW_UINT16 itemType)
{
    if (ItemSize(itemType) == 2) {
        TW_UINT16 v;
        std::memcpy(&v, at, 2);
        return v;
    }
    TW_UINT32 v;
    std::memcpy(&v, at, 4);
    return v;
}

namespace {

void WriteItem(TW_UINT8* at, TW_UINT16 itemType, TW_UINT32 item)
{
    if (ItemSize(itemType) == 2) {
        const auto v = TW_UINT16(item);
        std::memcpy(at, &v, 2);
    } else {
        std::memcpy(at, &item, 4);
    }
}

}  // namespace

TW_HANDLE MakeOneValue(TW_UINT16 itemType, TW_UINT32 item)
{
    auto* one = static_cast<TW_ONEVALUE*>(AllocateMemory(sizeof(TW_ONEVALUE)));
    if (one) {
        one->ItemType = itemType;
        one->Item = item;
    }
    return one;
}

TW_HANDLE MakeEnumeration(TW_UINT16 itemType, const std::vector<TW_UINT32>& items, TW_UINT32 current, TW_UINT32 def)
{
    const std::size_t size = ItemSize(itemType);
    auto* e = static_cast<TW_ENUMERATION*>(AllocateMemory(TW_UINT32(offsetof(TW_ENUMERATION, ItemList) + size * items.size())));
    if (!e)
        return nullptr;
    e->ItemType = itemType;
    e->NumItems = TW_UINT32(items.size());
    e->CurrentIndex = e->DefaultIndex = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        WriteItem(e->ItemList + i * size, itemType, items[i]);
        if (items[i] == current)
            e->CurrentIndex = TW_UINT32(i);
        if (items[i] == def)
            e->DefaultIndex = TW_UINT32(i);
    }
    return e;
}

TW_HANDLE MakeRange(TW_UINT16 itemType, TW_UINT32 min, TW_UINT32 max, TW_UINT32 step, TW_UINT32 def, TW_UINT32 current)
{
    auto* r = static_cast<TW_RANGE*>(AllocateMemory(sizeof(TW_RANGE)));
    if (r)
        *r = TW_RANGE{itemType, min, max, step, def, current};
    return r;
}

TW_HANDLE MakeArray(TW_UINT16 itemType, const std::vector<TW_UINT32>& items)
{
    const std::size_t size = ItemSize(itemType);
    auto* a = static_cast<TW_ARRAY*>(AllocateMemory(TW_UINT32(offsetof(TW_ARRAY, ItemList) + size * items.size())));
    if (!a)
        return nullptr;
    a->ItemType = itemType;
    a->NumItems = TW_UINT32(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        WriteItem(a->ItemList + i * size, itemType, items[i]);
    return a;
}

std::optional<TW_UINT32> RequestedItem(const TW_CAPABILITY& capability)
{
    if (!capability.hContainer)
        return std::nullopt;
    if (capability.ConType == TWON_ONEVALUE) {
        const auto* one = static_cast<const TW_ONEVALUE*>(capability.hContainer);
        // A 16-bit item sits in the low word of the item field.
        return ItemSize(one->ItemType) == 2 ? TW_UINT32(TW_UINT16(one->Item)) : one->Item;
    }
    if (capability.ConType == TWON_ENUMERATION) {
        const auto* e = static_cast<const TW_ENUMERATION*>(capability.hContainer);
        const std::size_t size = ItemSize(e->ItemType);
        if (size == 0 || e->CurrentIndex >= e->NumItems)
            return std::nullopt;
        return ReadItem(e->ItemList + e->CurrentIndex * size, e->ItemType);
    }
    return std::nullopt;
}

}  // namespace lv::twain
