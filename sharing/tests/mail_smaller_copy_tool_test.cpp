// lumivista-tool mail --smaller through the desktop's mail program: the copy outlives the
// tool, in the temporary folder the program empties as it starts.

#include "common/program_paths.h"
#include "common/testing/run_command.h"
#include "common/testing/temp_dir.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/codecs/jpeg/jpeg.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv::sharing {
namespace {

namespace fs = std::filesystem;

TEST(MailSmallerCopy, TheCopyStaysInTheUsersTemporaryFolderForTheMailProgram)
{
    lv::testing::TempDir dir;
    const fs::path bin = dir.path() / "bin";
    fs::create_directories(bin);
    // The mail program reads the attachment after xdg-email has returned, as a real one does.
    std::ofstream(bin / "xdg-email") << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                                     << dir.file("args") << "\n";
    fs::permissions(bin / "xdg-email", fs::perms::owner_all);
    const std::string picture = dir.file("retrato.jpg");
    ASSERT_EQ(WriteJpeg(picture, DibCreate(1800, 1200, 0x445566, false), 95), WriteResult::Written);

    const std::string environment = "PATH=" + bin.string() + ":$PATH XDG_DATA_HOME=" + dir.path().string() + " ";
    const auto r = lv::testing::RunCommand(environment + LV_TOOL " mail " + picture + " --to a@b --smaller 1024 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"sent\":true,\"result\":0,\"route\":\"desktop\",\"smaller\":1024}\n");

    const fs::path temp = ResolveWritableLocation(fs::path(LV_TOOL).parent_path(), dir.path() / "lumivista", kTempFolder);
    std::ifstream args(dir.file("args"));
    fs::path attached;
    for (std::string line; std::getline(args, line);)
        if (line.ends_with(".jpg") && line != picture)
            attached = line;
    ASSERT_FALSE(attached.empty());
    EXPECT_EQ(attached.parent_path(), temp);
    ASSERT_TRUE(fs::exists(attached)) << attached;
    EXPECT_LT(fs::file_size(attached), fs::file_size(picture));
    fs::remove(attached);
}

}  // namespace
}  // namespace lv::sharing
