// The first byte chooses the resolution (bits 0-2), grey (bit 3) and, with bit 7, that
// the rest is a whole image pack. Without bit 7 the rest is what follows sector 388 (the
// residual tables and rows) of a pack whose stored levels are flat grey, so short inputs
// reach the residual decoder; bits 4-5 become the pack's turn and bit 6 says it holds
// 16Base (else 4Base).
#include "fuzz_support.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kSector = 2048;

std::vector<std::uint8_t> packAround(const std::uint8_t* residuals, std::size_t size, std::uint8_t attributes)
{
    std::vector<std::uint8_t> pack(388 * kSector, 0x80);
    std::fill(pack.begin(), pack.begin() + 4 * kSector, 0);
    std::memcpy(pack.data() + kSector, "PCD_IPI", 7);
    pack[0x0E02] = attributes;
    pack.insert(pack.end(), residuals, residuals + size);
    return pack;
}

std::uint8_t attributesOf(std::uint8_t control)
{
    return std::uint8_t(((control >> 4) & 3) | (control & 0x40 ? 8 : 4));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    lv::SetPhotoCdMode(lv::kPhotoCdStored);
    lv::SetStoredPhotoCdChoices({(control >> 3) & 1, std::min(control & 7, 4)});
    const std::vector<std::uint8_t> pack = control & 0x80 ? std::vector<std::uint8_t>(data + 1, data + size)
                                                          : packAround(data + 1, size - 1, attributesOf(control));
    lv::MemorySource source(pack);
    lv::fuzz::CheckPicture(lv::ReadPhotoCd(source, lv::BuiltInPhotoCdLibrary()).image());
    return 0;
}
