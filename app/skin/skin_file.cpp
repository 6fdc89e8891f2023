#include "app/skin/skin_file.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cstring>

namespace lv::skin {
namespace {

constexpr std::uint8_t kMagic[4] = {'R', 'E', 'Z', 'E'};
constexpr std::uint8_t kOtherMagic[4] = {0x50, 0x41, 0x4C, 0x4D};

SkinFields FieldsFromRecord(const std::uint8_t* record)
{
    const auto field = [record](int i) { return std::int16_t(LoadLE16(record + kSkinFieldsOffset + 2 * i)); };
    return {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
}

void StoreFields(std::uint8_t* record, const SkinFields& f)
{
    const std::int16_t values[8] = {f.recordKind, f.code, f.x, f.y, f.width, f.height, f.value1, f.value2};
    for (int i = 0; i < 8; ++i)
        StoreLE16(record + kSkinFieldsOffset + 2 * i, std::uint16_t(values[i]));
}

// One record and the picture it names; the picture stays empty when it lies outside the file.
struct ReadRecord {
    SkinFields fields;
    std::vector<std::uint8_t> picture;
};

std::optional<ReadRecord> ReadRecordAt(ByteSource& source, const SkinHeader& header, std::uint32_t index)
{
    std::uint8_t record[kSkinRecordSize];
    if (!source.seek(kSkinHeaderSize + std::uint64_t(index) * kSkinRecordSize) || !source.readExact(record, sizeof record))
        return std::nullopt;
    ReadRecord out{FieldsFromRecord(record), {}};
    const std::uint64_t offset = LoadLE32(record + kSkinImageOffsetAt);
    const std::uint64_t length = LoadLE32(record + kSkinImageLengthAt);
    const std::uint64_t start = header.imageDataStart + offset;
    if (length == 0 || start > source.size() || length > source.size() - start)
        return out;
    out.picture.resize(std::size_t(length));
    if (!source.seek(start) || !source.readExact(out.picture.data(), out.picture.size()))
        out.picture.clear();
    return out;
}

struct Block {
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

// Whether no two of the blocks share a byte (empty blocks share nothing).
bool Apart(std::vector<Block> blocks)
{
    std::erase_if(blocks, [](const Block& b) { return b.start >= b.end; });
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.start < b.start; });
    for (std::size_t i = 1; i < blocks.size(); ++i)
        if (blocks[i].start < blocks[i - 1].end)
            return false;
    return true;
}

// Each screen's records, and each record's picture, are its own: a record or picture named
// twice would be copied once per naming, so a small file could ask for gigabytes.
bool LayoutIsSound(ByteSource& source, const SkinHeader& header)
{
    std::vector<Block> screens;
    for (int s = 0; s < int(std::min<std::uint32_t>(header.screenCount, kSkinMaxScreens)); ++s) {
        const RecordRange range = ScreenRecordRange(header, s);
        screens.push_back({range.first, range.end});
    }
    if (!Apart(std::move(screens)))
        return false;
    std::vector<std::uint8_t> table(std::size_t(header.usableRecords) * kSkinRecordSize);
    if (!source.seek(kSkinHeaderSize) || !source.readExact(table.data(), table.size()))
        return false;
    std::vector<Block> pictures;
    for (std::size_t i = 0; i < header.usableRecords; ++i) {
        const std::uint8_t* record = table.data() + i * kSkinRecordSize;
        const std::uint64_t start = header.imageDataStart + LoadLE32(record + kSkinImageOffsetAt);
        const std::uint64_t length = LoadLE32(record + kSkinImageLengthAt);
        // Pictures beyond the file are left out when read, so they take nothing.
        if (start <= source.size() && length <= source.size() - start)
            pictures.push_back({start, start + length});
    }
    return Apart(std::move(pictures));
}

}  // namespace

std::optional<SkinHeader> ReadSkinHeader(ByteSource& source)
{
    std::uint8_t bytes[kSkinHeaderSize];
    if (!source.seek(0) || !source.readExact(bytes, sizeof bytes))
        return std::nullopt;
    if (std::memcmp(bytes, kMagic, 4) != 0 && std::memcmp(bytes, kOtherMagic, 4) != 0)
        return std::nullopt;
    SkinHeader header;
    header.totalRecords = LoadLE32(bytes + 8);
    header.screenCount = LoadLE32(bytes + 32);
    for (int i = 0; i < kSkinMaxScreens; ++i)
        header.firstRecord[i] = LoadLE32(bytes + 36 + 4 * i);
    const std::uint64_t present = (source.size() - kSkinHeaderSize) / kSkinRecordSize;
    header.usableRecords = std::uint32_t(std::min<std::uint64_t>({header.totalRecords, kSkinMaxRecords, present}));
    header.imageDataStart = kSkinHeaderSize + std::uint64_t(header.totalRecords) * kSkinRecordSize;
    return header;
}

RecordRange ScreenRecordRange(const SkinHeader& header, int screen)
{
    if (screen < 0 || screen >= kSkinMaxScreens || std::uint32_t(screen) >= header.screenCount)
        return {};
    std::uint32_t end = header.totalRecords;
    if (header.screenCount >= 2)
        for (int next = screen + 1; next < kSkinMaxScreens; ++next)
            if (header.firstRecord[next] != 0) {
                end = header.firstRecord[next];
                break;
            }
    const std::uint32_t first = std::min(header.firstRecord[screen], header.usableRecords);
    return {first, std::clamp(end, first, header.usableRecords)};
}

int ScreenButtonCount(RecordRange range)
{
    return range.end < range.first ? 0 : int((std::uint64_t(range.end) - range.first + 2) / 3);
}

std::optional<SkinScreenButtons> ReadSkinScreen(ByteSource& source, int screen)
{
    const auto header = ReadSkinHeader(source);
    if (!header || !LayoutIsSound(source, *header))
        return std::nullopt;
    const RecordRange range = ScreenRecordRange(*header, screen);
    SkinScreenButtons buttons(std::size_t(ScreenButtonCount(range)));
    for (std::size_t b = 0; b < buttons.size(); ++b)
        for (std::uint32_t state = 0; state < 3; ++state) {
            const std::uint32_t index = range.first + std::uint32_t(3 * b) + state;
            if (index >= range.end)
                break;
            auto record = ReadRecordAt(source, *header, index);
            if (!record)
                break;
            buttons[b].pictures[state] = std::move(record->picture);
            if (state == 2)
                buttons[b].fields = record->fields;
        }
    return buttons;
}

std::optional<SkinFileContent> ReadSkinFile(ByteSource& source)
{
    const auto header = ReadSkinHeader(source);
    if (!header)
        return std::nullopt;
    SkinFileContent content;
    const int screens = int(std::min<std::uint32_t>(header->screenCount, kSkinMaxScreens));
    for (int s = 0; s < screens; ++s) {
        auto screen = ReadSkinScreen(source, s);
        if (!screen)
            return std::nullopt;
        content.screens.push_back(std::move(*screen));
    }
    return content;
}

bool WriteSkinFile(ByteSink& sink, const SkinFileContent& content)
{
    if (content.screens.size() > std::size_t(kSkinMaxScreens))
        return false;
    std::size_t buttonCount = 0;
    for (const auto& screen : content.screens)
        buttonCount += screen.size();
    if (buttonCount * 3 > kSkinMaxRecords)
        return false;
    // A first screen without buttons starts where the next does, and would read as its twin.
    if (!content.screens.empty() && content.screens.front().empty() && buttonCount > 0)
        return false;

    std::uint8_t header[kSkinHeaderSize] = {};
    std::memcpy(header, kMagic, 4);
    StoreLE32(header + 8, std::uint32_t(buttonCount * 3));
    StoreLE32(header + 32, std::uint32_t(content.screens.size()));
    std::uint32_t next = 0;
    for (std::size_t s = 0; s < content.screens.size(); ++s) {
        StoreLE32(header + 36 + 4 * s, next);
        next += std::uint32_t(content.screens[s].size() * 3);
    }
    if (!sink.write(header, sizeof header))
        return false;

    std::uint64_t dataOffset = 0;
    for (const auto& screen : content.screens)
        for (const SkinButtonImages& button : screen)
            for (int state = 0; state < 3; ++state) {
                std::uint8_t record[kSkinRecordSize] = {};
                const auto& picture = button.pictures[state];
                if (!picture.empty()) {
                    if (dataOffset + picture.size() > 0xFFFFFFFFu)
                        return false;
                    StoreLE32(record + kSkinImageOffsetAt, std::uint32_t(dataOffset));
                    StoreLE32(record + kSkinImageLengthAt, std::uint32_t(picture.size()));
                    dataOffset += picture.size();
                }
                if (state == 2)
                    StoreFields(record, button.fields);
                if (!sink.write(record, sizeof record))
                    return false;
            }

    for (const auto& screen : content.screens)
        for (const SkinButtonImages& button : screen)
            for (const auto& picture : button.pictures)
                if (!picture.empty() && !sink.write(picture.data(), picture.size()))
                    return false;
    return true;
}

}  // namespace lv::skin
