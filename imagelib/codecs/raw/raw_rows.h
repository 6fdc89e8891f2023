#pragma once
// A camera raw file developed as ReadCameraRaw develops it, delivered as rows straight from
// LibRaw's working picture through LibRaw's own 8-bit output curve and flip: the bytes its
// copy_mem_image gives, without a picture the size of the whole being made first.

#include "common/byte_source.h"
#include "imagelib/codecs/row_source.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lv {

class LibRawSession;

class RawRowSource final : public RgbRowSource {
public:
    // `session` has developed its picture into LibRaw's working picture, 3 colours at 8 bits.
    explicit RawRowSource(std::unique_ptr<LibRawSession> session);
    ~RawRowSource() override;

    int width() const override { return width_; }
    int height() const override { return height_; }
    bool nextRows(std::span<std::uint8_t> out) override;
    FileFailure failure() const override { return failure_; }

private:
    // Where LibRaw's flip takes the output pixel (row, column) from in its working picture.
    std::ptrdiff_t sourceIndex(int row, int column) const;
    void copyRow(int row, std::uint8_t* out) const;

    std::unique_ptr<LibRawSession> session_;
    std::vector<std::uint8_t> levels_;  // the output curve's high byte for every 16-bit sample
    int flip_ = 0;
    int sourceWidth_ = 0;
    int sourceHeight_ = 0;
    int width_ = 0;
    int height_ = 0;
    int nextRow_ = 0;
    FileFailure failure_;
};

// What opening a file for raw rows gives: the rows; or none, with the failure that ends the
// work (the user's stop, no memory), or with no failure when the general path is to read the
// file (not camera raw, not 3 colours at 8 bits, refused by LibRaw or by the budget: the
// general path says why).
struct RawRowsOpening {
    std::unique_ptr<RgbRowSource> rows;
    FileFailure failure;
};

// The source outlives the rows.
RawRowsOpening OpenRawRows(ByteSource& source);

}  // namespace lv
