#include "imagelib/format_registry.h"

#include "imagelib/bmp.h"
#include "imagelib/jpeg.h"
#include "imagelib/save_options.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

ReadResult readBmp(const std::string& path) { return ReadBmp(path); }
WriteResult writeBmp(const std::string& path, HDIB& image) { return WriteBmp(path, image); }
ReadResult readJpeg(const std::string& path) { return ReadJpeg(path); }
WriteResult writeJpeg(const std::string& path, HDIB& image) { return WriteJpeg(path, image, CurrentSaveOptions().jpegQuality); }

// Trial order: BMP, TIF, PCX, GIF, TGA, JPEG, PCD, FPX. Formats join as their codecs do.
constexpr ImageFormat kFormats[] = {
    {1, "BMP", "", readBmp, writeBmp},
    {6, "JPG", "JPEG", readJpeg, writeJpeg},
};

// The write side's seven slots, by number.
constexpr std::array<std::string_view, 7> kWriteSlots = {"BMP", "TIF", "PCX", "GIF", "TGA", "JPG", "FPX"};

}  // namespace

std::span<const ImageFormat> ImageFormats()
{
    return kFormats;
}

const ImageFormat* FindFormatByExtension(std::string_view upperExtension)
{
    for (const ImageFormat& format : kFormats)
        if (format.name == upperExtension || (!format.alternative.empty() && format.alternative == upperExtension))
            return &format;
    return nullptr;
}

int FindWriteSlot(std::string_view upperExtension)
{
    const auto it = std::find(kWriteSlots.begin(), kWriteSlots.end(), upperExtension);
    return it == kWriteSlots.end() ? 0 : int(it - kWriteSlots.begin()) + 1;
}

const ImageFormat* FindFormatByWriteSlot(int slot)
{
    if (slot < 1 || slot > int(kWriteSlots.size()))
        return nullptr;
    const ImageFormat* format = FindFormatByExtension(kWriteSlots[std::size_t(slot - 1)]);
    return format && format->write ? format : nullptr;
}

}  // namespace lv
