// The source manager library as an application sees it, loaded at run time and driven through
// its one entry point over the scanner interface's test backend; and its parts: device rows
// into delivered rows, identities, containers and where its configuration comes from.

#include "acquire/source_manager/containers.h"
#include "acquire/source_manager/scan_modes.h"
#include "acquire/source_manager/scan_rows.h"
#include "acquire/source_manager/scanner_configuration.h"
#include "acquire/source_manager/source_manager.h"
#include "acquire/tests/sane_test_backend.h"
#include "acquire/twain_protocol.h"
#include "common/little_endian.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace lv::twain {
namespace {

class Dsm {
public:
    Dsm()
    {
        library_ = ::dlopen(LV_TWAIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (library_)
            entry_ = reinterpret_cast<DSMENTRYPROC>(::dlsym(library_, "DSM_Entry"));
        std::memset(&app_, 0, sizeof app_);
        app_.ProtocolMajor = 2;
        app_.SupportedGroups = DG_CONTROL | DG_IMAGE;
        std::strcpy(app_.ProductName, "tests");
    }
    ~Dsm()
    {
        if (source_.Id) {
            TW_PENDINGXFERS pending{};
            call(&source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
            TW_USERINTERFACE ui{0, 0, nullptr};
            call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
            call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_);
        }
        call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr);
        if (library_)
            ::dlclose(library_);
    }
    bool loaded() const { return entry_ != nullptr; }
    TW_UINT16 call(TW_IDENTITY* dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
    {
        return entry_(&app_, dest, dg, dat, msg, data);
    }
    TW_UINT16 condition(TW_IDENTITY* dest)
    {
        TW_STATUS status{};
        call(dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
        return status.ConditionCode;
    }
    TW_UINT16 openManager() { return call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, nullptr); }
    TW_UINT16 openSource(const char* product)
    {
        std::memset(&source_, 0, sizeof source_);
        std::strcpy(source_.ProductName, product);
        return call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_);
    }
    TW_UINT16 setOne(TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item)
    {
        TW_ONEVALUE one{type, item};
        TW_CAPABILITY c{cap, TWON_ONEVALUE, &one};
        return call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &c);
    }
    std::optional<TW_UINT32> current(TW_UINT16 cap)
    {
        TW_CAPABILITY c{cap, TWON_DONTCARE16, nullptr};
        if (call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &c) != TWRC_SUCCESS || c.ConType != TWON_ONEVALUE)
            return std::nullopt;
        const TW_UINT32 item = static_cast<TW_ONEVALUE*>(c.hContainer)->Item;
        std::free(c.hContainer);
        return item;
    }
    TW_UINT16 enable(bool showUi)
    {
        TW_USERINTERFACE ui{TW_BOOL(showUi), 0, nullptr};
        return call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
    }
    // Polls as a loop without a desktop does; the message the source sent, or MSG_NULL.
    TW_UINT16 poll()
    {
        TW_EVENT event{nullptr, MSG_NULL};
        return call(&source_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT ? event.TWMessage : MSG_NULL;
    }
    TW_UINT16 endTransfer(TW_PENDINGXFERS& pending)
    {
        return call(&source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
    }
    TW_IDENTITY source_{};

private:
    void* library_ = nullptr;
    DSMENTRYPROC entry_ = nullptr;
    TW_IDENTITY app_{};
};

// Rows of a delivered picture, top row first, in red-green-blue order for colour.
struct Picture {
    int width = 0, height = 0, bits = 0;
    std::size_t rowBytes = 0;
    std::vector<std::uint8_t> rows;
    std::vector<std::uint8_t> table;  // blue, green, red, 0 per entry (native transfers)
    double resolution = 0;            // dots per inch (memory) or pixels per metre (native)
    const std::uint8_t* row(int y) const { return rows.data() + std::size_t(y) * rowBytes; }
};

Picture MemoryTransfer(Dsm& dsm, TW_UINT32 stripBytes = 0)
{
    Picture picture;
    TW_IMAGEINFO info{};
    EXPECT_EQ(dsm.call(&dsm.source_, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS);
    TW_SETUPMEMXFER setup{};
    EXPECT_EQ(dsm.call(&dsm.source_, DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    picture.width = info.ImageWidth;
    picture.height = info.ImageLength;
    picture.resolution = Fix32ToDouble(info.XResolution);
    picture.bits = info.BitsPerPixel;
    picture.rowBytes = (std::size_t(info.BitsPerPixel) * std::size_t(info.ImageWidth) + 31) / 32 * 4;
    picture.rows.assign(picture.rowBytes * std::size_t(picture.height), 0xCD);
    const TW_UINT32 strip = stripBytes ? stripBytes : setup.Preferred;
    std::size_t at = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        TW_IMAGEMEMXFER xfer{};
        xfer.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, strip, picture.rows.data() + at};
        const TW_UINT16 rc = dsm.call(&dsm.source_, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) {
            ADD_FAILURE() << "memory transfer failed with " << rc;
            break;
        }
        EXPECT_EQ(xfer.YOffset * picture.rowBytes, at) << "strips come from the top, in order";
        EXPECT_EQ(std::size_t(xfer.BytesPerRow), picture.rowBytes);
        at += xfer.BytesWritten;
        if (rc == TWRC_XFERDONE)
            break;
    }
    EXPECT_EQ(at, picture.rows.size());
    return picture;
}

// A native transfer's bitmap read back into top-down red-green-blue rows.
Picture NativeTransfer(Dsm& dsm)
{
    Picture picture;
    TW_HANDLE handle = nullptr;
    EXPECT_EQ(dsm.call(&dsm.source_, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle), TWRC_XFERDONE);
    if (!handle)
        return picture;
    const auto* block = static_cast<const std::uint8_t*>(handle);
    const int w = std::int32_t(LoadLE32(block + 4));
    const int h = std::int32_t(LoadLE32(block + 8));
    const int bits = LoadLE16(block + 14);
    const std::uint32_t used = LoadLE32(block + 32);
    picture.width = w, picture.height = h, picture.bits = bits;
    picture.resolution = std::int32_t(LoadLE32(block + 24));
    picture.rowBytes = (std::size_t(bits) * std::size_t(w) + 31) / 32 * 4;
    picture.table.assign(block + 40, block + 40 + 4 * used);
    const std::uint8_t* pixels = block + 40 + 4 * used;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = pixels + std::size_t(h - 1 - y) * picture.rowBytes;
        std::vector<std::uint8_t> row(in, in + picture.rowBytes);
        if (bits == 24)
            for (int x = 0; x < w; ++x)
                std::swap(row[3 * std::size_t(x)], row[3 * std::size_t(x) + 2]);
        picture.rows.insert(picture.rows.end(), row.begin(), row.end());
    }
    std::free(handle);
    return picture;
}

class SourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The test backend keeps some of its settings when it is started again in the same
        // process, so each process uses one set: the picture comes from the environment
        // (a second run of this program checks the grid), and small reads make strips be
        // put together from pieces.
        static const bool configured = [] {
            const char* picture = std::getenv("LV_SANE_TEST_PICTURE");
            testing::UseSaneTestBackend({{"test-picture", "\"" + std::string(picture ? picture : "Color pattern") + "\""},
                                         {"read-limit", "true"},
                                         {"read-limit-size", "1000"}});
            return true;
        }();
        (void)configured;
        ASSERT_TRUE(dsm_.loaded()) << ::dlerror();
        ASSERT_EQ(dsm_.openManager(), TWRC_SUCCESS);
    }

    // Opens the first test device with a pixel type and resolution and lets it announce a transfer.
    void readyToTransfer(TW_UINT16 pixelType, int dpi, TW_UINT16 mechanism, TW_UINT16 flavor = TWPF_CHOCOLATE)
    {
        ASSERT_EQ(dsm_.openSource("Noname frontend-tester"), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.setOne(ICAP_PIXELTYPE, TWTY_UINT16, pixelType), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.setOne(ICAP_XRESOLUTION, TWTY_FIX32, ItemFromFix32(DoubleToFix32(dpi))), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.setOne(ICAP_XFERMECH, TWTY_UINT16, mechanism), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.setOne(ICAP_PIXELFLAVOR, TWTY_UINT16, flavor), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.enable(false), TWRC_SUCCESS);
        ASSERT_EQ(dsm_.poll(), MSG_XFERREADY);
    }

    Dsm dsm_;
};

TEST_F(SourceManagerTest, ListsEveryDeviceWithItsOwnName)
{
    TW_IDENTITY id{};
    std::vector<std::string> names, families;
    for (TW_UINT16 rc = dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id); rc == TWRC_SUCCESS;
         rc = dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id)) {
        names.emplace_back(id.ProductName);
        families.emplace_back(id.ProductFamily);
        EXPECT_NE(id.Id, 0u);
        EXPECT_EQ(id.SupportedGroups & DG_IMAGE, DG_IMAGE);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Noname frontend-tester", "Noname frontend-tester (2)"}));
    EXPECT_EQ(families, (std::vector<std::string>{"test:0", "test:1"}));
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id), TWRC_ENDOFLIST);

    // Names are matched without regard to case; the identity comes back filled in.
    ASSERT_EQ(dsm_.openSource("NONAME FRONTEND-TESTER (2)"), TWRC_SUCCESS);
    EXPECT_STREQ(dsm_.source_.ProductFamily, "test:1");
    TW_IDENTITY missing{};
    std::strcpy(missing.ProductName, "no such scanner");
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &missing), TWRC_FAILURE);
    EXPECT_EQ(dsm_.condition(nullptr), TWCC_NODS);
}

TEST_F(SourceManagerTest, RefusesStepsOutOfOrder)
{
    ASSERT_EQ(dsm_.openManager(), TWRC_FAILURE) << "a second open";
    ASSERT_EQ(dsm_.openSource("Noname frontend-tester"), TWRC_SUCCESS);
    TW_IMAGEINFO info{};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_FAILURE) << "no transfer yet";
    EXPECT_EQ(dsm_.condition(&dsm_.source_), TWCC_SEQERROR);
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr), TWRC_FAILURE) << "a source is open";
    EXPECT_EQ(dsm_.condition(nullptr), TWCC_SEQERROR);

    ASSERT_EQ(dsm_.enable(false), TWRC_SUCCESS);
    EXPECT_EQ(dsm_.enable(false), TWRC_FAILURE) << "enabled twice";
    EXPECT_EQ(dsm_.setOne(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY), TWRC_FAILURE) << "negotiation is over";
    EXPECT_EQ(dsm_.condition(&dsm_.source_), TWCC_SEQERROR);
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &dsm_.source_), TWRC_FAILURE) << "still enabled";

    ASSERT_EQ(dsm_.poll(), MSG_XFERREADY);
    TW_USERINTERFACE ui{0, 0, nullptr};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_FAILURE)
        << "a transfer is pending";
    TW_PENDINGXFERS pending{};
    ASSERT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &dsm_.source_), TWRC_SUCCESS);
    dsm_.source_.Id = 0;
    EXPECT_EQ(dsm_.call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, nullptr), TWRC_SUCCESS);
}

TEST_F(SourceManagerTest, NegotiatesResolutionUnitsAndMechanism)
{
    ASSERT_EQ(dsm_.openSource("Noname frontend-tester"), TWRC_SUCCESS);
    ASSERT_EQ(dsm_.setOne(ICAP_XRESOLUTION, TWTY_FIX32, ItemFromFix32(DoubleToFix32(300))), TWRC_SUCCESS);
    EXPECT_DOUBLE_EQ(Fix32ToDouble(Fix32FromItem(dsm_.current(ICAP_XRESOLUTION).value_or(0))), 300.0);
    ASSERT_EQ(dsm_.setOne(ICAP_UNITS, TWTY_UINT16, TWUN_CENTIMETERS), TWRC_SUCCESS);
    EXPECT_NEAR(Fix32ToDouble(Fix32FromItem(dsm_.current(ICAP_XRESOLUTION).value_or(0))), 300 / 2.54, 1e-4);
    EXPECT_EQ(dsm_.current(ICAP_UNITS), TWUN_CENTIMETERS);
    EXPECT_EQ(dsm_.setOne(ICAP_XFERMECH, TWTY_UINT16, 1), TWRC_FAILURE) << "no file transfers";
    EXPECT_EQ(dsm_.condition(&dsm_.source_), TWCC_BADVALUE);
    EXPECT_EQ(dsm_.setOne(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_PALETTE), TWRC_FAILURE);

    // The enumeration of pixel types names what the device's modes give.
    TW_CAPABILITY c{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    ASSERT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &c), TWRC_SUCCESS);
    ASSERT_EQ(c.ConType, TWON_ENUMERATION);
    const auto* e = static_cast<const TW_ENUMERATION*>(c.hContainer);
    ASSERT_EQ(TW_UINT32(e->NumItems), 3u);
    std::vector<TW_UINT16> types(3);
    std::memcpy(types.data(), e->ItemList, 6);
    EXPECT_EQ(types, (std::vector<TW_UINT16>{TWPT_BW, TWPT_GRAY, TWPT_RGB}));
    std::free(c.hContainer);
    TW_CAPABILITY unknown{0x7777, TWON_DONTCARE16, nullptr};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_CAPABILITY, MSG_GET, &unknown), TWRC_FAILURE);
    EXPECT_EQ(dsm_.condition(&dsm_.source_), TWCC_CAPUNSUPPORTED);
}

struct ScanCase {
    const char* name;
    TW_UINT16 pixelType;
    TW_UINT16 mechanism;
    const char* scanimage;
};

class TestPatternScan : public SourceManagerTest, public ::testing::WithParamInterface<ScanCase> {};

// Every mode by both transfers gives what the interface's own front end gets from the same scan.
TEST_P(TestPatternScan, MatchesTheFrontEndsScan)
{
    const ScanCase& c = GetParam();
    readyToTransfer(c.pixelType, 50, c.mechanism);
    const Picture picture = c.mechanism == TWSX_MEMORY ? MemoryTransfer(dsm_, 3 * 4000) : NativeTransfer(dsm_);
    TW_PENDINGXFERS pending{};
    ASSERT_EQ(dsm_.endTransfer(pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0) << "a flatbed gives one picture";

    const auto expected = testing::ScanWithScanimage(std::string(c.scanimage) + " --resolution 50");
    if (!expected)
        GTEST_SKIP() << "scanimage is not available";
    ASSERT_EQ(picture.width, expected->width);
    ASSERT_EQ(picture.height, expected->height);
    EXPECT_EQ(picture.width, 157) << "80 mm at 50 dots per inch";
    EXPECT_DOUBLE_EQ(picture.resolution, c.mechanism == TWSX_MEMORY ? 50.0 : 1968.0);
    for (int y = 0; y < picture.height; ++y) {
        std::vector<std::uint8_t> got(picture.row(y), picture.row(y) + expected->rowBytes());
        std::vector<std::uint8_t> want(expected->row(y), expected->row(y) + expected->rowBytes());
        if (expected->bits == 1)
            for (auto& b : want)
                b = std::uint8_t(~b);  // the front end writes black as 1, the source delivers black as 0
        if (expected->bits == 1 && picture.width % 8)
            want.back() &= std::uint8_t(0xFF << (8 - picture.width % 8));
        ASSERT_EQ(got, want) << "row " << y;
    }
    if (c.mechanism == TWSX_NATIVE && c.pixelType == TWPT_BW) {
        ASSERT_EQ(picture.table.size(), 8u);
        EXPECT_EQ(picture.table[0], 0) << "black first for chocolate";
        EXPECT_EQ(picture.table[4], 255);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, TestPatternScan,
                         ::testing::Values(ScanCase{"ColourMemory", TWPT_RGB, TWSX_MEMORY, "--mode Color --depth 8"},
                                           ScanCase{"ColourNative", TWPT_RGB, TWSX_NATIVE, "--mode Color --depth 8"},
                                           ScanCase{"GreyMemory", TWPT_GRAY, TWSX_MEMORY, "--mode Gray --depth 8"},
                                           ScanCase{"GreyNative", TWPT_GRAY, TWSX_NATIVE, "--mode Gray --depth 8"},
                                           ScanCase{"LineArtMemory", TWPT_BW, TWSX_MEMORY, "--mode Gray --depth 1"},
                                           ScanCase{"LineArtNative", TWPT_BW, TWSX_NATIVE, "--mode Gray --depth 1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The grid pattern's squares are 10 mm: white at the top left, black beside it.
TEST_F(SourceManagerTest, GridPatternByMemoryInVanillaLineArt)
{
    if (std::string(std::getenv("LV_SANE_TEST_PICTURE") ? std::getenv("LV_SANE_TEST_PICTURE") : "") != "Grid")
        GTEST_SKIP() << "runs where the grid is the test picture";
    readyToTransfer(TWPT_BW, 254, TWSX_MEMORY, TWPF_VANILLA);  // 10 pixels per millimetre
    const Picture p = MemoryTransfer(dsm_);
    ASSERT_EQ(p.bits, 1);
    const auto bit = [&p](int x, int y) { return (p.row(y)[x / 8] >> (7 - x % 8)) & 1; };
    // Vanilla: 0 is white.
    for (const auto& [x, y, black] : {std::tuple{5, 5, 0}, {95, 95, 0}, {105, 5, 1}, {5, 105, 1}, {105, 105, 0}})
        EXPECT_EQ(bit(x, y), black) << x << "," << y;
}

TEST_F(SourceManagerTest, StripsMustHoldARowAndEndOnlyOnce)
{
    readyToTransfer(TWPT_RGB, 50, TWSX_MEMORY);
    std::vector<std::uint8_t> small(100);
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(small.size()), small.data()};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer), TWRC_FAILURE);
    EXPECT_EQ(dsm_.condition(&dsm_.source_), TWCC_BADVALUE);
    MemoryTransfer(dsm_);
    std::vector<std::uint8_t> more(1 << 20);
    xfer.Memory = TW_MEMORY{TWMF_APPOWNS | TWMF_POINTER, TW_UINT32(more.size()), more.data()};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer), TWRC_FAILURE) << "the picture is done";
    TW_PENDINGXFERS pending{};
    ASSERT_EQ(dsm_.endTransfer(pending), TWRC_SUCCESS);
    EXPECT_EQ(dsm_.poll(), MSG_NULL) << "nothing more without the dialog";
    TW_USERINTERFACE ui{0, 0, nullptr};
    EXPECT_EQ(dsm_.call(&dsm_.source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
}

// Device rows into delivered rows: padding, sample depths, black-and-white polarity.
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
    EXPECT_EQ(std::tuple(f.rowBytes, f.bitsPerPixel), std::tuple(12u, 24));
    ASSERT_TRUE(FormatOfParameters(Params(SANE_FRAME_GRAY, 33, 1, 5), false, f));
    EXPECT_EQ(std::tuple(f.rowBytes, f.pixelType), std::tuple(8u, TWPT_BW));
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
    EXPECT_EQ(std::vector<int>(out, out + 4), (std::vector<int>{0x12, 0x34, 0xFF, 0})) << "the last is padding";
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
    EXPECT_EQ(std::vector<int>(vanilla, vanilla + 2), (std::vector<int>{0x80, 0x40})) << "only the ten pixels' bits";
    EXPECT_EQ(std::vector<int>(chocolate, chocolate + 3), (std::vector<int>{0x7F, 0x80, 0}));
}

TEST(ScanRows, VanillaGreyIsInvertedAndThreePassPlanesInterleave)
{
    const SANE_Parameters grey = Params(SANE_FRAME_GRAY, 2, 8, 2);
    ScanFormat f;
    ASSERT_TRUE(FormatOfParameters(grey, false, f));
    const std::uint8_t raw[2] = {0, 200};
    std::uint8_t out[4];
    ConvertRow(grey, raw, out, f, true);
    EXPECT_EQ(std::vector<int>(out, out + 2), (std::vector<int>{255, 55}));

    std::uint8_t rgb[6] = {};
    const std::uint8_t green[2] = {7, 9};
    ConvertPlaneRow(Params(SANE_FRAME_GREEN, 2, 8, 2), green, rgb, 2, SANE_FRAME_GREEN - SANE_FRAME_RED);
    EXPECT_EQ(std::vector<int>(rgb, rgb + 6), (std::vector<int>{0, 7, 0, 0, 9, 0}));
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

// Puts the variable back as it was when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name)
        : name_(name)
    {
        if (const char* value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable()
    {
        if (value_)
            ::setenv(name_, value_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> value_;
};

std::string Variable()
{
    const char* value = std::getenv("SANE_CONFIG_DIR");
    return value ? value : "(unset)";
}

TEST(ScannerConfiguration, UnsetOrEmptyBecomesTheSystemFolderWithoutTheCurrentOneAndAChoiceIsKept)
{
    SavedVariable saved("SANE_CONFIG_DIR");
    ::unsetenv("SANE_CONFIG_DIR");
    UseSystemScannerConfigurationUnlessChosen();
    EXPECT_EQ(Variable(), "/etc/sane.d") << "no trailing ':', which would search the current folder first";

    ::setenv("SANE_CONFIG_DIR", "", 1);
    UseSystemScannerConfigurationUnlessChosen();
    EXPECT_EQ(Variable(), "/etc/sane.d");

    for (const char* chosen : {"/tmp/lv-sane-own", "/tmp/mine:", "/a:/b"}) {
        ::setenv("SANE_CONFIG_DIR", chosen, 1);
        UseSystemScannerConfigurationUnlessChosen();
        EXPECT_EQ(Variable(), chosen);
    }
}

}  // namespace
}  // namespace lv::twain
