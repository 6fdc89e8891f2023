#include "imagelib/colour/colour_profile.h"
#include "imagelib/colour/colour_transform.h"

#include <array>

// Embedded profiles come straight from the files opened: the whole path from bytes to
// converted pixels must take anything.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    (void)lv::ColourProfileDescription(bytes);
    (void)lv::IsUsableRgbProfile(bytes);
    std::array<std::uint8_t, 3 * 64> row{};
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = std::uint8_t(i * 37);
    if (const auto toSrgb = lv::ColourTransform::Create(bytes))
        toSrgb->applyToRow(row.data(), 64);
    if (const auto fromSrgb = lv::ColourTransform::Create(lv::SrgbProfileBytes(), bytes))
        fromSrgb->applyToRow(row.data(), 64);
    return 0;
}
