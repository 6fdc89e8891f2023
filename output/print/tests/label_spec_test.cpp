#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "output/print/label_spec.h"

#include <gtest/gtest.h>

namespace lv::print {
namespace {

using profile::ProfileDocument;

PrinterMetrics A4At600()
{
    PrinterMetrics m;
    m.pageWidth = 4961, m.pageHeight = 7016;
    m.width = 4760, m.height = 6776, m.offsetX = 100, m.offsetY = 120;
    return m;
}

TEST(LabelFile, AMissingFileOffersBrandNoneWithOneFullPageLabel)
{
    lv::testing::TempDir dir;
    const auto file = ReadLabelFile(dir.path() / "lblspec.ini");
    EXPECT_FALSE(file);
    const auto brands = LabelBrands(file ? &*file : nullptr);
    EXPECT_EQ(brands, (std::vector<LabelBrand>{{"AV", "None"}}));
    const PrinterMetrics m = DefaultPrinterMetrics();
    const auto products = LabelProducts(nullptr, brands[0].prefix, m);
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(products[0].name, "");
    ASSERT_EQ(products[0].blocks.size(), 1u);
    EXPECT_EQ(products[0].blocks[0], (LabelBlock{150, 240, 4800, 6120, 4800, 6120, 1, 1}));
    EXPECT_EQ(LabelRects(products[0], 100), (std::vector<Rect>{Rect::fromSize(150, 240, 4800, 6120)}));

    // A file whose brand section is empty, and a brand without a section for this paper.
    const ProfileDocument empty = ProfileDocument::Parse("[LABELPREFIX]\n[XY5100_6600]\n");
    EXPECT_EQ(LabelBrands(&empty), (std::vector<LabelBrand>{{"AV", "None"}}));
    EXPECT_EQ(LabelProducts(&empty, "XY", m).size(), 1u);
    EXPECT_EQ(LabelProducts(&empty, "XY", m)[0].blocks[0].width, 4800);
}

TEST(LabelFile, PaperSectionsAreNamedFromTheSheetInSixHundredthsRoundedTo20)
{
    EXPECT_EQ(PaperSectionName("AV", DefaultPrinterMetrics()), "AV5100_6600");
    EXPECT_EQ(PaperSectionName("GN", A4At600()), "GN4960_7020");
    PrinterMetrics letter300;
    letter300.dpiX = letter300.dpiY = 300;
    letter300.pageWidth = 2550, letter300.pageHeight = 3300;
    EXPECT_EQ(PaperSectionName("AV", letter300), "AV5100_6600");
    PrinterMetrics odd;
    odd.pageWidth = 5109, odd.pageHeight = 5110;  // 5109 + 10 rounds down, 5110 + 10 up
    EXPECT_EQ(PaperSectionName("Z", odd), "Z5100_5120");
}

TEST(LabelFile, ValuesAreGroupsOfEightNumbersInSixHundredthsUpToFourBlocks)
{
    const PrinterMetrics m = DefaultPrinterMetrics();
    const LabelProduct two = ParseLabelProduct("Dupla", "100,200,1500,600,1650,600,3,10,100,6300,1500,300,1500,300,2,1", m);
    // 16 numbers make two blocks.
    EXPECT_EQ(two.blocks, (std::vector<LabelBlock>{{100, 200, 1500, 600, 1650, 600, 3, 10},
                                                   {100, 6300, 1500, 300, 1500, 300, 2, 1}}));
    EXPECT_EQ(LabelRects(two, 100).size(), 32u);
    EXPECT_EQ(LabelRects(two, 100)[4], (Rect::fromSize(1750, 800, 1500, 600))) << "block 0, row 1, column 1";

    // Reading stops at the first missing number: an incomplete second group is dropped.
    for (const char* incomplete : {"1,2,3,4,5,6,7,8,9,10,11", "1,2,3,4,5,6,7,8,,10,11,12,13,14,15,16"})
        EXPECT_EQ(ParseLabelProduct("x", incomplete, m).blocks.size(), 1u) << incomplete;
    // A first group cut short gives a label of no size.
    const LabelProduct cut = ParseLabelProduct("x", "300,300,600", m);
    ASSERT_EQ(cut.blocks.size(), 1u);
    EXPECT_EQ(std::tuple(cut.blocks[0].width, cut.blocks[0].height), std::tuple(0, 0));
    // Five groups: the fifth is not read.
    std::string five;
    for (int i = 0; i < 5; ++i)
        five += "0,0,10,10,10,10,1,1,";
    EXPECT_EQ(ParseLabelProduct("x", five, m).blocks.size(), 4u);

    // Pitches at least the label, columns and rows at least 1, horizontal values at the
    // horizontal resolution.
    PrinterMetrics wide = m;
    wide.dpiX = 300;
    const LabelBlock b = ParseLabelProduct("x", "600, 600, 1200, 600, 10, 0, 0, -3", wide).blocks.at(0);
    EXPECT_EQ(b, (LabelBlock{300, 600, 600, 600, 600, 600, 1, 1}));
}

TEST(LabelFile, BrandsAndNamesAreCutAndProductsLimited)
{
    std::string text = "[LABELPREFIX]\nLONGPREFIX12=Uma marca com nome comprido demais\nGN=Genérica\n[GN5100_6600]\n";
    text += std::string(70, 'n') + "=0,0,600,600,600,600,1,1\n";
    for (int i = 0; i < 250; ++i)
        text += "P" + std::to_string(i) + "=0,0,600,600,600,600,2,2\n";
    const ProfileDocument doc = ProfileDocument::Parse(text);
    EXPECT_EQ(LabelBrands(&doc), (std::vector<LabelBrand>{{"LONGPREFI", "Uma marca com nome "}, {"GN", "Genérica"}}));
    const auto products = LabelProducts(&doc, "GN", DefaultPrinterMetrics());
    ASSERT_EQ(products.size(), 200u);
    EXPECT_EQ(products[0].name.size(), 63u);
    EXPECT_EQ(LabelRects(products[1], 3).size(), 3u) << "the caller's limit holds";
}

TEST(LabelFile, TheShippedFileHasLetterAndA4SheetsThatFitTheirPaper)
{
    const auto file = ReadLabelFile(std::filesystem::path(LV_SOURCE_DIR) / "assets" / "lblspec.ini");
    ASSERT_TRUE(file);
    const auto brands = LabelBrands(&*file);
    ASSERT_FALSE(brands.empty());
    PrinterMetrics letter = DefaultPrinterMetrics();
    letter.offsetX = letter.offsetY = 0, letter.width = 5100, letter.height = 6600;
    PrinterMetrics a4 = A4At600();
    a4.offsetX = a4.offsetY = 0, a4.width = 4961, a4.height = 7016;
    for (const PrinterMetrics& paper : {letter, a4}) {
        const auto products = LabelProducts(&*file, brands[0].prefix, paper);
        ASSERT_GE(products.size(), 5u) << PaperSectionName(brands[0].prefix, paper);
        for (const LabelProduct& p : products) {
            EXPECT_FALSE(p.name.empty());
            for (const Rect& r : LabelRects(p, 1000))
                EXPECT_TRUE(r.width() > 0 && r.left >= 0 && r.top >= 0 && r.right <= paper.pageWidth &&
                            r.bottom <= paper.pageHeight)
                    << p.name << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        }
    }
}

TEST(LabelFile, AFileLargerThanAnyLabelFileIsNotRead)
{
    lv::testing::TempDir dir;
    const std::string path = dir.file("lblspec.ini");
    ASSERT_TRUE(WriteWholeFile(path, std::vector<std::uint8_t>(kMaxLabelFileBytes + 1, 'a')));
    EXPECT_FALSE(ReadLabelFile(path));
}

}  // namespace
}  // namespace lv::print
