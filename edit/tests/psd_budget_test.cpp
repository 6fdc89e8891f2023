// Photoshop documents that declare huge pictures and pack them with deflate: a file of a
// few hundred kilobytes must not make the reader allocate hundreds of megabytes.

#include "common/byte_source.h"
#include "common/little_endian.h"
#include "common/testing/ui_recorder.h"
#include "edit/psd/psd_channels.h"
#include "edit/psd/psd_import.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// `size` zero bytes through deflate at its best.
Bytes DeflatedZeros(std::uint64_t size)
{
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const Bytes zeros(1 << 20, 0);
    Bytes out;
    Bytes chunk(1 << 16);
    for (std::uint64_t left = size;;) {
        const std::size_t now = std::size_t(std::min<std::uint64_t>(left, zeros.size()));
        stream.next_in = const_cast<Bytef*>(zeros.data());
        stream.avail_in = uInt(now);
        left -= now;
        const int flush = left == 0 ? Z_FINISH : Z_NO_FLUSH;
        int status = Z_OK;
        do {
            stream.next_out = chunk.data();
            stream.avail_out = uInt(chunk.size());
            status = deflate(&stream, flush);
            out.insert(out.end(), chunk.begin(), chunk.end() - stream.avail_out);
        } while (stream.avail_out == 0);
        if (status == Z_STREAM_END)
            break;
    }
    deflateEnd(&stream);
    return out;
}

// A flattened 8-bit RGB document whose merged image is deflated zeros.
Bytes FlatZipPsd(std::uint32_t width, std::uint32_t height)
{
    Bytes file(26 + 12, 0);
    std::memcpy(file.data(), "8BPS", 4);
    StoreBE16(file.data() + 4, 1);
    StoreBE16(file.data() + 12, 3);  // channels
    StoreBE32(file.data() + 14, height);
    StoreBE32(file.data() + 18, width);
    StoreBE16(file.data() + 22, 8);
    StoreBE16(file.data() + 24, 3);  // RGB
    file.push_back(0);
    file.push_back(kPsdZip);
    const Bytes stream = DeflatedZeros(std::uint64_t(width) * height * 3);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

// A hostile file of this kind refused as too large, opened flattened and layered, is the tool's
// hostile-seeds test; the reader's own limit on what deflate may expand is below.
TEST(PsdBudget, ASmallCanvasOfDeflatedZerosOpensBlack)
{
    testing::UiRecorder ui;
    const Bytes smallFile = FlatZipPsd(300, 200);
    MemorySource small(smallFile);
    const PsdOpened fine = OpenPsd(small);
    ASSERT_TRUE(fine.stack);
    EXPECT_EQ(std::tuple(fine.stack->composite.width(), int(fine.stack->composite.row(0)[0])), std::tuple(300, 0));
}

TEST(PsdBudget, DeflateExpandsNoFurtherThanThePictureBudget)
{
    const Bytes stream = DeflatedZeros(std::uint64_t(6000) * 6000 * 4);  // 144 MB from about 140 KB
    int rows = 0;
    const auto count = [&](std::uint32_t, std::uint32_t, const std::uint8_t*) { ++rows; };
    EXPECT_FALSE(DecodePsdPlanes(stream, kPsdZip, {6000, 6000, 8, 4}, 3, count));
    EXPECT_FALSE(DecodePsdPlanes(stream, kPsdZipPredicted, {6000, 6000, 8, 4}, 3, count));
    EXPECT_EQ(rows, 0);
    // Within the ratio-free part of the budget the same stream decodes.
    const Bytes modest = DeflatedZeros(std::uint64_t(2000) * 2000 * 4);
    EXPECT_TRUE(DecodePsdPlanes(modest, kPsdZip, {2000, 2000, 8, 4}, 3, count));
    EXPECT_EQ(rows, 6000);
}

}  // namespace
}  // namespace lv
