// Whole files read into large-page memory: every byte arrives, large blocks sit on the page
// boundary, and a file that ends early says so.

#include "imagelib/codecs/memory_decode.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lv {
namespace {

// A source whose size promises more than it delivers, like a file cut while being read.
class ShortSource final : public ByteSource {
public:
    ShortSource(std::span<const std::uint8_t> bytes, std::uint64_t claimed)
        : inner_(bytes)
        , claimed_(claimed)
    {
    }
    std::size_t read(void* destination, std::size_t count) override { return inner_.read(destination, count); }
    bool seek(std::uint64_t position) override { return inner_.seek(position); }
    std::uint64_t position() const override { return inner_.position(); }
    std::uint64_t size() const override { return claimed_; }

private:
    MemorySource inner_;
    std::uint64_t claimed_;
};

TEST(FileBytes, ReadsWholeFilesIntoLargePagesAndNoticesShortOnes)
{
    std::vector<std::uint8_t> file(5 * 1000 * 1000 + 7);
    std::iota(file.begin(), file.end(), std::uint8_t(3));
    for (const std::size_t skip : {std::size_t(0), std::size_t(12)}) {
        MemorySource source(file);
        ASSERT_TRUE(source.seek(skip));
        FileBytes bytes;
        EXPECT_FALSE(ReadRestIntoMemory(source, bytes));
        ASSERT_EQ(bytes.size(), file.size() - skip);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.begin() + std::ptrdiff_t(skip)));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % (2 << 20), 0u);
    }
    const std::vector<std::uint8_t> small = {1, 2, 3};
    MemorySource tiny(small);
    FileBytes three;
    EXPECT_FALSE(ReadRestIntoMemory(tiny, three));
    EXPECT_EQ(std::vector<std::uint8_t>(three.begin(), three.end()), small);

    ShortSource cut(file, file.size() + 100000);
    FileBytes partial;
    EXPECT_EQ(ReadRestIntoMemory(cut, partial).problem, FileProblem::Truncated);
    EXPECT_EQ(partial.size(), file.size());
}

}  // namespace
}  // namespace lv
