// The acquisition session against a scripted source manager (its steps and refusals, the
// message filter, pictures from native and memory transfers), and the names and storage of
// photos that arrive while the album page shows.

#include "acquire/acquired_photo.h"
#include "acquire/tests/fake_source_manager.h"
#include "acquire/twain_session.h"
#include "album/album.h"
#include "album/catalogue_store.h"
#include "album/photo_loader.h"
#include "app/core/tests/memory_store.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

namespace lv::twain {
namespace {

class RecordingHost final : public AcquisitionHost {
public:
    void setMainWindowEnabled(bool enabled) override { mainWindowEnabled = enabled; }
    void bringToFront() override { ++broughtToFront; }
    void pictureAcquired(HDIB picture) override { pictures.push_back(std::move(picture)); }

    bool mainWindowEnabled = true;
    int broughtToFront = 0;
    std::vector<HDIB> pictures;
};

class SessionTest : public ::testing::Test {
protected:
    TwainSession& session(TransferSettings settings = {})
    {
        session_.emplace(fake_, host_, settings, nullptr);
        return *session_;
    }
    int countCalls(const std::string& call) const { return int(std::count(fake_.calls.begin(), fake_.calls.end(), call)); }

    testing::UiRecorder ui_;
    testing::FakeSourceManager fake_;
    RecordingHost host_;
    std::optional<TwainSession> session_;
};

TEST_F(SessionTest, SingleScanEndsTheSessionAfterTheFirstBatch)
{
    TwainSession& s = session({0, 0});
    ASSERT_TRUE(s.acquire(""));
    EXPECT_EQ(s.phase(), kPhaseWaiting);
    EXPECT_FALSE(host_.mainWindowEnabled) << "input goes to the source's dialog";
    EXPECT_EQ(fake_.lastShowUi, "1");

    EXPECT_FALSE(s.filterMessage(nullptr)) << "an event that is not the source's";
    fake_.picturesPerBatch = 2;
    fake_.notify(MSG_XFERREADY);
    EXPECT_TRUE(s.filterMessage(nullptr));
    EXPECT_EQ(host_.pictures.size(), 2u) << "the whole batch";
    EXPECT_EQ(std::tuple(s.managerOpen(), s.sourceOpen(), s.phase()), std::tuple(false, false, kPhaseIdle));
    EXPECT_FALSE(fake_.loaded) << "the library is unloaded with the manager";
    EXPECT_TRUE(host_.mainWindowEnabled);
}

TEST_F(SessionTest, MultiScanKeepsTheSourceUntilItAsksToClose)
{
    TwainSession& s = session({0, 1});
    ASSERT_TRUE(s.acquire("fake scanner"));
    EXPECT_STREQ(fake_.opened.ProductName, "Fake Scanner") << "found by name without regard to case";
    for (int scan = 1; scan <= 2; ++scan) {
        fake_.notify(MSG_XFERREADY);
        EXPECT_TRUE(s.filterMessage(nullptr));
        EXPECT_EQ(host_.pictures.size(), std::size_t(scan));
        EXPECT_EQ(std::tuple(s.sourceEnabled(), s.managerOpen(), host_.mainWindowEnabled),
                  std::tuple(true, true, false));
    }
    fake_.notify(MSG_CLOSEDSREQ);
    EXPECT_TRUE(s.filterMessage(nullptr));
    EXPECT_EQ(std::tuple(s.sourceEnabled(), s.sourceOpen(), s.managerOpen(), host_.mainWindowEnabled),
              std::tuple(false, false, false, true));
    EXPECT_EQ(host_.broughtToFront, 1);
    EXPECT_FALSE(s.filterMessage(nullptr)) << "nothing is open any more";
}

TEST_F(SessionTest, RefusedStepsDoNotReachTheManager)
{
    TwainSession& s = session();
    ASSERT_TRUE(s.acquire(""));
    const std::size_t before = fake_.calls.size();
    EXPECT_FALSE(s.selectSource()) << "a source is open";
    EXPECT_FALSE(s.closeSourceManager());
    EXPECT_FALSE(s.closeSource()) << "still enabled";
    EXPECT_FALSE(s.enableSource(true)) << "already enabled";
    EXPECT_EQ(fake_.calls.size(), before);
    // A second start while the source waits: the source refuses the mechanism, and the
    // session it has stays as it is.
    EXPECT_FALSE(s.acquire(""));
    EXPECT_TRUE(s.sourceEnabled() && s.managerOpen());
    EXPECT_EQ(countCalls("1/9/502"), 1) << "enabled once";
}

TEST_F(SessionTest, CancellingTheSelectionChangesNothing)
{
    TwainSession& s = session();
    ASSERT_TRUE(s.openSourceManager());
    fake_.cancelSelection = true;
    const TW_IDENTITY before = s.source();
    EXPECT_FALSE(s.selectSource());
    EXPECT_EQ(std::memcmp(&before, &s.source(), sizeof before), 0);
    EXPECT_TRUE(ui_.messages.empty()) << "quietly";
    fake_.cancelSelection = false;
    EXPECT_TRUE(s.selectSource());
    EXPECT_STREQ(s.source().ProductName, "Fake Scanner");
}

TEST_F(SessionTest, AFailedEnableClosesEverythingAgain)
{
    fake_.refuseEnable = true;
    TwainSession& s = session();
    EXPECT_FALSE(s.acquire(""));
    EXPECT_EQ(std::tuple(s.phase(), s.sourceOpen(), s.managerOpen(), host_.mainWindowEnabled),
              std::tuple(kPhaseIdle, false, false, true));
}

TEST_F(SessionTest, ListingAndPickingOpenAndCloseTheManager)
{
    TwainSession& s = session();
    const SourceList list = s.listSources();
    EXPECT_EQ(list.names, std::vector<std::string>{"Fake Scanner"});
    EXPECT_EQ(list.defaultName, "Fake Scanner");
    EXPECT_FALSE(s.managerOpen());
    EXPECT_TRUE(s.pickSource(0));
    EXPECT_FALSE(s.pickSource(1)) << "past the end";
    EXPECT_FALSE(s.managerOpen());
    EXPECT_GE(ui_.busyCount, 1);
}

TEST_F(SessionTest, AMissingLibraryLeavesTheManagerClosed)
{
    SourceManagerFile missing("/nonexistent/liblvtwain.so");
    TwainSession s(missing, host_, {}, nullptr);
    EXPECT_FALSE(s.openSourceManager());
    EXPECT_FALSE(s.acquire(""));
    EXPECT_TRUE(host_.mainWindowEnabled);
}

// --- Pictures -------------------------------------------------------------------------------
HDIB ScanOnce(testing::FakeSourceManager& fake, RecordingHost& host, int memoryScan)
{
    TwainSession s(fake, host, {memoryScan, 0}, nullptr);
    EXPECT_TRUE(s.acquire(""));
    fake.notify(MSG_XFERREADY);
    s.filterMessage(nullptr);
    EXPECT_EQ(host.pictures.size(), 1u) << "one picture handed over";
    if (host.pictures.size() != 1)
        return nullptr;
    HDIB picture = std::move(host.pictures.front());
    host.pictures.clear();
    return picture;
}

TEST_F(SessionTest, MemoryTransferArrivesTopFirstAndIsDeliveredBottomUpInBlueGreenRed)
{
    for (const TW_UINT32 strip : {12u, 1000u}) {  // row by row, and all at once
        fake_.stripBytes = strip;
        const HDIB dib = ScanOnce(fake_, host_, 1);
        ASSERT_TRUE(dib);
        EXPECT_EQ(std::tuple(dib.width(), dib.height(), dib.bitCount(), dib.clrUsed()), std::tuple(3, 2, 24, 0u));
        EXPECT_EQ(std::vector<std::uint8_t>(dib.pixels(), dib.pixels() + 24),
                  (std::vector<std::uint8_t>{13, 12, 11, 16, 15, 14, 19, 18, 17, 0, 0, 0,  // the bottom row
                                             3, 2, 1, 6, 5, 4, 9, 8, 7, 0, 0, 0}));
        EXPECT_EQ(dib.header().biXPelsPerMeter, 11811) << "300 dots per inch";
    }
    // Strips of one row come one after another.
    EXPECT_EQ(countCalls("2/103/1"), 2 + 1);
}

TEST_F(SessionTest, ResolutionFollowsTheSourcesUnit)
{
    fake_.units = TWUN_CENTIMETERS;
    fake_.resolution = 100;
    HDIB dib = ScanOnce(fake_, host_, 1);
    ASSERT_TRUE(dib);
    EXPECT_EQ(std::tuple(dib.header().biXPelsPerMeter, dib.header().biYPelsPerMeter), std::tuple(10000, 10000));
    fake_.units = 5;  // pixels, or anything else
    dib = ScanOnce(fake_, host_, 1);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.header().biXPelsPerMeter, 0);
    EXPECT_EQ(PixelsPerMetre(TWUN_INCHES, TW_FIX32{72, 0x8000}), 2854) << "72.5 dpi, truncated";
}

TEST_F(SessionTest, BlackAndWhiteTablesFollowThePixelFlavour)
{
    fake_.width = 8, fake_.height = 1, fake_.bitsPerPixel = 1, fake_.pixelType = TWPT_BW;
    fake_.rows = {0xF0, 0, 0, 0};
    struct Case {
        std::optional<TW_UINT16> flavor;
        bool enumeration;
        std::uint8_t entry0;
    };
    for (const Case c : {Case{TWPF_VANILLA, false, 255}, Case{TWPF_CHOCOLATE, false, 0}, Case{TWPF_VANILLA, true, 0},
                         Case{std::nullopt, false, 0}}) {
        fake_.flavor = c.flavor;
        fake_.flavorAsEnumeration = c.enumeration;
        const HDIB dib = ScanOnce(fake_, host_, 1);
        ASSERT_TRUE(dib);
        ASSERT_EQ(dib.clrUsed(), 2u);
        EXPECT_EQ(std::tuple(dib.colors()[0].rgbRed, dib.colors()[1].rgbRed, dib.row(0)[0]),
                  std::tuple(c.entry0, 255 - c.entry0, 0xF0));
    }
}

TEST_F(SessionTest, GreyAndPaletteTables)
{
    fake_.width = 4, fake_.height = 1, fake_.bitsPerPixel = 8, fake_.pixelType = TWPT_GRAY;
    fake_.rows = {0, 1, 2, 3};
    HDIB dib = ScanOnce(fake_, host_, 1);
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib.clrUsed(), 256u);
    EXPECT_EQ(std::tuple(dib.colors()[200].rgbBlue, dib.pixels()[3]), std::tuple(200, 3));

    fake_.pixelType = TWPT_PALETTE;
    dib = ScanOnce(fake_, host_, 1);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.clrUsed(), 256u) << "grey when the source has no palette";
    TW_PALETTE8 palette{};
    palette.NumColors = 2;
    palette.Colors[1] = TW_ELEMENT8{1, 10, 20, 30};
    fake_.palette = palette;
    dib = ScanOnce(fake_, host_, 1);
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib.clrUsed(), 2u);
    const RgbQuad entry = dib.colors()[1];
    EXPECT_EQ(std::tuple(entry.rgbRed, entry.rgbGreen, entry.rgbBlue), std::tuple(10, 20, 30));
    EXPECT_EQ(dib.pixels()[1], 1) << "pixels after the shorter table";
}

TEST_F(SessionTest, NativeTransfersHandOverTheSourcesBitmap)
{
    HDIB dib = ScanOnce(fake_, host_, 0);
    ASSERT_TRUE(dib);
    EXPECT_EQ(std::tuple(dib.row(1)[0], dib.row(0)[2]), std::tuple(3, 11)) << "top row last, blue first";

    fake_.nativeHandleBelow32 = true;
    EXPECT_FALSE(ScanOnce(fake_, host_, 0)) << "a handle below 32 counts as nothing";
    EXPECT_EQ(countCalls("1/5/701"), 2) << "every transfer ends";
}

TEST(FixTransferredBitmap, OddWidthsKeepTheirPadding)
{
    HDIB dib = HDIB::AllocateZeroed(40 + 3 * 8 + 10);
    BitmapInfoHeader& h = dib.header();
    h = BitmapInfoHeader{40, 2, 3, 1, 24, 0, 24, 0, 0, 0, 0};
    for (int y = 0; y < 3; ++y)
        for (int i = 0; i < 8; ++i)
            dib.pixels()[y * 8 + i] = std::uint8_t(10 * y + i);
    ASSERT_TRUE(FixTransferredBitmap(dib, 3, TWPT_RGB));
    const std::vector<std::uint8_t> first(dib.row(0), dib.row(0) + 8);
    EXPECT_EQ(first, (std::vector<std::uint8_t>{22, 21, 20, 25, 24, 23, 26, 27})) << "last row first, pixels swapped, padding kept";
    HDIB short_ = HDIB::AllocateZeroed(40 + 8);
    short_.header() = BitmapInfoHeader{40, 2, 3, 1, 24, 0, 24, 0, 0, 0, 0};
    EXPECT_FALSE(FixTransferredBitmap(short_, 3, TWPT_RGB)) << "rows the block doesn't hold";
}

TEST(CopyNativeBitmap, RefusesHeadersThatAreNotBitmaps)
{
    // Top-down is a bitmap too; 3 bits per pixel is not.
    const std::pair<BitmapInfoHeader, bool> cases[] = {{{40, 3, -1, 1, 1, 0, 0, 0, 0, 0, 0}, true},
                                                       {{12, 3, -1, 1, 1, 0, 0, 0, 0, 0, 0}, false},
                                                       {{40, 3, 1, 1, 3, 0, 0, 0, 0, 0, 0}, false},
                                                       {{40, 70000, 1, 1, 8, 0, 0, 0, 0, 0, 0}, false}};
    for (const auto& [header, bitmap] : cases) {
        std::uint8_t block[40 + 4 * 2 + 4] = {};
        std::memcpy(block, &header, 40);
        EXPECT_EQ(bool(CopyNativeBitmap(block)), bitmap) << header.biSize << " " << header.biWidth << " " << header.biBitCount;
    }
}

TEST(CameraName, MonthDayYearMarkAndNumber)
{
    EXPECT_EQ(MakeCameraName(105, 7, {2000, 1, 5}).fileName, "Jan05^07.JPG");
    EXPECT_EQ(MakeCameraName(1231, 42, {2002, 12, 31}).fileName, "Dec31_42.JPG");
    // The year marks run through "_#0^$" from 2002 on.
    const char marks[] = "_#0^$_";
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(MakeCameraName(0, 0, {2002 + i, 3, 9}).fileName[5], marks[i]) << 2002 + i;
    EXPECT_EQ(MakeCameraName(0, 0, {2024, 6, 1}).fileName, "Jun01001.JPG") << "the mark '0', then 01";
    // From 100 on the hundreds digit stands in the mark's place.
    for (const int number : {100, 123, 999})
        EXPECT_EQ(MakeCameraName(709, number, {2000, 7, 9}).fileName, "Jul09" + std::to_string(number) + ".JPG");
}

TEST(CameraName, TheNumberRestartsOutsideItsRange)
{
    for (const int stored : {1000, 0, -3})
        EXPECT_EQ(MakeCameraName(105, stored, {2000, 1, 5}).number, 1) << stored;
}

class StoreTest : public ::testing::Test {
protected:
    HDIB greyPicture()
    {
        HDIB dib = AllocatePicture(4, 2, 8, 256);
        for (int i = 0; i < 256; ++i)
            dib.colors()[i] = RgbQuad{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x)
                dib.row(y)[x] = std::uint8_t(60 * x);
        return dib;
    }
    testing::UiRecorder ui_;
    testing::MemoryStore store_;
    Settings settings_{store_};
    testing::TempDir dir_;
};

TEST_F(StoreTest, FirstCaptureOfTheDayAfterYesterdaysFive)
{
    settings_.userSetInt("CAMERA_DATE", 104);
    settings_.userSetInt("CAMERA_NUM", 5);
    std::vector<std::string> added;
    const auto path = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2000, 1, 5},
                                         [&](const std::string& p, const HDIB& picture, std::string_view caption) {
                                             EXPECT_EQ(picture.bitCount(), 24) << "promoted before saving";
                                             added.push_back(p + "|" + std::string(caption));
                                             return true;
                                         });
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, (dir_.path() / "photos" / "Jan05^01.JPG").string());
    EXPECT_EQ(settings_.userGetInt("CAMERA_NUM", 0), 2);
    EXPECT_EQ(settings_.userGetInt("CAMERA_DATE", 0), 105);
    EXPECT_EQ(added, std::vector<std::string>{*path + "|Still Image File"});
    const HDIB back = LoadImageFile(*path);
    ASSERT_TRUE(back) << "a JPEG the program reads";
    EXPECT_EQ(back.width(), 4);

    // The second of the day counts on and leaves the date alone.
    store_.attempts.clear();
    ASSERT_TRUE(StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2000, 1, 5}, {}));
    EXPECT_TRUE(std::filesystem::exists(dir_.path() / "photos" / "Jan05^02.JPG"));
    EXPECT_EQ(store_.attempts, std::vector<std::string>{"CAMERA_NUM"});
    EXPECT_EQ(settings_.userGetInt("CAMERA_NUM", 0), 3);
}

TEST_F(StoreTest, NothingIsStoredForNoPictureOrAnUnwritableFolder)
{
    EXPECT_FALSE(StoreAcquiredPhoto(nullptr, settings_, dir_.path(), {2000, 1, 5}, {}));
    EXPECT_TRUE(store_.attempts.empty());
    const auto blocked = dir_.path() / "file";
    std::ofstream(blocked) << "x";
    int calls = 0;
    EXPECT_FALSE(StoreAcquiredPhoto(greyPicture(), settings_, blocked / "photos", {2000, 1, 5},
                                    [&](const std::string&, const HDIB&, std::string_view) { return ++calls, true; }));
    EXPECT_EQ(calls, 0) << "nothing to add to the album";
}

// The album library itself as the album page's step.
class OpenAlbumTest : public StoreTest {
protected:
    OpenAlbumTest()
        : catalogueStore_(dir_.path() / "LV2000.ini", dir_.path() / "none.ini")
        , catalogue_(catalogueStore_, dir_.path())
        , session_{album_, catalogue_, album::AlbumPhotoReaders(), (dir_.path() / "Casa.abm").string()}
    {
    }
    AlbumStep step()
    {
        return [this](const std::string& path, const HDIB& picture, std::string_view caption) {
            const auto index = AddAcquiredPhoto(session_, path, picture, caption);
            if (index)
                added_.push_back(*index);
            return index.has_value();
        };
    }
    album::ProfileCatalogueStore catalogueStore_;
    album::AlbumCatalogue catalogue_;
    album::Album album_;
    album::AlbumSession session_;
    std::vector<int> added_;
};

TEST_F(OpenAlbumTest, ScansJoinTheOpenAlbumWithTheirCaption)
{
    const auto first = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2026, 3, 9}, step());
    const auto second = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2026, 3, 9}, step());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(added_, (std::vector<int>{0, 1}));
    ASSERT_EQ(album_.count(), 2u);
    EXPECT_TRUE(album_.modified());
    EXPECT_EQ(std::tuple(album_.path(0), album_.path(1)), std::tuple(*first, *second));
    // Sixteen characters fill the caption up to the item values, which follow without a terminator.
    EXPECT_EQ(album_.caption(1), "Still Image File\x01");
    EXPECT_GT(album_.entry(0)->thumbWidth(), 0);
    EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(OpenAlbumTest, AFullAlbumKeepsThePhotoButNotTheEntry)
{
    for (int i = 0; i < 1000; ++i) {
        album::AlbumEntry entry(0);
        entry.setPath("/p" + std::to_string(i));
        album_.append(std::move(entry));
    }
    const auto path = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2026, 3, 9}, step());
    ASSERT_TRUE(path) << "the photo is stored even so";
    EXPECT_TRUE(std::filesystem::exists(*path));
    EXPECT_EQ(std::tuple(added_.size(), album_.count()), std::tuple(0u, 1000u));
    EXPECT_EQ(ui_.texts(), (std::vector<std::string>{
                               "Não é possível adicionar ao álbum pois ele já contém a capacidade máxima de 1000."}));
}

}  // namespace
}  // namespace lv::twain
