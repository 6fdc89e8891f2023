// Where "Salvar projeto" proposes a project: the last project's folder while it lasts, then a
// projects folder made once among the pictures, and never a folder that can't be made.

#include "app/projects/project_folder.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <unistd.h>

namespace lv::app {
namespace {

namespace fs = std::filesystem;

TEST(ProjectFolder, TheLastProjectsFolderWinsWhileItExistsThenTheProjectsFolderAmongThePictures)
{
    testing::TempDir dir;
    const fs::path pictures = dir.path() / "Imagens";
    const fs::path last = dir.path() / "cartões de Natal";
    fs::create_directories(last);

    EXPECT_EQ(ProjectFolderToPropose(last.string(), pictures), last);
    EXPECT_FALSE(fs::exists(pictures)) << "nothing made while the last folder serves";

    fs::remove(last);
    EXPECT_EQ(ProjectFolderToPropose(last.string(), pictures), pictures / "Projetos");
    EXPECT_TRUE(fs::is_directory(pictures / "Projetos")) << "made on first use, pictures folder too";
    // Made once: a second proposal finds it and keeps what is inside.
    std::ofstream(pictures / "Projetos" / "cartao.vlf") << "x";
    EXPECT_EQ(ProjectFolderToPropose({}, pictures), pictures / "Projetos");
    EXPECT_TRUE(fs::exists(pictures / "Projetos" / "cartao.vlf"));

    // A file where the last folder was is no folder.
    std::ofstream(last) << "x";
    EXPECT_EQ(ProjectFolderToPropose(last.string(), pictures), pictures / "Projetos");
}

TEST(ProjectFolder, APicturesFolderThatCannotHoldTheProjectsFolderIsProposedItself)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    testing::TempDir dir;
    const fs::path pictures = dir.path() / "Imagens";
    fs::create_directories(pictures);
    fs::permissions(pictures, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(ProjectFolderToPropose({}, pictures), pictures);
    fs::permissions(pictures, fs::perms::owner_all);
}

TEST(ProjectFolder, ThePicturesFolderComesFromTheDesktopsUserDirsElseHome)
{
    testing::TempDir dir;
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", bin.c_str(), 1);
    const fs::path home = std::getenv("HOME");
    EXPECT_EQ(UserPicturesFolder(), home) << "no xdg-user-dir";
    std::ofstream(bin / "xdg-user-dir") << "#!/bin/sh\necho '/srv/fotos da Ana'\n";
    fs::permissions(bin / "xdg-user-dir", fs::perms::owner_all);
    EXPECT_EQ(UserPicturesFolder(), fs::path("/srv/fotos da Ana"));
    std::ofstream(bin / "xdg-user-dir") << "#!/bin/sh\necho relativo\n";
    EXPECT_EQ(UserPicturesFolder(), home) << "only an absolute answer is a folder";
    ::setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace
}  // namespace lv::app
