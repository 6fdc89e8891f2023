#include "output/print/photo_sizes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lv::print {
namespace {

bool Allowed(SizeRule rule, PhotoSize s, const std::vector<InchRect>& pageSlots)
{
    switch (rule) {
    case SizeRule::Wide: return s.width >= s.height;
    case SizeRule::High: return s.height >= s.width;
    case SizeRule::AnySize: return std::find(kPhotoPrintSizes.begin(), kPhotoPrintSizes.end(), s) != kPhotoPrintSizes.end();
    case SizeRule::ComplementaryPair:
        // Every slot is the first slot's size or that size turned.
        return s == pageSlots[0].size || (s.width == pageSlots[0].size.height && s.height == pageSlots[0].size.width);
    }
    return false;
}

TEST(PhotoSizes, EveryLayoutsSlotsLieInsideTheGridWithoutOverlappingInAllowedSizes)
{
    const std::pair<int, int> grids[] = {{8, 10}, {7, 10}, {10, 7}, {1, 1}, {3, 5}, {13, 19}, {2, 1}, {5, 5}};
    for (const auto& [gw, gh] : grids)
        for (const SizeRule rule : {SizeRule::AnySize, SizeRule::Wide, SizeRule::High, SizeRule::ComplementaryPair})
            for (const std::optional<PhotoSize> lead :
                 {std::optional<PhotoSize>(), std::optional<PhotoSize>(PhotoSize{3, 2}), std::optional<PhotoSize>(PhotoSize{4, 4})}) {
                const PhotoArrangement a = ArrangePhotoSizes(gw, gh, rule, lead, 100);
                std::vector<int> cover(std::size_t(gw * gh), 0);
                for (const InchRect& r : a.prints) {
                    EXPECT_TRUE(Allowed(rule, r.size, a.prints));
                    ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.size.width <= gw && r.y + r.size.height <= gh)
                        << r.x << "," << r.y << " in " << gw << "x" << gh;
                    for (int y = r.y; y < r.y + r.size.height; ++y)
                        for (int x = r.x; x < r.x + r.size.width; ++x)
                            ++cover[std::size_t(y * gw + x)];
                }
                EXPECT_TRUE(std::all_of(cover.begin(), cover.end(), [](int c) { return c <= 1; }))
                    << gw << "x" << gh << " overlaps";
                EXPECT_EQ(std::count(cover.begin(), cover.end(), 0), a.uncoveredCells);
                EXPECT_LE(a.prints.size(), 100u);
            }
}

TEST(PhotoSizes, ALetterPageIsCoveredByEveryLayoutLargerSizesFirst)
{
    for (const SizeRule rule : {SizeRule::AnySize, SizeRule::Wide, SizeRule::High, SizeRule::ComplementaryPair}) {
        const PhotoArrangement a = ArrangePhotoSizes(8, 10, rule, std::nullopt, 100);
        EXPECT_EQ(a.uncoveredCells, 0);
    }
    // Mixed photos on letter: the 8 × 10 fills the page.
    EXPECT_EQ(ArrangePhotoSizes(8, 10, SizeRule::AnySize, std::nullopt, 100).prints,
              (std::vector<InchRect>{{0, 0, {8, 10}}}));
    // One size on an A4 grid (7 × 10): the first pair that covers it is 7 × 5 twice.
    EXPECT_EQ(ArrangePhotoSizes(7, 10, SizeRule::ComplementaryPair, std::nullopt, 100).prints,
              (std::vector<InchRect>{{0, 0, {7, 5}}, {0, 5, {7, 5}}}));
    // A chosen size leads; the rest of the page takes the largest sizes that fit.
    const auto wallet = ArrangePhotoSizes(8, 10, SizeRule::ComplementaryPair, PhotoSize{3, 2}, 100);
    EXPECT_EQ(std::tuple(wallet.prints.size(), wallet.uncoveredCells), std::tuple(13u, 2));
    EXPECT_EQ(ArrangePhotoSizes(8, 10, SizeRule::AnySize, PhotoSize{1, 2}, 100).prints.size(), 40u);
    // 6 × 4 prints: two turned side by side, then one across, rather than two across.
    EXPECT_EQ(ArrangePhotoSizes(8, 10, SizeRule::ComplementaryPair, PhotoSize{6, 4}, 100).prints,
              (std::vector<InchRect>{{0, 0, {4, 6}}, {4, 0, {4, 6}}, {0, 6, {6, 4}}}));
    EXPECT_EQ(ArrangePhotoSizes(20, 20, SizeRule::AnySize, PhotoSize{1, 2}, 100).prints.size(), 100u)
        << "never more than the page's 100 slots";
}

TEST(PhotoSizes, TheInchGridIsCentredOnThePrintableArea)
{
    const PrinterMetrics letter = DefaultPrinterMetrics();  // 8.0 × 10.2 inches printable
    EXPECT_EQ(InchGrid(letter), (Rect::fromSize(150, 300, 4800, 6000)));
    PrinterMetrics tiny = letter;
    tiny.width = 100, tiny.height = 50;
    EXPECT_EQ(InchGrid(tiny), (Rect::fromSize(150 - 250, 240 - 275, 600, 600))) << "at least one inch";
    for (int kind = 1; kind <= 4; ++kind)
        for (const Rect& r : PhotoSizeSlots(kind, letter, std::nullopt, 100)) {
            EXPECT_TRUE(r.left >= 150 && r.top >= 240 && r.right <= 150 + 4800 && r.bottom <= 240 + 6120)
                << kind << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
            EXPECT_EQ(std::tuple(r.width() % 600, (r.left - 150) % 600), std::tuple(0, 0));
        }
}

}  // namespace
}  // namespace lv::print
