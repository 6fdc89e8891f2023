// The print's crop in the paper's shape, the order's lines, and the strict reading of the
// service's upload and order replies.

#include "sharing/store/print_order.h"
#include "sharing/store/upload_reply.h"

#include <gtest/gtest.h>

namespace lv::sharing {
namespace {

TEST(PrintOrder, TheCropIsTheLargestCentredPartOfThePapersShapeLyingAsThePhotoDoes)
{
    const PaperSize& tenByFifteen = *FindPaper("10x15");
    EXPECT_EQ(CentredCrop(600, 400, tenByFifteen), (CropRect{0, 0, 600, 400}));   // already 3:2
    EXPECT_EQ(CentredCrop(400, 600, tenByFifteen), (CropRect{0, 0, 400, 600}));   // upright too
    EXPECT_EQ(CentredCrop(800, 400, tenByFifteen), (CropRect{100, 0, 600, 400}));  // too wide: sides go
    EXPECT_EQ(CentredCrop(500, 500, tenByFifteen), (CropRect{83, 0, 333, 500}));   // square: upright
    EXPECT_EQ(CentredCrop(1, 1, tenByFifteen), (CropRect{0, 0, 1, 1}));
    EXPECT_EQ(CentredCrop(0, 10, tenByFifteen), CropRect{});
    EXPECT_EQ(FindPaper("9x13"), nullptr);
    // Dragging stops at the photo's edges.
    EXPECT_EQ(MovedCrop({100, 0, 600, 400}, 500, -20, 800, 400), (CropRect{200, 0, 600, 400}));
    EXPECT_EQ(MovedCrop({100, 0, 600, 400}, -500, 0, 800, 400), (CropRect{0, 0, 600, 400}));
}

TEST(PrintOrder, LinesAreWrittenOnlyWhenEveryFieldIsValid)
{
    const CropRect crop{0, 2, 64, 43};
    EXPECT_EQ(OrderText({{"a b.jpg", "13x18", 99, crop}}), "13x18\t99\t0,2,64,43\ta b.jpg\n");
    EXPECT_EQ(OrderText({{"a.jpg", "13x18", 0, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "13x18", 100, crop}}), "");
    EXPECT_EQ(OrderText({{"a\tb.jpg", "13x18", 1, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "A4", 1, crop}}), "");
    EXPECT_EQ(OrderText({{"a.jpg", "10x15", 1, {0, 0, 0, 5}}}), "");
    EXPECT_EQ(ParseCrop("0,2,64,43"), crop);
    for (const char* bad : {"", "1,2,3", "1,2,3,4,", "1,2,3,0", "-1,2,3,4", "1, 2,3,4", "1,2,3,4x", "99999999999,1,1,1"})
        EXPECT_FALSE(ParseCrop(bad)) << bad;
}

TEST(UploadReply, OnlyWellFormedKnownLinesAreTaken)
{
    const auto done = store::ParseUploadReply("offset=3000\r\nname=praia (2).jpg\n", 3000);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->offset, 3000u);
    EXPECT_EQ(done->name, "praia (2).jpg");
    EXPECT_EQ(store::ParseUploadReply("session=a_1-B\noffset=0", 10)->session, "a_1-B");
    for (const char* bad : {"", "offset=3001", "offset=-1", "offset= 5", "offset=1\noffset=1", "session=../x",
                            "session=", "name=.hidden", "name=a/b", "size=3", "offset=1\n\n", "offset=12345678901234567890"})
        EXPECT_FALSE(store::ParseUploadReply(bad, 3000)) << bad;
    EXPECT_EQ(store::ParseOrderReply("order=LV-000001\n"), "LV-000001");
    for (const char* bad : {"order=", "order=<b>", "order=1\norder=2", "numero=1", "order=123456789012345678901234567890123"})
        EXPECT_FALSE(store::ParseOrderReply(bad)) << bad;
}

}  // namespace
}  // namespace lv::sharing
