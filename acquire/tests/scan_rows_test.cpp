// Device rows into delivered rows: padding, sample depths, black-and-white polarity.

#include "acquire/source_manager/containers.h"
#include "acquire/source_manager/scan_modes.h"
#include "acquire/source_manager/scan_rows.h"
#include "acquire/source_manager/source_manager.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lv::twain {
namespace {

SANE_Parameters Params(SANE_Frame frame, int width, int depth, int bytesPerLine, int lines = 2)
{
    SANE_Parameters p{};
    p.format = frame;
    p.last_frame = SANE_TRUE;
    p.pixels_per_line = width;
    p.depth = depth;
    p.bytes_per_line = bytesPerLine;
    p.lines = lines;
    return p;
}

TEST(ScanFormat, RowsArePaddedToFourBytesAndBadLayoutsRefused)
{
    ScanFormat f;
    ASSERT_TRUE(FormatOfParameters(Params(SANE_FRAME_RGB, 3, 8, 9), false, f));
    EXPECT_EQ(f.rowBytes, 12u);
    EXPECT_EQ(f.bitsPerPixel, 24);
    ASSERT_TRUE(FormatOfParameters(Params(SANE_FRAME_GRAY, 33, 1, 5), false, f));
    EXPECT_EQ(f.rowBytes, 8u);
    EXPECT_EQ(f.pixelType, TWPT_BW);
    ASSERT_TRUE(FormatOfParameters(Params(SANE_FRAME_RED, 5, 8, 5), true, f));
    EXPECT_EQ(f.pixelType, TWPT_RGB) << "three-pass colour is delivered as one colour picture";

    EXPECT_FALSE(FormatOfParameters(Params(SANE_FRAME_GRAY, 10, 4, 5), false, f)) << "4-bit samples";
    EXPECT_FALSE(FormatOfParameters(Params(SANE_FRAME_RGB, 10, 8, 29), false, f)) << "line shorter than its pixels";
    EXPECT_FALSE(FormatOfParameters(Params(SANE_FRAME_GRAY, 0, 8, 0), false, f));
    EXPECT_FALSE(FormatOfParameters(Params(SANE_FRAME_GRAY, 70000, 8, 70000), false, f));
}

TEST(ScanRows, SixteenBitSamplesKeepTheirHighByteAndPaddingIsZero)
{
    const SANE_Parameters p = Params(SANE_FRAME_RGB, 1, 16, 6);
    ScanFormat f;
    ASSERT_TRUE(FormatOfParameters(p, false, f));
    const std::uint16_t raw[3] = {0x12FF, 0x3400, 0xFF01};
    std::uint8_t out[4];
    std::memset(out, 0xEE, sizeof out);
    ConvertRow(p, reinterpret_cast<const std::uint8_t*>(raw), out, f, false);
    EXPECT_EQ(out[0], 0x12);
    EXPECT_EQ(out[1], 0x34);
    EXPECT_EQ(out[2], 0xFF);
    EXPECT_EQ(out[3], 0) << "padding";
}

TEST(ScanRows, OneBitRowsFollowThePixelFlavour)
{
    // The device sends 1 for black: pixels 0 and 9 black of ten.
    const SANE_Parameters p = Params(SANE_FRAME_GRAY, 10, 1, 2);
    ScanFormat f;
    ASSERT_TRUE(FormatOfParameters(p, false, f));
    const std::uint8_t raw[2] = {0x80, 0x7F};  // the bits past pixel 9 are rubbish
    std::uint8_t vanilla[4], chocolate[4];
    ConvertRow(p, raw, vanilla, f, true);
    ConvertRow(p, raw, chocolate, f, false);
    EXPECT_EQ(vanilla[0], 0x80);
    EXPECT_EQ(vanilla[1], 0x40) << "only the ten pixels' bits are kept";
    EXPECT_EQ(chocolate[0], 0x7F);
    EXPECT_EQ(chocolate[1], 0x80);
    EXPECT_EQ(chocolate[2], 0);
}

TEST(ScanRows, VanillaGreyIsInvertedAndThreePassPlanesInterleave)
{
    const SANE_Parameters grey = Params(SANE_FRAME_GRAY, 2, 8, 2);
    ScanFormat f;
    ASSERT_TRUE(FormatOfParameters(grey, false, f));
    const std::uint8_t raw[2] = {0, 200};
    std::uint8_t out[4];
    ConvertRow(grey, raw, out, f, true);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[1], 55);

    std::uint8_t rgb[6] = {};
    const std::uint8_t green[2] = {7, 9};
    ConvertPlaneRow(Params(SANE_FRAME_GREEN, 2, 8, 2), green, rgb, 2, SANE_FRAME_GREEN - SANE_FRAME_RED);
    EXPECT_EQ(rgb[1], 7);
    EXPECT_EQ(rgb[4], 9);
    EXPECT_EQ(rgb[0] + rgb[2] + rgb[3] + rgb[5], 0);
}

TEST(ScanModes, ModeNamesMapToPixelTypes)
{
    for (const auto& [mode, type] : {std::pair{"Color", TWPT_RGB}, {"24bit Color[Fast]", TWPT_RGB}, {"Gray", TWPT_GRAY},
                                     {"True Gray", TWPT_GRAY}, {"Lineart", TWPT_BW}, {"Black & White", TWPT_BW}})
        EXPECT_EQ(PixelTypeOfMode(mode), type) << mode;
    EXPECT_EQ(PixelTypeOfMode("Infrared"), std::nullopt);
}

TEST(Identities, NamesAreCutOnCharacterBoundariesAndMadeUnique)
{
    const SANE_Device a{"net:host:epson2:1", "Seiko Epson", "Perfection V39 II with an extremely long model name", "flatbed scanner"};
    const SANE_Device b{"test:0", "Noname", "tester", "virtual device"};
    const SANE_Device c{"test:1", "Noname", "tester", "virtual device"};
    const SANE_Device d{"x:0", "", "Câmera ação ótima múltipla çãçãçã", "camera"};
    const SANE_Device* list[] = {&a, &b, &c, &d, nullptr};
    std::map<std::string, TW_UINT32> ids;
    TW_UINT32 next = 1;
    const auto entries = IdentitiesForDevices(list, ids, next);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_LE(std::strlen(entries[0].identity.ProductName), 33u);
    EXPECT_STREQ(entries[1].identity.ProductName, "Noname tester");
    EXPECT_STREQ(entries[2].identity.ProductName, "Noname tester (2)");
    EXPECT_STREQ(entries[0].identity.ProductFamily, "net:host:epson2:1");
    // A two-byte character is never cut in half.
    const std::string name = entries[3].identity.ProductName;
    EXPECT_LE(name.size(), 33u);
    EXPECT_NE(static_cast<unsigned char>(name.back()) & 0xC0, 0xC0);

    // Ids stay with their devices when the list is read again in another order.
    const SANE_Device* again[] = {&c, &b, nullptr};
    const auto second = IdentitiesForDevices(again, ids, next);
    EXPECT_EQ(second[0].identity.Id, entries[2].identity.Id);
    EXPECT_EQ(second[1].identity.Id, entries[1].identity.Id);
}

TEST(Containers, EnumerationsRoundTripTheirCurrentItem)
{
    TW_CAPABILITY cap{ICAP_PIXELTYPE, TWON_ENUMERATION, MakeEnumeration(TWTY_UINT16, {0, 1, 2}, 2, 0)};
    ASSERT_NE(static_cast<void*>(cap.hContainer), nullptr);
    EXPECT_EQ(RequestedItem(cap), 2u);
    static_cast<TW_ENUMERATION*>(cap.hContainer)->CurrentIndex = 7;
    EXPECT_EQ(RequestedItem(cap), std::nullopt) << "an index past the list";
    FreeMemory(cap.hContainer);
    TW_ONEVALUE one{TWTY_UINT16, 0xABCD0002};
    TW_CAPABILITY single{ICAP_XFERMECH, TWON_ONEVALUE, &one};
    EXPECT_EQ(RequestedItem(single), 2u) << "a 16-bit item is the low word";
    TW_CAPABILITY none{ICAP_XFERMECH, TWON_ONEVALUE, nullptr};
    EXPECT_EQ(RequestedItem(none), std::nullopt);
}

}  // namespace
}  // namespace lv::twain
