#include "common/byte_source.h"
#include "imagelib/print_calibration.h"

#include <algorithm>
#include <cstdint>
#include <span>

// Any bytes read as curves or nothing; curves read back encode to the bytes they came from.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::MemorySource source(std::span<const std::uint8_t>(data, size));
    const auto curves = lv::ReadCalibrationBlock(source);
    if (!curves)
        return 0;
    const std::vector<std::uint8_t> encoded = lv::EncodeCalibrationBlock(*curves);
    if (size < encoded.size() || !std::equal(encoded.begin() + 18, encoded.end(), data + 18))
        __builtin_trap();
    return 0;
}
