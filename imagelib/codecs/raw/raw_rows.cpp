#include "imagelib/codecs/raw/raw_rows.h"

#include "imagelib/codecs/raw/libraw_session.h"
#include "imagelib/progress.h"

#include <utility>

namespace lv {
namespace {

bool endsTheWork(const FileFailure& failure)
{
    return failure.problem == FileProblem::Cancelled || failure.problem == FileProblem::OutOfMemory;
}

// LibRaw's copy writes width x height of its working picture, turned by the flip; a picture
// that LibRaw would lay out otherwise (Fuji's rotated sensors before their turn, pixels that
// are not square) keeps the general path.
bool copiesAsItIs(const LibRaw& raw)
{
    int width = 0, height = 0, colours = 0, bits = 0;
    raw.get_mem_image_format(&width, &height, &colours, &bits);
    const libraw_image_sizes_t& sizes = raw.imgdata.sizes;
    const bool sideways = (sizes.flip & 4) != 0;
    return raw.imgdata.image && colours == 3 && bits == 8 && width == (sideways ? sizes.height : sizes.width)
        && height == (sideways ? sizes.width : sizes.height);
}

}  // namespace

RawRowSource::RawRowSource(std::unique_ptr<LibRawSession> session)
    : session_(std::move(session))
    , levels_(0x10000)
{
    LibRawProcessor& raw = session_->processor();
    raw.makeOutputCurve();
    for (std::size_t sample = 0; sample < levels_.size(); ++sample)
        levels_[sample] = std::uint8_t(raw.imgdata.color.curve[sample] >> 8);
    const libraw_image_sizes_t& sizes = raw.imgdata.sizes;
    flip_ = sizes.flip;
    sourceWidth_ = sizes.width;
    sourceHeight_ = sizes.height;
    const bool sideways = (flip_ & 4) != 0;
    width_ = sideways ? sourceHeight_ : sourceWidth_;
    height_ = sideways ? sourceWidth_ : sourceHeight_;
}

RawRowSource::~RawRowSource() = default;

std::ptrdiff_t RawRowSource::sourceIndex(int row, int column) const
{
    if (flip_ & 4)
        std::swap(row, column);
    if (flip_ & 2)
        row = sourceHeight_ - 1 - row;
    if (flip_ & 1)
        column = sourceWidth_ - 1 - column;
    return std::ptrdiff_t(row) * sourceWidth_ + column;
}

void RawRowSource::copyRow(int row, std::uint8_t* out) const
{
    const std::uint16_t(*const image)[4] = session_->processor().imgdata.image;
    const std::uint8_t* const levels = levels_.data();
    const std::ptrdiff_t step = sourceIndex(row, 1) - sourceIndex(row, 0);
    std::ptrdiff_t at = sourceIndex(row, 0);
    for (int x = 0; x < width_; ++x, at += step, out += 3) {
        const std::uint16_t* const pixel = image[at];
        out[0] = levels[pixel[0]];
        out[1] = levels[pixel[1]];
        out[2] = levels[pixel[2]];
    }
}

bool RawRowSource::nextRows(std::span<std::uint8_t> out)
{
    if (failure_)
        return false;
    const std::size_t rowBytes = std::size_t(width_) * 3;
    if (out.size() % rowBytes != 0 || out.size() / rowBytes > std::size_t(height_ - nextRow_)) {
        failure_ = {FileProblem::OutsidePicture};
        return false;
    }
    if (AbortRequested()) {
        failure_ = {FileProblem::Cancelled};
        return false;
    }
    for (std::size_t at = 0; at < out.size(); at += rowBytes)
        copyRow(nextRow_++, out.data() + at);
    return true;
}

RawRowsOpening OpenRawRows(ByteSource& source)
{
    auto session = std::make_unique<LibRawSession>(source);
    if (!session->ok())
        return {nullptr, endsTheWork(session->failure()) ? session->failure() : FileFailure()};
    // One-colour files come out as one colour: the general path, before anything is developed.
    if (session->processor().imgdata.idata.colors == 1 || session->checkDevelopBudget())
        return {};
    const int code = DevelopInWorkingPicture(*session, false);
    if (code != LIBRAW_SUCCESS) {
        const FileFailure failure = LibRawSession::LibraryFailure(code).failure();
        return {nullptr, endsTheWork(failure) ? failure : FileFailure()};
    }
    if (!copiesAsItIs(session->processor()))
        return {};
    return {std::make_unique<RawRowSource>(std::move(session)), {}};
}

}  // namespace lv
