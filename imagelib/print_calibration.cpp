#include "imagelib/print_calibration.h"

#include "common/byte_sink.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <cstring>

namespace lv {
namespace {

constexpr char kTag[4] = {'P', 'C', 'A', 'L'};
constexpr int kOutOfMemoryString = 2004;
constexpr std::uint16_t kBitsPerEntry = 8;

using Table = std::span<const std::uint8_t, kCurveEntries>;

void mapGreyOrColourRows(const HDIB& image, HDIB& copy, bool grey, Table red, Table green, Table blue, Table greyCurve)
{
    const int height = image.height();
    const int width = image.width();
    for (int y = 0; y < height; ++y) {
        if (y % 16 == 0)
            ReportProgress(kProgressProcessing, int(std::int64_t(y) * 100 / height));
        const std::uint8_t* in = image.row(y);
        std::uint8_t* out = copy.row(y);
        if (grey) {
            for (int x = 0; x < width; ++x)
                out[x] = greyCurve[in[x]];
        } else {
            for (int x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = blue[in[0]];
                out[1] = green[in[1]];
                out[2] = red[in[2]];
            }
        }
    }
}

void mapPaletteTable(const HDIB& image, HDIB& copy, Table red, Table green, Table blue)
{
    const std::uint32_t colours = image.clrUsed();
    for (std::uint32_t i = 0; i < colours; ++i) {
        const RgbQuad& in = image.colors()[i];
        copy.colors()[i] = {blue[in.rgbBlue], green[in.rgbGreen], red[in.rgbRed], 0};
    }
    const std::size_t bytes = image.stride() * std::size_t(image.height());
    constexpr std::size_t kStep = 8192;
    for (std::size_t done = 0; done < bytes; done += kStep) {
        ReportProgress(kProgressProcessing, int(done * 100 / bytes));
        std::memcpy(copy.pixels() + done, image.pixels() + done, std::min(kStep, bytes - done));
    }
}

}  // namespace

bool CalibrationCurves::isIdentity(int index) const
{
    const auto c = curve(index);
    for (std::size_t i = 0; i < kCurveEntries; ++i)
        if (c[i] != i)
            return false;
    return true;
}

CalibrationCurves IdentityCurves()
{
    CalibrationCurves curves;
    for (std::size_t i = 0; i < kCalibrationDataBytes; ++i)
        curves.bytes[i] = std::uint8_t(i % kCurveEntries);
    return curves;
}

std::optional<CalibrationCurves> ReadCalibrationBlock(ByteSource& source)
{
    std::uint8_t header[kCalibrationHeaderBytes];
    if (!source.readExact(header, sizeof header) || std::memcmp(header, kTag, sizeof kTag) != 0)
        return std::nullopt;
    CalibrationCurves curves;
    if (!source.readExact(curves.bytes.data(), curves.bytes.size()))
        return std::nullopt;
    return curves;
}

std::vector<std::uint8_t> EncodeCalibrationBlock(const CalibrationCurves& curves)
{
    MemorySink sink;
    sink.write(kTag, sizeof kTag);
    sink.writeLE16(std::uint16_t(kCurveEntries));
    sink.writeLE16(std::uint16_t(kCurveCount));
    sink.writeLE16(kBitsPerEntry);
    sink.writeLE32(std::uint32_t(kCalibrationDataBytes));
    sink.writeLE16(0);
    sink.writeLE16(0);
    sink.write(curves.bytes.data(), curves.bytes.size());
    return sink.take();
}

std::optional<CalibrationCurves> ReadCalibrationFile(const std::filesystem::path& path)
{
    // A missing or unreadable file is never reported: printing goes on uncorrected.
    auto source = FileSource::Open(path.string());
    if (!source)
        return std::nullopt;
    return ReadCalibrationBlock(*source);
}

bool WriteCalibrationFile(const std::filesystem::path& path, const CalibrationCurves& curves, FileFailure* failure)
{
    return WriteWholeFile(path.string(), EncodeCalibrationBlock(curves), failure);
}

HDIB MapThroughCurves(const HDIB& image, const CalibrationCurves& curves, FileFailure* failure)
{
    const ImageType type = DibGetType(image);
    if (type == IMG_NONE)
        return nullptr;
    const bool grey = type == IMG_GREY8;
    if (grey ? curves.isIdentity(kCurveGrey)
             : curves.isIdentity(kCurveRed) && curves.isIdentity(kCurveGreen) && curves.isIdentity(kCurveBlue))
        return nullptr;

    ui::BusyCursor busy;
    const std::size_t bytes = image.pixelOffset() + image.stride() * std::size_t(image.height());
    FileFailure shortage;
    HDIB copy = DibAlloc(bytes, &shortage);
    if (!copy) {
        if (failure)
            *failure = WordedFailure(FileProblem::OutOfMemory, std::string(LoadString(kOutOfMemoryString)));
        return nullptr;
    }
    std::memcpy(copy.data(), image.data(), kDibHeaderSize);
    const Table red = curves.curve(kCurveRed), green = curves.curve(kCurveGreen), blue = curves.curve(kCurveBlue);
    if (type == IMG_GREY8 || type == IMG_RGB24) {
        std::memcpy(copy.colors(), image.colors(), 4 * std::size_t(image.clrUsed()));
        mapGreyOrColourRows(image, copy, grey, red, green, blue, curves.curve(kCurveGrey));
    } else {
        mapPaletteTable(image, copy, red, green, blue);
    }
    ReportProgress(kProgressProcessing, 100);
    return copy;
}

}  // namespace lv
