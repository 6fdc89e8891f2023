#pragma once
// What the structure-aware mutators share. Random byte changes almost never make the files a
// person builds on purpose: a valid structure that names one large block many times, or
// declares a huge picture packed small. The mutators make those in one step, and otherwise
// leave the bytes to libFuzzer's own mutations.

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <random>

// libFuzzer's own mutation; absent from the replay build, which never mutates.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize)
    __attribute__((weak));

namespace lv::fuzz {

class MutationDice {
public:
    explicit MutationDice(unsigned seed) : engine_(seed) {}

    // 0 .. n − 1
    std::size_t below(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_); }
    bool oneIn(std::size_t n) { return below(n) == 0; }

private:
    std::minstd_rand engine_;
};

// libFuzzer's mutation of the bytes, or the size unchanged where there is none.
inline std::size_t OrdinaryMutation(std::uint8_t* data, std::size_t size, std::size_t maxSize)
{
    return LLVMFuzzerMutate ? LLVMFuzzerMutate(data, size, maxSize) : size;
}

// A file of a header, a table of records and one block after it that every record will name:
// how many records, where the table ends and how long the file is, all within maxSize.
struct SharedBlockFile {
    std::size_t records = 0;
    std::size_t tableEnd = 0;
    std::size_t total = 0;
};

inline SharedBlockFile PlanSharedBlockFile(MutationDice& dice, std::size_t headerSize, std::size_t recordSize,
                                           std::size_t maxRecords, std::size_t maxSize)
{
    SharedBlockFile file;
    const std::size_t room = (maxSize - headerSize) / recordSize;
    file.records = 1 + dice.below(std::min(maxRecords, room / 2));
    file.tableEnd = headerSize + recordSize * file.records;
    file.total = file.tableEnd + 1 + dice.below(maxSize - file.tableEnd);
    return file;
}

}  // namespace lv::fuzz
