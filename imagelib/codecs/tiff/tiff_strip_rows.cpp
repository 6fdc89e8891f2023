#include "imagelib/codecs/tiff/tiff_strip_rows.h"

#include "imagelib/codecs/tiff/lzw.h"
#include "imagelib/codecs/tiff/tiff_icc.h"
#include "imagelib/codecs/tiff/tiff_plan.h"
#include "imagelib/codecs/tiff/tiff_rgb.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace lv {
namespace {

class StripRows : public RgbRowSource {
public:
    StripRows(ByteSource& source, TiffPlan plan)
        : source_(source)
        , plan_(std::move(plan))
    {
    }
    int width() const override { return int(plan_.info.width); }
    int height() const override { return int(plan_.info.height); }
    FileFailure failure() const override { return failure_; }

    bool nextRows(std::span<std::uint8_t> out) override
    {
        if (failure_)
            return false;
        const std::size_t rowBytes = plan_.rowBytes;
        const int wanted = int(std::min<std::size_t>(out.size() / rowBytes, std::size_t(height() - row_)));
        // Rows past the picture's own are no picture's: black.
        std::memset(out.data() + std::size_t(wanted) * rowBytes, 0, out.size() - std::size_t(wanted) * rowBytes);
        if (!fill(out.data(), wanted)) {
            // ReadTiff answers damage without a cause; the open names it so.
            failure_ = FileFailure(FileProblem::Corrupt);
            return false;
        }
        row_ += wanted;
        return true;
    }

protected:
    // Puts the next `rows` rows at `to`; false on damage.
    virtual bool fill(std::uint8_t* to, int rows) = 0;

    ByteSource& source_;
    const TiffPlan plan_;
    std::size_t nextStrip_ = 0;

private:
    int row_ = 0;
    FileFailure failure_;
};

class PlainStripRows final : public StripRows {
public:
    using StripRows::StripRows;

private:
    bool fill(std::uint8_t* to, int rows) override
    {
        const std::size_t rowBytes = plan_.rowBytes;
        while (rows > 0) {
            if (stripRowsLeft_ == 0) {
                // Rows no strip holds stay as a fresh picture has them: black.
                if (nextStrip_ == plan_.strips.offsets.size()) {
                    std::memset(to, 0, std::size_t(rows) * rowBytes);
                    return true;
                }
                if (!startStrip())
                    return false;
                continue;
            }
            const auto take = std::size_t(std::min<std::uint64_t>(std::uint64_t(rows), stripRowsLeft_));
            if (!source_.readExact(to, take * rowBytes))
                return false;
            to += take * rowBytes;
            rows -= int(take);
            stripRowsLeft_ -= take;
        }
        return true;
    }

    bool startStrip()
    {
        const std::size_t s = nextStrip_++;
        const std::uint64_t bytes =
            plan_.strips.byteCount(s).value_or(std::uint64_t(plan_.rowBytes) * plan_.info.rowsPerStrip);
        // A lone strip is taken to hold the whole picture, whatever its count says.
        stripRowsLeft_ = plan_.strips.offsets.size() >= 2 ? bytes / plan_.rowBytes : std::uint64_t(height());
        return source_.seek(plan_.strips.offsets[s]);
    }

    std::uint64_t stripRowsLeft_ = 0;
};

// Codes are read a little at a time, which bounds what one part decodes to even in a file
// made to expand.
constexpr std::size_t kCodeBytes = 4096;

class LzwStripRows final : public StripRows, private LzwOutput {
public:
    LzwStripRows(ByteSource& source, TiffPlan plan)
        : StripRows(source, std::move(plan))
        , total_(std::uint64_t(plan_.rowBytes) * plan_.info.height)
        , codes_(kCodeBytes)
    {
    }

private:
    bool fill(std::uint8_t* to, int rows) override
    {
        const std::size_t rowBytes = plan_.rowBytes;
        for (int r = 0; r < rows; ++r, to += rowBytes) {
            while (queued() < rowBytes && !ended_)
                if (!decodeMore())
                    return false;
            const std::size_t take = std::min(queued(), rowBytes);
            std::memcpy(to, decoded_.data() + head_, take);
            head_ += take;
            if (take == rowBytes) {
                undoPredictor(to);
                continue;
            }
            // The codes ended inside the picture. ReadTiff leaves the part of a row they
            // filled as stored, not turned to blue first, and the rest black: the row as the
            // file holds it is that, turned once more.
            std::memset(to + take, 0, rowBytes - take);
            if (take > 0)
                CopySwappingRedAndBlue(to, to, std::size_t(width()));
        }
        decoded_.erase(decoded_.begin(), decoded_.begin() + std::ptrdiff_t(head_));
        head_ = 0;
        return true;
    }

    std::size_t queued() const { return decoded_.size() - head_; }

    void undoPredictor(std::uint8_t* row) const
    {
        if (plan_.info.predictor < 2)
            return;
        for (std::size_t i = 3; i < plan_.rowBytes; ++i)
            row[i] = std::uint8_t(row[i] + row[i - 3]);
    }

    // Decodes the next codes; false on damage. Strips are checked as ReadTiff checks them,
    // each before any of its codes.
    bool decodeMore()
    {
        if (!inStrip_) {
            const TiffStrips& strips = plan_.strips;
            if (nextStrip_ == strips.offsets.size()) {
                ended_ = true;
                return true;
            }
            const std::size_t s = nextStrip_++;
            const std::uint64_t offset = strips.offsets[s];
            if (offset > source_.size() || !source_.seek(offset))
                return false;
            codesLeft_ = strips.byteCount(s).value_or(source_.size() - offset);
            if (codesLeft_ > source_.remaining())
                return false;
            decoder_.begin();
            inStrip_ = true;
        }
        const auto take = std::size_t(std::min<std::uint64_t>(codesLeft_, kCodeBytes));
        if (!source_.readExact(codes_.data(), take))
            return false;
        codesLeft_ -= take;
        switch (decoder_.feed({codes_.data(), take}, *this)) {
        case LzwStop::BadCode:
            return false;
        case LzwStop::OutputFull:
            ended_ = true;
            break;
        case LzwStop::EndCode:
            inStrip_ = false;
            break;
        case LzwStop::DataExhausted:
            inStrip_ = codesLeft_ > 0;
            break;
        }
        return true;
    }

    // Takes decoded symbols up to the picture's last row, as ReadTiff's rows do.
    bool write(const std::uint8_t* symbols, std::size_t count) override
    {
        const auto take = std::size_t(std::min<std::uint64_t>(count, total_ - produced_));
        decoded_.insert(decoded_.end(), symbols, symbols + take);
        produced_ += take;
        return produced_ < total_;
    }

    const std::uint64_t total_;
    std::uint64_t produced_ = 0;
    LzwDecoder decoder_{LzwFlavour::Tiff, 8};
    std::vector<std::uint8_t> codes_;
    std::uint64_t codesLeft_ = 0;
    bool inStrip_ = false;
    bool ended_ = false;
    std::vector<std::uint8_t> decoded_;
    std::size_t head_ = 0;
};

bool holdsPlainRgb(const TiffPlan& plan)
{
    const TiffInfo& info = plan.info;
    return plan.bits == 24 && !plan.camera && info.samplesPerPixel == 3 && info.bitsPerSample == 8 &&
           info.photometric == 2 && info.planarConfiguration == 1;
}

}  // namespace

StreamedRows OpenTiffStripRows(ByteSource& source)
{
    FileFailure refusal;
    std::optional<TiffPlan> plan = PlanTiffPixels(source, refusal);
    if (!plan || !holdsPlainRgb(*plan))
        return {};
    StreamedRows opened;
    opened.facts.xPixelsPerMeter = TiffPixelsPerMeter(plan->info.xResolution, plan->info.resolutionUnit);
    opened.facts.yPixelsPerMeter = TiffPixelsPerMeter(plan->info.yResolution, plan->info.resolutionUnit);
    opened.facts.iccProfile = ReadTiffIccProfile(source, plan->info);
    if (plan->info.compression == kTiffLzw)
        opened.rows = std::make_unique<LzwStripRows>(source, std::move(*plan));
    else
        opened.rows = std::make_unique<PlainStripRows>(source, std::move(*plan));
    return opened;
}

}  // namespace lv
