#include "imagelib/codecs/tiff/tiff.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/image_file.h"
#include "imagelib/codecs/library_messages.h"
#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/chunked_read.h"
#include "imagelib/codecs/tiff/tiff_progress.h"
#include "imagelib/codecs/tiff/tiff_camera.h"
#include "imagelib/codecs/tiff/tiff_directory.h"
#include "imagelib/codecs/tiff/tiff_plan.h"
#include "imagelib/codecs/tiff/tiff_rgb.h"
#include "imagelib/codecs/tiff/tiff_icc.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

namespace lv {
namespace {

// Files store rows top first; pictures bottom first.
std::uint8_t* topRow(HDIB& picture, int row)
{
    return picture.row(picture.height() - 1 - row);
}

std::optional<std::vector<RgbQuad>> paletteOf(ByteSource& source, const TiffInfo& info, unsigned depth)
{
    constexpr RgbQuad black{0, 0, 0, 0}, white{255, 255, 255, 0};
    std::vector<RgbQuad> palette;
    if (depth == 24)
        return palette;
    if (depth == 1)
        return info.photometric >= 1 ? std::vector{black, white} : std::vector{white, black};
    if (info.photometric == 1) {
        palette.resize(256);
        FillGreyRamp(palette.data(), 256);
        return palette;
    }
    // Three blocks of 16-bit values, red, green, blue; the high byte is the component.
    const std::uint32_t perChannel = info.colorMap.count / 3;
    if (perChannel == 0)
        return std::nullopt;
    TiffValueList map = info.colorMap;
    map.count = 3 * perChannel;
    const auto values = ReadTiffValues(source, info.order, map);
    if (!values)
        return std::nullopt;
    const std::uint32_t entries = std::min(perChannel, 1u << depth);
    for (std::uint32_t i = 0; i < entries; ++i)
        palette.push_back({std::uint8_t((*values)[2 * perChannel + i] >> 8),
                           std::uint8_t((*values)[perChannel + i] >> 8), std::uint8_t((*values)[i] >> 8), 0});
    return palette;
}

// Red and blue trade places in each row as it arrives, while it is in the cache.
void swapRedAndBlue(std::uint8_t* pixels, int width)
{
    CopySwappingRedAndBlue(pixels, pixels, std::size_t(width));
}

// Plain rows are read in runs this large, straight from the file past its buffer, and each
// is copied to its place from there (turned on the way, for colour).
constexpr std::size_t kRunBytes = std::size_t(256) << 10;

ReadCode readPlainStrips(ByteSource& source, const TiffInfo& info, const TiffStrips& strips, HDIB& picture,
                         std::size_t rowBytes, bool rgb)
{
    const int height = picture.height();
    const std::uint64_t perRun = std::max<std::uint64_t>(1, kRunBytes / rowBytes);
    std::vector<std::uint8_t> run(std::size_t(perRun) * rowBytes);
    int row = 0;
    for (std::size_t s = 0; s < strips.offsets.size() && row < height; ++s) {
        const std::uint64_t bytes = strips.byteCount(s).value_or(std::uint64_t(rowBytes) * info.rowsPerStrip);
        const std::uint64_t rows = strips.offsets.size() >= 2 ? bytes / rowBytes : std::uint64_t(height);
        if (!source.seek(strips.offsets[s]))
            return ReadCode::Failure;
        for (std::uint64_t r = 0; r < rows && row < height;) {
            const std::size_t count = std::size_t(std::min({perRun, rows - r, std::uint64_t(height - row)}));
            if (!source.readExact(run.data(), count * rowBytes))
                return ReadCode::Failure;
            for (std::size_t k = 0; k < count; ++k, ++r, ++row) {
                if (!TiffRowCheckpoint(row, height, kProgressReading))
                    return ReadCode::Failure;
                const std::uint8_t* in = run.data() + k * rowBytes;
                if (rgb)
                    CopySwappingRedAndBlue(in, topRow(picture, row), std::size_t(picture.width()));
                else
                    std::memcpy(topRow(picture, row), in, rowBytes);
            }
        }
    }
    return ReadCode::Image;
}

// Takes decoded bytes into the picture's rows, top row first, undoing horizontal
// differencing as each row completes.
class RowFiller final : public LzwOutput {
public:
    RowFiller(HDIB& picture, std::size_t rowBytes, std::size_t predictorStep, bool rgb)
        : picture_(picture)
        , rowBytes_(rowBytes)
        , step_(predictorStep)
        , rgb_(rgb)
    {
    }

    bool write(const std::uint8_t* bytes, std::size_t count) override
    {
        while (count > 0) {
            std::uint8_t* row = topRow(picture_, row_);
            const std::size_t take = std::min(count, rowBytes_ - filled_);
            std::memcpy(row + filled_, bytes, take);
            filled_ += take;
            bytes += take;
            count -= take;
            if (filled_ < rowBytes_)
                continue;
            if (step_)
                for (std::size_t i = step_; i < rowBytes_; ++i)
                    row[i] = std::uint8_t(row[i] + row[i - step_]);
            if (rgb_)
                swapRedAndBlue(row, picture_.width());
            filled_ = 0;
            if (++row_ == picture_.height())
                return false;
            if (!TiffRowCheckpoint(row_, picture_.height(), kProgressReading)) {
                cancelled_ = true;
                return false;
            }
        }
        return true;
    }

    bool full() const { return row_ == picture_.height(); }
    bool cancelled() const { return cancelled_; }

private:
    HDIB& picture_;
    std::size_t rowBytes_;
    std::size_t step_;
    bool rgb_;
    int row_ = 0;
    std::size_t filled_ = 0;
    bool cancelled_ = false;
};

ReadCode readLzwStrips(ByteSource& source, const TiffInfo& info, const TiffStrips& strips, HDIB& picture,
                       std::size_t rowBytes, unsigned depth, bool rgb)
{
    const std::size_t step = info.predictor >= 2 ? (depth == 24 ? 3 : 1) : 0;
    RowFiller rows(picture, rowBytes, step, rgb);
    const auto decoder = std::make_unique<LzwDecoder>(LzwFlavour::Tiff, 8);
    for (std::size_t s = 0; s < strips.offsets.size() && !rows.full(); ++s) {
        const std::uint64_t offset = strips.offsets[s];
        if (offset > source.size() || !source.seek(offset))
            return ReadCode::Failure;
        std::vector<std::uint8_t> data;
        const std::uint64_t count = strips.byteCount(s).value_or(source.size() - offset);
        if (count > source.remaining() || ReadInChunks(source, std::size_t(count), data) != ChunkedRead::Complete)
            return ReadCode::Failure;
        if (decoder->decode(data, rows) == LzwStop::BadCode || rows.cancelled())
            return ReadCode::Failure;
    }
    return ReadCode::Image;
}

}  // namespace

ReadResult ReadTiff(ByteSource& source)
{
    FileFailure refusal;
    const std::optional<TiffPlan> plan = PlanTiffPixels(source, refusal);
    if (!plan)
        return {ReadCode::Failure, refusal};
    const TiffInfo& info = plan->info;
    const unsigned bits = plan->bits;
    const bool camera = plan->camera;
    const std::size_t rowBytes = plan->rowBytes;
    const std::optional<std::vector<RgbQuad>> palette = paletteOf(source, info, bits);
    if (!palette)
        return ReadCode::Failure;

    FileFailure shortage;
    HDIB picture = AllocatePicture(info.width, info.height, bits, unsigned(palette->size()), &shortage);
    if (!picture)
        return {ReadCode::Failure, NoticesOnly(shortage)};
    picture.header().biXPelsPerMeter = TiffPixelsPerMeter(info.xResolution, info.resolutionUnit);
    picture.header().biYPelsPerMeter = TiffPixelsPerMeter(info.yResolution, info.resolutionUnit);
    std::copy(palette->begin(), palette->end(), picture.colors());

    const bool rgb = bits == 24 && !camera;
    const ReadCode code = info.compression == kTiffLzw
                              ? readLzwStrips(source, info, plan->strips, picture, rowBytes, bits, rgb)
                              : readPlainStrips(source, info, plan->strips, picture, rowBytes, rgb);
    if (code != ReadCode::Image)
        return code;
    if (camera)
        ExpandCameraRows(picture);
    ReadResult result(std::move(picture));
    result.facts().iccProfile = ReadTiffIccProfile(source, info);
    return result;
}

ReadResult ReadTiff(const std::string& path)
{
    FileFailure notice;
    auto source = OpenImageForReading(path, notice);
    if (!source)
        return {ReadCode::Broken, notice};
    return ReadTiff(*source);
}

}  // namespace lv
