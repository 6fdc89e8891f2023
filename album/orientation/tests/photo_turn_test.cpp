// Photos turned in place: JPEG blocks moved without loss, the block-size rule, PNG through the
// save with its transparency, damaged files left alone, and the album's records following.

#include "album/album_file.h"
#include "album/album_update.h"
#include "album/entry_builder.h"
#include "album/orientation/album_follow.h"
#include "album/orientation/album_turns.h"
#include "album/orientation/photo_turn.h"
#include "album/photo_loader.h"
#include "album/tests/album_test_support.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/alpha_mask.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/codecs/png/png.h"
#include "imagelib/metadata/orient_upright.h"

#include <gtest/gtest.h>

#include <fstream>

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

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    return ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

TEST(QuarterTurns, TurnsCombineAsTheEightOrientationsDo)
{
    for (int stored = 1; stored <= 8; ++stored) {
        EXPECT_EQ(TransformForTurn(stored, Turn::Upright), stored);
        // Four quarter turns either way bring any photo back to where it stood.
        int right = stored, left = stored;
        for (int i = 0; i < 4; ++i)
            right = Combine(right, 6), left = Combine(left, 8);
        EXPECT_EQ(right, stored);
        EXPECT_EQ(left, stored);
    }
    EXPECT_EQ(TransformForTurn(6, Turn::Left), 1);   // shown upright, turned back: as stored
    EXPECT_EQ(TransformForTurn(1, Turn::Right), 6);
    EXPECT_EQ(TransformForTurn(3, Turn::Right), 8);
    EXPECT_EQ(Combine(2, 2), 1);
    EXPECT_EQ(Combine(5, 6), 2);  // transpose, then a quarter clockwise: mirrored
}

TEST(PhotoTurn, JpegTurnsWithoutLossAndFourTurnsGiveBackTheSamePixels)
{
    testing::TempDir dir;
    const std::string photo = dir.file("praia.jpg");
    ASSERT_EQ(WriteJpeg(photo, CoordinatePicture(48, 32), 90), WriteResult::Written);
    const HDIB original = Decode(photo);

    const TurnOutcome right = TurnPhoto(photo, {Turn::Right});
    ASSERT_TRUE(right.turned()) << DescribeTurn(right, photo);
    EXPECT_TRUE(right.lossless);
    EXPECT_EQ(right.width, 32);
    EXPECT_EQ(right.height, 48);
    // The inverse transform rounds rows, then columns, and colour is upsampled: turned, the
    // same blocks decode within two levels.
    EXPECT_LE(LargestDifference(Decode(photo), OrientUpright(original, 6)), 2);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(TurnPhoto(photo, {Turn::Right}).turned());
    EXPECT_EQ(LargestDifference(Decode(photo), original), 0);
    EXPECT_EQ(TurnPhoto(photo, {Turn::Upright}).status, TurnStatus::AlreadyUpright);
}

TEST(PhotoTurn, PartialBlocksAreRefusedUnlessTrimmedAndDamageLeavesTheFileAsItWas)
{
    testing::TempDir dir;
    const std::string photo = dir.file("recorte.jpg");
    ASSERT_EQ(WriteJpeg(photo, CoordinatePicture(50, 30), 90), WriteResult::Written);
    const auto before = Bytes(photo);

    const TurnOutcome perfect = TurnPhoto(photo, {Turn::Right, EdgeBlocks::Refuse});
    EXPECT_EQ(perfect.status, TurnStatus::Failed);
    EXPECT_NE(DescribeTurn(perfect, photo).find("não é múltiplo do bloco"), std::string::npos);
    EXPECT_EQ(Bytes(photo), before);

    const TurnOutcome trimmed = TurnPhoto(photo, {Turn::Right, EdgeBlocks::Trim});
    ASSERT_TRUE(trimmed.turned()) << DescribeTurn(trimmed, photo);
    EXPECT_EQ(trimmed.width % 8, 0);  // the partial edge moved to the left is gone
    EXPECT_EQ(trimmed.height, 50);

    const std::string cut = dir.file("cortada.jpg");
    std::ofstream(cut, std::ios::binary).write(reinterpret_cast<const char*>(before.data()), std::streamsize(before.size() / 2));
    const auto cutBytes = Bytes(cut);
    EXPECT_EQ(TurnPhoto(cut, {Turn::Left, EdgeBlocks::Trim}).status, TurnStatus::Failed);
    EXPECT_EQ(Bytes(cut), cutBytes);
    EXPECT_EQ(TurnPhoto(dir.file("ausente.jpg"), {Turn::Left}).failure.problem, FileProblem::NotFound);
}

TEST(PhotoTurn, PngTurnsThroughTheSaveWithItsTransparencyAndLosslessOnlyRefusesGif)
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
    const HDIB turnedAlpha = ReadAlphaMask(photo), expectedAlpha = OrientUpright(alpha, 8);
    ASSERT_TRUE(turnedAlpha);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(turnedAlpha.row(y)[x], expectedAlpha.row(y)[x]);

    const std::string gif = dir.file("animada.gif");
    HDIB small = CoordinatePicture(4, 4);
    ASSERT_EQ(SaveImageFile(small, gif, false), WriteResult::Written);
    const auto gifBytes = Bytes(gif);
    const TurnOutcome refused = TurnPhoto(gif, {Turn::Right, EdgeBlocks::Refuse, true});
    EXPECT_EQ(refused.status, TurnStatus::Failed);
    EXPECT_NE(DescribeTurn(refused, gif).find("animada.gif"), std::string::npos);
    EXPECT_EQ(Bytes(gif), gifBytes);
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
    EXPECT_EQ(entries[0].width(), 32);
    EXPECT_EQ(entries[0].height(), 64);
    EXPECT_LT(entries[0].thumbWidth(), entries[0].thumbHeight());
    EXPECT_EQ(entries[0].caption(), "Na praia");
    EXPECT_EQ(entries[1].width(), 16);

    // The album page's copy in memory follows too, keeping its selection.
    album::Album shown;
    ASSERT_TRUE(shown.read(albumPath));
    shown.entry(0)->setSelected(true);
    ASSERT_TRUE(TurnPhoto(photo, {Turn::Right}).turned());
    EXPECT_EQ(FollowTurnsInMemory(shown, {photo}, album::AlbumPhotoReaders()), 1);
    EXPECT_EQ(shown.entry(0)->width(), 64);
    EXPECT_TRUE(shown.entry(0)->selected());
    EXPECT_EQ(SelectedPhotos(shown), std::vector<std::string>{photo});
}

}  // namespace
}  // namespace lv::orientation
