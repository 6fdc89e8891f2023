// Photos turned in place: four JPEG turns back to the same pixels, PNG through the save with its
// transparency, and the album's records following.

#include "album/album_file.h"
#include "album/album_update.h"
#include "album/entry_builder.h"
#include "album/orientation/album_follow.h"
#include "album/orientation/album_turns.h"
#include "album/orientation/photo_turn.h"
#include "album/photo_loader.h"
#include "album/tests/album_test_support.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/metadata/orient_upright.h"
#include "imagelib/tests/pictures.h"

#include <gtest/gtest.h>

namespace lv::orientation {
namespace {

using album::testing::CoordinatePicture;

HDIB Decode(const std::string& path)
{
    ReadResult read = ReadJpeg(path);
    return read.ok() ? std::move(read.image()) : HDIB();
}

int LargestDifference(const HDIB& a, const HDIB& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return 256;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int i = 0; i < 3 * a.width(); ++i)
            largest = std::max(largest, std::abs(int(a.row(y)[i]) - int(b.row(y)[i])));
    return largest;
}

TEST(QuarterTurns, TurnsCombineAsTheEightOrientationsDo)
{
    for (int stored = 1; stored <= 8; ++stored) {
        EXPECT_EQ(TransformForTurn(stored, Turn::Upright), stored);
        // Four quarter turns either way bring any photo back to where it stood.
        int right = stored, left = stored;
        for (int i = 0; i < 4; ++i)
            right = Combine(right, 6), left = Combine(left, 8);
        EXPECT_EQ(std::pair(right, left), std::pair(stored, stored));
    }
    // Shown upright, turned back: as stored. A transpose, then a quarter clockwise: mirrored.
    EXPECT_EQ((std::vector<int>{TransformForTurn(6, Turn::Left), TransformForTurn(1, Turn::Right), TransformForTurn(3, Turn::Right),
                                Combine(2, 2), Combine(5, 6)}),
              (std::vector<int>{1, 6, 8, 1, 2}));
}

// A quarter turn moving the same blocks jpegtran moves, partial edge blocks refused or trimmed
// and a cut JPEG left as it was are the orient command's outside check (check_orient_tool.py).
TEST(PhotoTurn, FourJpegTurnsGiveBackTheSamePixels)
{
    testing::TempDir dir;
    const std::string photo = dir.file("praia.jpg");
    ASSERT_EQ(WriteJpeg(photo, CoordinatePicture(48, 32), 90), WriteResult::Written);
    const HDIB original = Decode(photo);
    const TurnOutcome right = TurnPhoto(photo, {Turn::Right});
    ASSERT_TRUE(right.turned()) << DescribeTurn(right, photo);
    EXPECT_EQ(std::tuple(right.lossless, right.width, right.height), std::tuple(true, 32, 48));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(TurnPhoto(photo, {Turn::Right}).turned());
    EXPECT_EQ(LargestDifference(Decode(photo), original), 0);
    EXPECT_EQ(TurnPhoto(photo, {Turn::Upright}).status, TurnStatus::AlreadyUpright);
    EXPECT_EQ(TurnPhoto(dir.file("ausente.jpg"), {Turn::Left}).failure.problem, FileProblem::NotFound);
}

// A GIF refused when only a lossless turn will do is the orient command's outside check.
TEST(PhotoTurn, PngTurnsThroughTheSaveWithItsTransparency)
{
    testing::TempDir dir;
    const std::string photo = dir.file("icone.png");
    const HDIB picture = CoordinatePicture(5, 3);
    HDIB alpha = AllocatePicture(5, 3, 8, 256);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            alpha.row(y)[x] = std::uint8_t(40 * x + y);
    ASSERT_EQ(WritePng(photo, picture, nullptr, &alpha), PngWriteResult::Written);

    const TurnOutcome left = TurnPhoto(photo, {Turn::Left, EdgeBlocks::Refuse, true});
    ASSERT_TRUE(left.turned()) << DescribeTurn(left, photo);
    ReadResult read = ReadPng(photo);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(LargestDifference(read.image(), OrientUpright(picture, 8)), 0);
    EXPECT_TRUE(testing::SamePixels(ReadAlphaMask(photo), OrientUpright(alpha, 8)));
}

TEST(PhotoTurn, TheAlbumRecordsFollowOnDiskAndInMemory)
{
    testing::TempDir dir;
    const std::string photo = dir.file("retrato.jpg"), other = dir.file("outra.jpg"), albumPath = dir.file("Férias.abm");
    ASSERT_EQ(WriteJpeg(photo, CoordinatePicture(64, 32), 90), WriteResult::Written);
    ASSERT_EQ(WriteJpeg(other, CoordinatePicture(16, 16), 90), WriteResult::Written);
    auto entry = album::BuildPhotoEntry({photo, "Na praia", {1, 1, 1}}, album::AlbumPhotoReaders()).entry;
    ASSERT_TRUE(entry);
    ASSERT_TRUE(album::WriteAlbumFile(albumPath, {*entry, *album::BuildPhotoEntry({other, {}, {1, 1, 1}}, album::AlbumPhotoReaders()).entry}));

    ASSERT_TRUE(TurnPhoto(photo, {Turn::Left}).turned());
    EXPECT_EQ(FollowTurnsInAlbum(albumPath, {photo}, album::AlbumPhotoReaders()), album::AlbumUpdate::Written);
    const auto entries = album::ReadAlbumContents(albumPath).entries;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(std::tuple(entries[0].width(), entries[0].height(), entries[0].caption(), entries[1].width()),
              std::tuple(32, 64, "Na praia", 16));
    EXPECT_LT(entries[0].thumbWidth(), entries[0].thumbHeight());

    // The album page's copy in memory follows too, keeping its selection.
    album::Album shown;
    ASSERT_TRUE(shown.read(albumPath));
    shown.entry(0)->setSelected(true);
    ASSERT_TRUE(TurnPhoto(photo, {Turn::Right}).turned());
    EXPECT_EQ(FollowTurnsInMemory(shown, {photo}, album::AlbumPhotoReaders()), 1);
    EXPECT_EQ(std::tuple(shown.entry(0)->width(), shown.entry(0)->selected(), SelectedPhotos(shown)),
              std::tuple(64, true, std::vector<std::string>{photo}));
}

}  // namespace
}  // namespace lv::orientation
