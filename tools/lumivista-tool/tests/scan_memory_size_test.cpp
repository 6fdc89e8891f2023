// A memory-transfer scan holds the picture's bytes only, not the transfer's rounded-up buffer.

#include "acquire/tests/sane_test_backend.h"
#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/temp_dir.h"
#include "tool_support.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(ScanMemorySize, TheFileHoldsTheImagesBytesAsANativeScanDoes)
{
    testing::UseSaneTestBackend({});
    testing::TempDir dir;
    for (const char* mode : {"lineart", "gray", "color"}) {
        SCOPED_TRACE(mode);
        const std::string memory = dir.file(std::string(mode) + "-memory.bmp");
        const std::string native = dir.file(std::string(mode) + "-native.bmp");
        ASSERT_EQ(testing::Tool("scan " + memory + " --resolution 75 --memory --mode " + mode).exitCode, 0);
        ASSERT_EQ(testing::Tool("scan " + native + " --resolution 75 --device test:0 --mode " + mode).exitCode, 0);
        const auto m = ReadWholeFile(memory), n = ReadWholeFile(native);
        ASSERT_TRUE(m && n);
        const std::uint32_t width = LoadLE32(m->data() + 18), height = LoadLE32(m->data() + 22);
        const std::uint32_t bits = LoadLE16(m->data() + 28);
        const std::uint32_t imageBytes = (width * bits + 31) / 32 * 4 * height;
        EXPECT_EQ(LoadLE32(m->data() + 34), imageBytes) << "biSizeImage";
        EXPECT_EQ(LoadLE32(m->data() + 2), m->size()) << "bfSize";
        EXPECT_EQ(m->size(), LoadLE32(m->data() + 10) + imageBytes);
        EXPECT_EQ(m->size(), n->size());
    }
}

}  // namespace
}  // namespace lv
