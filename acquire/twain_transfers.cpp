#include "acquire/twain_transfers.h"

#include "common/ui_service.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace lv::twain {
namespace {

constexpr std::size_t kHeaderAndTable = 1064;  // a 40-byte header and room for 256 colours

// Native handles below this value are failures, whatever the source says.
constexpr std::uintptr_t kFirstValidHandle = 32;

void EndTransfer(const SourceCall& call, TW_PENDINGXFERS& pending)
{
    call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
}

// The source's unit of length; nothing when it can't say.
std::optional<TW_UINT16> UnitOfSource(const SourceCall& call)
{
    TW_CAPABILITY cap{ICAP_UNITS, TWON_DONTCARE16, nullptr};
    if (call(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap) != TWRC_SUCCESS)
        return std::nullopt;
    std::optional<TW_UINT16> unit;
    if (cap.hContainer) {
        if (cap.ConType == TWON_ONEVALUE)
            unit = TW_UINT16(static_cast<const TW_ONEVALUE*>(cap.hContainer)->Item);
        std::free(cap.hContainer);
    }
    return unit;
}

// Entry 0 is white when the source says so (flavour 1 in a one-value container).
bool ZeroIsWhite(const SourceCall& call)
{
    TW_CAPABILITY cap{ICAP_PIXELFLAVOR, TWON_DONTCARE16, nullptr};
    if (call(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &cap) != TWRC_SUCCESS)
        return false;
    bool white = false;
    if (cap.hContainer) {
        if (cap.ConType == TWON_ONEVALUE)
            white = TW_UINT16(static_cast<const TW_ONEVALUE*>(cap.hContainer)->Item) != 0;
        std::free(cap.hContainer);
    }
    return white;
}

// The colour table for the pixel type; returns the number of entries.
std::uint32_t FillColourTable(const SourceCall& call, int pixelType, RgbQuad* table)
{
    const auto grey = [table](std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i)
            table[i] = RgbQuad{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
        return count;
    };
    switch (pixelType) {
    case TWPT_BW: {
        const bool white = ZeroIsWhite(call);
        table[0] = white ? RgbQuad{255, 255, 255, 0} : RgbQuad{0, 0, 0, 0};
        table[1] = white ? RgbQuad{0, 0, 0, 0} : RgbQuad{255, 255, 255, 0};
        return 2;
    }
    case TWPT_GRAY:
        return grey(256);
    case TWPT_RGB:
        return 0;
    default: {
        TW_PALETTE8 palette{};
        if (call(DG_IMAGE, DAT_PALETTE8, MSG_GET, &palette) != TWRC_SUCCESS)
            return grey(256);
        const std::uint32_t count = std::min<std::uint32_t>(palette.NumColors, 256);
        for (std::uint32_t i = 0; i < count; ++i) {
            const TW_ELEMENT8& e = palette.Colors[i];
            table[i] = RgbQuad{e.Channel3, e.Channel2, e.Channel1, 0};
        }
        return count;
    }
    }
}

}  // namespace

std::int32_t PixelsPerMetre(TW_UINT16 unit, TW_FIX32 resolution)
{
    const double value = Fix32ToDouble(resolution);
    switch (unit) {
    case TWUN_INCHES:
        return std::int32_t(value * 100.0 / 2.54);
    case TWUN_CENTIMETERS:
        return std::int32_t(value * 100.0);
    default:
        return 0;
    }
}

bool FixTransferredBitmap(HDIB& dib, int imageLength, int pixelType)
{
    const BitmapInfoHeader& h = dib.header();
    const std::size_t stride = dib.stride();
    const auto rows = std::size_t(std::max(imageLength, 0));
    if (rows * stride > h.biSizeImage || dib.pixelOffset() + h.biSizeImage > dib.size())
        return false;
    // Rows trade places pairwise through one row of scratch rather than a copy of the
    // whole picture: the same result without a second picture's worth of memory.
    std::unique_ptr<std::uint8_t[]> scratch(new (std::nothrow) std::uint8_t[stride ? stride : 1]);
    if (!scratch)
        return false;
    std::uint8_t* pixels = dib.pixels();
    const bool swapRedBlue = pixelType == TWPT_RGB;
    const auto width = std::size_t(std::max(h.biWidth, 0));
    const auto toBlueGreenRed = [swapRedBlue, width](std::uint8_t* row) {
        if (swapRedBlue)
            for (std::uint8_t* p = row; p < row + 3 * width; p += 3)
                std::swap(p[0], p[2]);
    };
    for (std::size_t i = 0, j = rows ? rows - 1 : 0; i < j; ++i, --j) {
        std::uint8_t* a = pixels + i * stride;
        std::uint8_t* b = pixels + j * stride;
        std::memcpy(scratch.get(), a, stride);
        std::memcpy(a, b, stride);
        std::memcpy(b, scratch.get(), stride);
        toBlueGreenRed(a);
        toBlueGreenRed(b);
    }
    if (rows % 2 == 1)
        toBlueGreenRed(pixels + (rows / 2) * stride);
    return true;
}

HDIB CopyNativeBitmap(const void* block)
{
    BitmapInfoHeader h;
    std::memcpy(&h, block, sizeof h);
    const int bits = h.biBitCount;
    if (h.biSize != 40 || h.biWidth <= 0 || h.biHeight == 0 || h.biWidth > kMaxPictureDimension ||
        std::abs(std::int64_t(h.biHeight)) > kMaxPictureDimension || h.biCompression != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return nullptr;
    const std::uint32_t colours = h.biClrUsed ? h.biClrUsed : bits <= 8 ? (1u << bits) : 0;
    if (colours > 256)
        return nullptr;
    const std::uint64_t rows = DibStride(std::uint32_t(h.biWidth), unsigned(bits)) * std::uint64_t(std::abs(h.biHeight));
    if (rows > kMaxPictureBytes)
        return nullptr;
    const std::size_t size = kDibHeaderSize + 4 * std::size_t(colours) + std::size_t(rows);
    HDIB copy = HDIB::AllocateZeroed(size + kDibSpareBytes);
    if (!copy)
        return nullptr;
    std::memcpy(copy.data(), block, size);
    copy.header().biClrUsed = colours;
    return copy;
}

void RunNativeTransfers(const SourceCall& call, TW_PENDINGXFERS& pending, const PictureReceiver& receive)
{
    while (pending.Count != 0) {
        TW_HANDLE handle = nullptr;
        const TW_UINT16 rc = call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
        if (rc == TWRC_XFERDONE) {
            EndTransfer(call, pending);
            HDIB picture;
            if (reinterpret_cast<std::uintptr_t>(handle) >= kFirstValidHandle)
                picture = CopyNativeBitmap(handle);
            if (reinterpret_cast<std::uintptr_t>(handle) >= kFirstValidHandle)
                std::free(handle);
            receive(std::move(picture));
        } else {
            EndTransfer(call, pending);
            receive(nullptr);
        }
    }
}

void RunMemoryTransfers(const SourceCall& call, TW_PENDINGXFERS& pending, const PictureReceiver& receive)
{
    ui::BusyCursor busy;
    while (pending.Count != 0) {
        TW_IMAGEINFO info{};
        if (call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS)
            return;
        const int width = info.ImageWidth, length = info.ImageLength, bits = info.BitsPerPixel;
        if (width <= 0 || length <= 0 || bits <= 0 || bits > 32)
            return;
        const std::uint64_t rowBytes = DibStride(std::uint32_t(width), unsigned(bits));
        const std::uint64_t imageBytes = rowBytes * std::uint64_t(length);
        TW_SETUPMEMXFER setup{};
        if (call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS || setup.Preferred == 0)
            return;
        const std::uint64_t preferred = setup.Preferred;
        const std::uint64_t bufferBytes = (imageBytes / preferred + 1) * preferred;
        if (bufferBytes > kMaxPictureBytes)
            return;
        HDIB dib = HDIB::AllocateZeroed(std::size_t(bufferBytes) + kHeaderAndTable);
        if (!dib)
            return;  // out of memory: silently
        BitmapInfoHeader& h = dib.header();
        h.biSize = 40;
        h.biWidth = width;
        h.biHeight = length;
        h.biPlanes = 1;
        h.biBitCount = std::uint16_t(bits);
        h.biCompression = 0;
        h.biSizeImage = std::uint32_t(bufferBytes);
        const std::optional<TW_UINT16> unit = UnitOfSource(call);
        h.biXPelsPerMeter = unit ? PixelsPerMetre(*unit, info.XResolution) : 0;
        h.biYPelsPerMeter = unit ? PixelsPerMetre(*unit, info.YResolution) : 0;
        h.biClrUsed = FillColourTable(call, info.PixelType, dib.colors());
        h.biClrImportant = 0;

        if (call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup) != TWRC_SUCCESS)
            return;
        TW_IMAGEMEMXFER xfer{};
        xfer.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, setup.Preferred, dib.pixels()};
        std::uint8_t* const end = dib.data() + dib.size();
        for (;;) {
            const TW_UINT16 rc = call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
            if (rc == TWRC_SUCCESS) {
                auto* next = static_cast<std::uint8_t*>(xfer.Memory.TheMem) + xfer.BytesWritten;
                // A source that writes more than it may would run past the block.
                if (next + setup.Preferred > end) {
                    EndTransfer(call, pending);
                    receive(nullptr);
                    break;
                }
                xfer.Memory.TheMem = next;
                continue;
            }
            if (rc == TWRC_XFERDONE) {
                FixTransferredBitmap(dib, length, info.PixelType);
                // The buffer was rounded up to whole transfer blocks; the picture is what it holds.
                dib.header().biSizeImage = std::uint32_t(imageBytes);
                receive(std::move(dib));
                EndTransfer(call, pending);
            } else {
                EndTransfer(call, pending);
                receive(nullptr);
            }
            break;
        }
    }
}

}  // namespace lv::twain
