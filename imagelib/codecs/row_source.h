#pragma once
// A picture delivered a band of rows at a time, for writers that need no whole picture in
// memory: converting a large file then costs a band's memory, not the picture's.

#include "common/file_problem.h"

#include <cstdint>
#include <span>

namespace lv {

class RgbRowSource {
public:
    virtual ~RgbRowSource() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the next rows, top row first, 8-bit samples red first, width * 3 bytes a row with
    // no padding; `out` holds a whole number of rows. False on damage or the user's stop,
    // after which failure() says why and no further rows come.
    virtual bool nextRows(std::span<std::uint8_t> out) = 0;
    virtual FileFailure failure() const = 0;
};

}  // namespace lv
