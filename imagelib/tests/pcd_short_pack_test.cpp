// A Photo CD pack cut short opens at the levels whose planes it holds.

#include "common/byte_source.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/photocd/pcd.h"
#include "imagelib/codecs/photocd/photo_cd_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

constexpr std::size_t kSector = 2048;

ReadResult ReadAt(const std::vector<std::uint8_t>& bytes, int resolution)
{
    ScopedPhotoCdMode mode(kPhotoCdStored);
    const PhotoCdChoices before = StoredPhotoCdChoices();
    SetStoredPhotoCdChoices({0, resolution});
    MemorySource source(bytes);
    ReadResult result = ReadPhotoCd(source, BuiltInPhotoCdLibrary());
    SetStoredPhotoCdChoices(before);
    return result;
}

bool SamePixels(const HDIB& a, const HDIB& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.bitCount() != b.bitCount())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), a.stride()) != 0)
            return false;
    return true;
}

TEST(PhotoCdShortPack, OpensAtTheLargestLevelItHoldsAndNothingWithoutBase16)
{
    const auto whole = ReadWholeFile("tests/fixtures/pcd/im.pcd").value_or(std::vector<std::uint8_t>{});
    ASSERT_GT(whole.size(), 384 * kSector);
    testing::UiRecorder ui;
    const auto cut = [&](std::size_t sectors, std::size_t extra = 0) {
        return std::vector<std::uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(sectors * kSector + extra));
    };
    const ReadResult base16 = ReadAt(whole, 0), base4 = ReadAt(whole, 1);
    ASSERT_TRUE(base16.ok() && base4.ok());

    // Base/16 planes end at sector 22, Base/4 at 95, Base at 384.
    EXPECT_FALSE(ReadAt(cut(21, 2047), 0).ok());
    for (const std::size_t sectors : {std::size_t(22), std::size_t(60), std::size_t(94)})
        for (const int asked : {0, 2, 4}) {
            const ReadResult r = ReadAt(cut(sectors), asked);
            ASSERT_TRUE(r.ok()) << sectors << " sectors at " << asked;
            EXPECT_TRUE(SamePixels(r.image(), base16.image())) << sectors << " sectors at " << asked;
        }
    for (const std::size_t sectors : {std::size_t(95), std::size_t(383)}) {
        const ReadResult r = ReadAt(cut(sectors), 2);
        ASSERT_TRUE(r.ok()) << sectors;
        EXPECT_TRUE(SamePixels(r.image(), base4.image())) << sectors;
        EXPECT_TRUE(SamePixels(ReadAt(cut(sectors), 0).image(), base16.image())) << sectors;
    }
    const ReadResult atBase = ReadAt(cut(384), 2);
    ASSERT_TRUE(atBase.ok());
    EXPECT_EQ(std::max(atBase.image().width(), atBase.image().height()), 768);
}

}  // namespace
}  // namespace lv
