#include "acquire/tests/fake_source_manager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lv::testing {

using namespace twain;

namespace {

FakeSourceManager* gCurrent = nullptr;

TW_UINT16 Trampoline(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    return gCurrent->entry(origin, dest, group, dat, msg, data);
}

TW_HANDLE OneValue(TW_UINT16 type, TW_UINT32 item)
{
    auto* one = static_cast<TW_ONEVALUE*>(std::calloc(1, sizeof(TW_ONEVALUE)));
    one->ItemType = type;
    one->Item = item;
    return one;
}

}  // namespace

FakeSourceManager::FakeSourceManager()
{
    gCurrent = this;
    rows = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0,  // top row
            11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
}

FakeSourceManager::~FakeSourceManager()
{
    gCurrent = nullptr;
}

DSMENTRYPROC FakeSourceManager::load()
{
    loaded = true;
    if (state < 2)
        state = 2;
    return Trampoline;
}

TW_UINT16 FakeSourceManager::entry(TW_IDENTITY*, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg,
                                   TW_MEMREF data)
{
    char name[32];
    std::snprintf(name, sizeof name, "%X/%X/%X", unsigned(group), unsigned(dat), unsigned(msg));
    if (!(dat == DAT_EVENT && msg == MSG_PROCESSEVENT))
        calls.emplace_back(name);
    if (group == DG_CONTROL && dat == DAT_PARENT) {
        if (msg == MSG_OPENDSM && state == 2)
            return state = 3, TWRC_SUCCESS;
        if (msg == MSG_CLOSEDSM && state == 3)
            return state = 2, TWRC_SUCCESS;
        return TWRC_FAILURE;
    }
    if (group == DG_CONTROL && dat == DAT_IDENTITY) {
        auto& id = *static_cast<TW_IDENTITY*>(data);
        switch (msg) {
        case MSG_GETFIRST:
        case MSG_GETDEFAULT:
            std::memset(&id, 0, sizeof id);
            id.Id = 7;
            std::strcpy(id.ProductName, "Fake Scanner");
            return TWRC_SUCCESS;
        case MSG_GETNEXT:
            return TWRC_ENDOFLIST;
        case MSG_USERSELECT:
            if (cancelSelection)
                return TWRC_CANCEL;
            id.Id = 7;
            std::strcpy(id.ProductName, "Fake Scanner");
            return TWRC_SUCCESS;
        case MSG_OPENDS:
            if (state != 3)
                return TWRC_FAILURE;
            opened = id;
            id.Id = 7;
            return state = 4, TWRC_SUCCESS;
        case MSG_CLOSEDS:
            if (state != 4)
                return TWRC_FAILURE;
            return state = 3, TWRC_SUCCESS;
        }
        return TWRC_FAILURE;
    }
    if (!dest || dest->Id != 7 || state < 4)
        return TWRC_FAILURE;
    if (group == DG_CONTROL && dat == DAT_USERINTERFACE) {
        const auto& ui = *static_cast<TW_USERINTERFACE*>(data);
        if (msg == MSG_ENABLEDS && state == 4 && !refuseEnable) {
            lastShowUi = std::to_string(ui.ShowUI);
            return state = 5, TWRC_SUCCESS;
        }
        if (msg == MSG_DISABLEDS && state == 5)
            return state = 4, TWRC_SUCCESS;
        return TWRC_FAILURE;
    }
    if (group == DG_CONTROL && dat == DAT_EVENT) {
        auto& event = *static_cast<TW_EVENT*>(data);
        event.TWMessage = MSG_NULL;
        if (notifications.empty() || state < 5)
            return TWRC_NOTDSEVENT;
        event.TWMessage = notifications.front();
        notifications.pop_front();
        if (event.TWMessage == MSG_XFERREADY)
            state = 6, pending_ = picturesPerBatch, sent_ = 0;
        return TWRC_DSEVENT;
    }
    if (group == DG_CONTROL && dat == DAT_CAPABILITY) {
        auto& cap = *static_cast<TW_CAPABILITY*>(data);
        if (msg == MSG_SET)
            return state == 4 ? TWRC_SUCCESS : TWRC_FAILURE;
        if (msg != MSG_GETCURRENT)
            return TWRC_FAILURE;
        if (cap.Cap == ICAP_UNITS) {
            cap.ConType = TWON_ONEVALUE;
            cap.hContainer = OneValue(TWTY_UINT16, units);
            return TWRC_SUCCESS;
        }
        if (cap.Cap == ICAP_PIXELFLAVOR && flavor) {
            if (flavorAsEnumeration) {
                auto* e = static_cast<TW_ENUMERATION*>(std::calloc(1, sizeof(TW_ENUMERATION) + 4));
                e->ItemType = TWTY_UINT16;
                e->NumItems = 1;
                std::memcpy(e->ItemList, &*flavor, 2);
                cap.ConType = TWON_ENUMERATION;
                cap.hContainer = e;
            } else {
                cap.ConType = TWON_ONEVALUE;
                cap.hContainer = OneValue(TWTY_UINT16, *flavor);
            }
            return TWRC_SUCCESS;
        }
        return TWRC_FAILURE;
    }
    if (group == DG_CONTROL && dat == DAT_PENDINGXFERS && msg == MSG_ENDXFER) {
        auto& pending = *static_cast<TW_PENDINGXFERS*>(data);
        if (state < 6)
            return TWRC_FAILURE;
        pending.Count = TW_UINT16(--pending_);
        sent_ = 0;
        state = pending_ ? 6 : 5;
        return TWRC_SUCCESS;
    }
    if (group == DG_CONTROL && dat == DAT_SETUPMEMXFER) {
        auto& setup = *static_cast<TW_SETUPMEMXFER*>(data);
        const auto row = TW_UINT32(rowBytes());
        setup = TW_SETUPMEMXFER{row, 0xFFFFFFFF, stripBytes ? stripBytes : row};
        return TWRC_SUCCESS;
    }
    if (group == DG_IMAGE && dat == DAT_IMAGEINFO) {
        auto& info = *static_cast<TW_IMAGEINFO*>(data);
        std::memset(&info, 0, sizeof info);
        info.XResolution = info.YResolution = DoubleToFix32(resolution);
        info.ImageWidth = width;
        info.ImageLength = height;
        info.BitsPerPixel = TW_INT16(bitsPerPixel);
        info.PixelType = TW_INT16(pixelType);
        return state >= 6 ? TWRC_SUCCESS : TWRC_FAILURE;
    }
    if (group == DG_IMAGE && dat == DAT_PALETTE8) {
        if (!palette)
            return TWRC_FAILURE;
        *static_cast<TW_PALETTE8*>(data) = *palette;
        return TWRC_SUCCESS;
    }
    if (group == DG_IMAGE && dat == DAT_IMAGEMEMXFER) {
        auto& xfer = *static_cast<TW_IMAGEMEMXFER*>(data);
        if (state < 6)
            return TWRC_FAILURE;
        state = 7;
        const std::size_t row = rowBytes();
        const std::size_t count = std::min<std::size_t>(xfer.Memory.Length / row, (rows.size() - sent_) / row);
        std::memcpy(xfer.Memory.TheMem, rows.data() + sent_, count * row);
        xfer.BytesPerRow = TW_UINT32(row);
        xfer.Rows = TW_UINT32(count);
        xfer.YOffset = TW_UINT32(sent_ / row);
        xfer.BytesWritten = TW_UINT32(count * row);
        sent_ += count * row;
        return sent_ == rows.size() ? TWRC_XFERDONE : TWRC_SUCCESS;
    }
    if (group == DG_IMAGE && dat == DAT_IMAGENATIVEXFER) {
        auto& handle = *static_cast<TW_HANDLE*>(data);
        if (state != 6)
            return TWRC_FAILURE;
        state = 7;
        if (nativeHandleBelow32) {
            handle = reinterpret_cast<TW_HANDLE>(std::uintptr_t(5));
            return TWRC_XFERDONE;
        }
        // A bottom-up blue-green-red bitmap of the rows.
        const std::size_t row = rowBytes();
        auto* block = static_cast<std::uint8_t*>(std::calloc(1, 40 + rows.size()));
        const std::int32_t header[] = {40, width, height};
        std::memcpy(block, header, 12);
        const std::uint16_t planes = 1, bits = std::uint16_t(bitsPerPixel);
        std::memcpy(block + 12, &planes, 2);
        std::memcpy(block + 14, &bits, 2);
        for (int y = 0; y < height; ++y) {
            std::uint8_t* out = block + 40 + std::size_t(height - 1 - y) * row;
            std::memcpy(out, rows.data() + std::size_t(y) * row, row);
            for (int x = 0; x < width; ++x)
                std::swap(out[3 * x], out[3 * x + 2]);
        }
        handle = block;
        return TWRC_XFERDONE;
    }
    return TWRC_FAILURE;
}

}  // namespace lv::testing
