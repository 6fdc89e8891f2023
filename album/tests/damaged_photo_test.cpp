// A damaged photo still joins the album, and the report lists it once among the files added
// with a problem.

#include "album/entry_builder.h"
#include "album/photo_adding.h"
#include "album/photo_loader.h"
#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"

#include <gtest/gtest.h>

namespace lv::album {
namespace {

// A JPEG cut after a third of its bytes: it decodes, the rest grey.
std::string TruncatedJpeg(const lv::testing::TempDir& dir, const std::string& name)
{
    const std::string whole = dir.file("whole-" + name);
    HDIB picture = DibCreate(300, 200, 0x3366aa, false);
    for (int y = 0; y < 200; ++y)
        for (std::uint8_t* p = picture.row(y); p < picture.row(y) + 900; ++p)
            *p = std::uint8_t((p - picture.row(y)) * y);  // detail, so the scan data is most of the file
    EXPECT_EQ(WriteJpeg(whole, picture, 90), WriteResult::Written);
    auto bytes = ReadWholeFile(whole).value_or(std::vector<std::uint8_t>{});
    bytes.resize(bytes.size() / 2);
    EXPECT_TRUE(WriteWholeFile(dir.file(name), bytes));
    return dir.file(name);
}

TEST(DamagedPhoto, ATruncatedJpegIsBuiltAndMarkedOnBothReadingPaths)
{
    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    const std::string cut = TruncatedJpeg(dir, "cortada.jpg");
    const BuiltEntry sampled = BuildPhotoEntry({cut, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(sampled.entry);
    EXPECT_EQ(sampled.damage.problem, FileProblem::Truncated);
    // Under another extension the sampling JPEG path is not taken: the loader's path says it too.
    const std::string renamed = dir.file("cortada.foto");
    std::filesystem::copy_file(cut, renamed);
    const BuiltEntry loaded = BuildPhotoEntry({renamed, {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(loaded.entry);
    EXPECT_EQ(loaded.damage.problem, FileProblem::Truncated);
    const BuiltEntry whole = BuildPhotoEntry({dir.file("whole-cortada.jpg"), {}, {1, 1, 1}}, AlbumPhotoReaders());
    ASSERT_TRUE(whole.entry);
    EXPECT_FALSE(whole.damage);
}

TEST(DamagedPhoto, TheReportListsItOnceBesideTheFilesNotAdded)
{
    lv::testing::UiRecorder ui;
    AddReport report(3);
    report.outcome("/f/sumiu.jpg", AddOutcome::CannotOpen);
    report.outcome("/f/cortada.jpg", AddOutcome::Added);
    report.damaged("/f/cortada.jpg", {FileProblem::Truncated, {}});
    report.damaged("/f/cortada.jpg", {FileProblem::Truncated, {}});
    report.outcome("/f/boa.jpg", AddOutcome::Added);
    report.damaged("/f/boa.jpg", {});
    ASSERT_EQ(report.lines().size(), 2u);
    EXPECT_EQ(report.lines()[1].path, "/f/cortada.jpg");
    EXPECT_EQ(report.lines()[1].reason, DescribeFileProblem({FileProblem::Truncated, {}}));
    report.show();
    ASSERT_EQ(ui.texts().size(), 1u);
    EXPECT_NE(ui.texts()[0].find("cortada.jpg — "), std::string::npos);
}

TEST(DamagedPhoto, AloneItIsStillSaidOnce)
{
    lv::testing::UiRecorder alone;
    AddReport single(1);
    single.outcome("/f/cortada.jpg", AddOutcome::Added);
    single.damaged("/f/cortada.jpg", {FileProblem::Truncated, {}});
    single.show();
    EXPECT_EQ(alone.texts(), std::vector<std::string>{DescribeFileProblem({FileProblem::Truncated, {}})});
}

}  // namespace
}  // namespace lv::album
