#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "common/little_endian.h"
#include "fuzz_support.h"
#include "structure_mutation.h"

#include <algorithm>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    const auto content = lv::skin::ReadSkinFile(source);
    if (!content)
        return 0;
    for (const auto& screen : content->screens)
        for (const auto& button : screen)
            for (const auto& picture : button.pictures)
                lv::fuzz::CheckPicture(lv::skin::PictureFromPackedDib(picture));
    return 0;
}

// Half the time, a skin whose screens start at the same record or inside each other and
// whose records all name one picture block (or overlapping parts of it).
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned seed)
{
    using namespace lv::skin;
    lv::fuzz::MutationDice dice(seed);
    if (dice.oneIn(2) || size < kSkinHeaderSize || maxSize < kSkinHeaderSize + kSkinRecordSize + 64)
        return lv::fuzz::OrdinaryMutation(data, size, maxSize);
    const auto [records, tableEnd, total] = lv::fuzz::PlanSharedBlockFile(dice, kSkinHeaderSize, kSkinRecordSize, kSkinMaxRecords, maxSize);
    std::vector<std::uint8_t> skin(total, 0);
    std::memcpy(skin.data(), data, 4);  // the input's magic, whichever it was
    lv::StoreLE32(skin.data() + 8, std::uint32_t(records));
    const std::uint32_t screens = 1 + std::uint32_t(dice.below(kSkinMaxScreens));
    lv::StoreLE32(skin.data() + 32, screens);
    const bool sameStart = dice.oneIn(2);
    for (std::uint32_t s = 0; s < screens; ++s)
        lv::StoreLE32(skin.data() + 36 + 4 * s, sameStart ? 0 : std::uint32_t(dice.below(records)));
    const std::uint32_t block = std::uint32_t(total - tableEnd);
    const bool overlapping = dice.oneIn(2);
    const std::size_t inputRecords = (size - kSkinHeaderSize) / kSkinRecordSize;
    for (std::size_t i = 0; i < records; ++i) {
        std::uint8_t* record = skin.data() + kSkinHeaderSize + kSkinRecordSize * i;
        if (inputRecords > 0)
            std::memcpy(record, data + kSkinHeaderSize + kSkinRecordSize * (i % inputRecords), kSkinRecordSize);
        const std::uint32_t offset = overlapping ? std::uint32_t(dice.below(block)) : 0;
        lv::StoreLE32(record + kSkinImageOffsetAt, offset);
        lv::StoreLE32(record + kSkinImageLengthAt, block - offset);
    }
    std::memcpy(data, skin.data(), total);
    return total;
}
