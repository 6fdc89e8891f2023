#pragma once
// Rows as the device sends them turned into rows as the protocol delivers them: top row
// first, 1-bit (first pixel in the high bit), 8-bit grey or 24-bit red-green-blue, padded
// to four bytes. Deeper samples keep their high byte; one-bit colour becomes 0 or 255.

#include "acquire/twain_protocol.h"

#include <sane/sane.h>

#include <cstddef>
#include <cstdint>

namespace lv::twain {

struct ScanFormat {
    TW_UINT16 pixelType = TWPT_RGB;
    int width = 0;
    int height = 0;         // -1 while a hand-held device's length is unknown
    int bitsPerPixel = 24;
    std::size_t rowBytes = 0;  // padded to four bytes
};

// The delivered format of a frame with these parameters (one frame of three for three-pass
// colour); false for formats this source can't deliver.
bool FormatOfParameters(const SANE_Parameters& p, bool threePass, ScanFormat& format);

// One device row into one delivered row. `zeroIsWhite` asks for the lightest shade at 0
// (the devices' one-bit rows have black at 1, grey and colour rows black at 0).
void ConvertRow(const SANE_Parameters& p, const std::uint8_t* raw, std::uint8_t* out, const ScanFormat& format,
                bool zeroIsWhite);

// One row of one colour of a three-pass scan into its place in a delivered colour row.
void ConvertPlaneRow(const SANE_Parameters& p, const std::uint8_t* raw, std::uint8_t* out, int width, int channel);

}  // namespace lv::twain
