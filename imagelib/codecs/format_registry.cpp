#include "imagelib/codecs/format_registry.h"

#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/flashpix/fpx.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/pcx/pcx.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/codecs/gif/gif.h"
#include "imagelib/codecs/heif/heif.h"
#include "imagelib/codecs/jxl/jxl.h"
#include "imagelib/codecs/raw/camera_raw.h"
#include "imagelib/codecs/webp/webp.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/tiff/tiff.h"

#include <algorithm>
#include <array>

namespace lv {
namespace {

ReadResult readBmp(const std::string& path) { return ReadBmp(path); }
WriteResult writeBmp(const std::string& path, HDIB& image) { return WriteBmp(path, image); }
ReadResult readJpeg(const std::string& path) { return ReadJpeg(path); }
WriteResult writeJpeg(const std::string& path, HDIB& image) { return WriteJpeg(path, image, CurrentSaveOptions().jpegQuality); }
ReadResult readPcx(const std::string& path) { return ReadPcx(path); }
WriteResult writePcx(const std::string& path, HDIB& image) { return WritePcx(path, image); }
ReadResult readTarga(const std::string& path) { return ReadTarga(path); }
WriteResult writeTarga(const std::string& path, HDIB& image) { return WriteTarga(path, image); }
ReadResult readTiff(const std::string& path) { return ReadTiff(path); }
WriteResult writeTiff(const std::string& path, HDIB& image) { return WriteTiff(path, image); }
WriteResult writeTiffWithFacts(const std::string& path, HDIB& image, const PictureFacts& facts)
{
    return WriteTiff(path, image, facts.iccProfile);
}
WriteResult writeJpegWithFacts(const std::string& path, HDIB& image, const PictureFacts& facts)
{
    return WriteJpeg(path, image, CurrentSaveOptions().jpegQuality, facts.iccProfile);
}
ReadResult readGif(const std::string& path) { return ReadGif(path); }
WriteResult writeGif(const std::string& path, HDIB& image) { return WriteGif(path, image); }
ReadResult readPhotoCd(const std::string& path) { return ReadPhotoCd(path); }
ReadResult readFlashPix(const std::string& path) { return ReadFlashPix(path); }
WriteResult writeFlashPix(const std::string& path, HDIB& image) { return WriteFlashPix(path, image, CurrentSaveOptions().jpegQuality); }
ReadResult readWebp(const std::string& path) { return ReadWebp(path); }
WriteResult writeWebp(const std::string& path, HDIB& image)
{
    return WriteWebp(path, image, {CurrentSaveOptions().jpegQuality, CurrentSaveOptions().lossless});
}
ReadResult readHeif(const std::string& path) { return ReadHeif(path); }
WriteResult writeHeic(const std::string& path, HDIB& image)
{
    return WriteHeif(path, image, {HeifCodec::Hevc, CurrentSaveOptions().jpegQuality});
}
WriteResult writeAvif(const std::string& path, HDIB& image)
{
    return WriteHeif(path, image, {HeifCodec::Av1, CurrentSaveOptions().jpegQuality});
}
ReadResult readJxl(const std::string& path) { return ReadJxl(path); }
WriteResult writeJxl(const std::string& path, HDIB& image)
{
    return WriteJxl(path, image, {CurrentSaveOptions().jpegQuality, CurrentSaveOptions().lossless});
}
// LibRaw knows some cameras by a file's size alone, so only files named or marked as raw
// go to it; anything else would be "developed" by chance.
ReadResult readCameraRaw(const std::string& path)
{
    if (!IsCameraRawExtension(DispatchExtension(path)))
        return ReadCode::NotThisFormat;
    return ReadCameraRaw(path);
}

// Trial order: BMP, TIF, PCX, GIF, TGA, JPEG, PCD, FPX.
constexpr ImageFormat kFormats[] = {
    {1, "BMP", "", readBmp, writeBmp},
    {2, "TIF", "", readTiff, writeTiff, writeTiffWithFacts},
    {3, "PCX", "", readPcx, writePcx},
    {4, "GIF", "", readGif, writeGif},
    {5, "TGA", "", readTarga, writeTarga},
    {6, "JPG", "JPEG", readJpeg, writeJpeg, writeJpegWithFacts},
    {7, "PCD", "", readPhotoCd, nullptr},
    {8, "FPX", "", readFlashPix, writeFlashPix},
    {9, "WEBP", "", readWebp, writeWebp},
    {10, "HEIC", "HEIF", readHeif, writeHeic},
    {11, "AVIF", "", readHeif, writeAvif},
    {12, "JXL", "", readJxl, writeJxl},
    {13, "DNG", "", readCameraRaw, nullptr},
};

// The write side's seven slots, by number.
// The newer formats take the numbers of their Save-as types; 8 to 10 are written elsewhere.
constexpr std::array<std::string_view, 14> kWriteSlots = {"BMP", "TIF", "PCX", "GIF", "TGA", "JPG",  "FPX",
                                                          "",    "",    "",    "WEBP", "AVIF", "JXL", "HEIC"};

}  // namespace

WriteResult WriteWithFacts(const ImageFormat& format, const std::string& path, HDIB& image, const PictureFacts& facts)
{
    return format.writeWithFacts ? format.writeWithFacts(path, image, facts) : format.write(path, image);
}

std::span<const ImageFormat> ImageFormats()
{
    return kFormats;
}

const ImageFormat* FindFormatByExtension(std::string_view upperExtension)
{
    for (const ImageFormat& format : kFormats)
        if (format.name == upperExtension || (!format.alternative.empty() && format.alternative == upperExtension))
            return &format;
    if (IsCameraRawExtension(upperExtension))
        return FindFormatByExtension("DNG");
    return nullptr;
}

int FindWriteSlot(std::string_view upperExtension)
{
    if (upperExtension.empty())
        return 0;
    if (upperExtension == "HEIF")
        upperExtension = "HEIC";
    const auto it = std::find(kWriteSlots.begin(), kWriteSlots.end(), upperExtension);
    return it == kWriteSlots.end() ? 0 : int(it - kWriteSlots.begin()) + 1;
}

const ImageFormat* FindFormatByWriteSlot(int slot)
{
    if (slot < 1 || slot > int(kWriteSlots.size()))
        return nullptr;
    const ImageFormat* format = FindFormatByExtension(kWriteSlots[std::size_t(slot - 1)]);
    if (format && format->name == "HEIC" && !CanWriteHeif(HeifCodec::Hevc))
        return nullptr;
    return format && format->write ? format : nullptr;
}

}  // namespace lv
