// Whole files read into large-page memory: every byte arrives, from wherever the source
// stands, and large blocks sit on the page boundary.

#include "imagelib/codecs/memory_decode.h"

#include <gtest/gtest.h>

#include <numeric>

namespace lv {
namespace {

TEST(FileBytes, ReadsWholeFilesIntoLargePages)
{
    std::vector<std::uint8_t> file(5 * 1000 * 1000 + 7);
    std::iota(file.begin(), file.end(), std::uint8_t(3));
    for (const std::size_t skip : {std::size_t(0), std::size_t(12), file.size() - 3}) {
        MemorySource source(file);
        ASSERT_TRUE(source.seek(skip));
        FileBytes bytes;
        EXPECT_FALSE(ReadRestIntoMemory(source, bytes));
        ASSERT_EQ(bytes.size(), file.size() - skip);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.begin() + std::ptrdiff_t(skip)));
        if (bytes.size() > (2 << 20))
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bytes.data()) % (2 << 20), 0u);
    }
}

}  // namespace
}  // namespace lv
