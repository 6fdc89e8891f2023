// Names and storage of photos that arrive while the album page shows.

#include "acquire/acquired_photo.h"
#include "album/album.h"
#include "album/catalogue_store.h"
#include "album/photo_loader.h"
#include "app/core/tests/memory_store.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/load_save.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::twain {
namespace {

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

TEST(CameraName, TheNumberRestartsOnANewDayOrOutsideItsRange)
{
    const CameraName same = MakeCameraName(105, 5, {2000, 1, 5});
    EXPECT_EQ(same.number, 5);
    EXPECT_FALSE(same.restarted);
    const CameraName nextDay = MakeCameraName(104, 5, {2000, 1, 5});
    EXPECT_EQ(nextDay.number, 1);
    EXPECT_TRUE(nextDay.restarted);
    EXPECT_EQ(nextDay.storedDate, 105);
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

// The album library itself as the album page's step: photos join the open album with their
// caption and survive the album's file.
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

TEST_F(OpenAlbumTest, ScansJoinTheOpenAlbumWithTheirCaptionAndSurviveItsFile)
{
    const auto first = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2026, 3, 9}, step());
    const auto second = StoreAcquiredPhoto(greyPicture(), settings_, dir_.path() / "photos", {2026, 3, 9}, step());
    ASSERT_TRUE(first && second);
    EXPECT_EQ(added_, (std::vector<int>{0, 1}));
    ASSERT_EQ(album_.count(), 2u);
    EXPECT_TRUE(album_.modified());
    EXPECT_EQ(album_.path(0), *first);
    EXPECT_EQ(album_.path(1), *second);
    // Sixteen characters fill the caption up to the item values, which follow without a terminator.
    EXPECT_EQ(album_.caption(1), "Still Image File\x01");
    EXPECT_GT(album_.entry(0)->thumbWidth(), 0);
    EXPECT_TRUE(ui_.messages.empty());

    const std::string file = (dir_.path() / "Casa.abm").string();
    ASSERT_TRUE(album_.write(file));
    album::Album back;
    ASSERT_TRUE(back.read(file));
    ASSERT_EQ(back.count(), 2u);
    EXPECT_EQ(back.caption(0), "Still Image File\x01");
    EXPECT_EQ(back.path(1), *second);
    const HDIB thumbnail = back.thumbnailCopy(1);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(thumbnail.bitCount(), 24);
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
    EXPECT_TRUE(added_.empty());
    EXPECT_EQ(album_.count(), 1000u);
    EXPECT_EQ(ui_.texts(), (std::vector<std::string>{
                               "Não é possível adicionar ao álbum pois ele já contém a capacidade máxima de 1000."}));
}

}  // namespace
}  // namespace lv::twain
