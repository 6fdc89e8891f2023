// "Adicionar" given a pipe under a photo's name: refused at once, and the user reads the
// cause with the file's name, alone or in the list of several files.

#include "album/entry_builder.h"
#include "album/photo_adding.h"
#include "album/photo_loader.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace lv::album {
namespace {

TEST(AddingAPipe, TheCauseIsNamedWithTheFileAloneOrInTheList)
{
    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    const std::string pipe = dir.file("cano.jpg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string photo = dir.file("foto.bmp");
    HDIB picture = DibCreate(8, 6, 0x204060, false);
    ASSERT_EQ(WriteBmp(photo, picture), WriteResult::Written);

    Album album;
    AlbumView view(album, {5, 2});
    BuiltEntry built = BuildPhotoEntry({pipe, "", {1, 1, 1}}, AlbumPhotoReaders());
    EXPECT_FALSE(built.entry);
    EXPECT_EQ(AddBuiltPhoto(album, view, std::move(built), pipe, "/"), AddOutcome::NotRegularFile);
    EXPECT_TRUE(album.empty());

    AddReport alone(1);
    alone.outcome(pipe, AddOutcome::NotRegularFile);
    alone.show();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Não é um arquivo comum."), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find(pipe), std::string::npos) << ui.messages[0].text;

    ui.messages.clear();
    AddReport several(2);
    several.outcome(photo, AddBuiltPhoto(album, view, BuildPhotoEntry({photo, "", {1, 1, 1}}, AlbumPhotoReaders()),
                                         photo, "/"));
    several.outcome(pipe, AddBuiltPhoto(album, view, BuildPhotoEntry({pipe, "", {1, 1, 1}}, AlbumPhotoReaders()),
                                        pipe, "/"));
    EXPECT_EQ(album.count(), 1u);
    several.show();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("cano.jpg — Não é um arquivo comum."), std::string::npos) << ui.messages[0].text;
}

}  // namespace
}  // namespace lv::album
