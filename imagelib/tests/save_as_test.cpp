#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/bmp.h"
#include "imagelib/save_as.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace lv {
namespace {

using testing::MakePicture;

// Makes writes beyond `bytes` fail for real, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};

class SaveAs : public ::testing::Test {
protected:
    std::string existing(const std::string& name, const std::string& content)
    {
        const std::string path = dir.file(name);
        WriteWholeFile(path, std::vector<std::uint8_t>(content.begin(), content.end()));
        return path;
    }
    static std::string contentOf(const std::string& path)
    {
        const auto bytes = ReadWholeFile(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
    }
    bool backupLeft(const std::string& path) const { return std::filesystem::exists(path + ".&#!"); }

    testing::TempDir dir;
    testing::UiRecorder ui;
    HDIB picture = MakePicture(64, 64, 24);
};

TEST_F(SaveAs, ANameWithoutExtensionGetsTheSelectedTypesOne)
{
    std::string path = dir.file("holiday");
    EXPECT_TRUE(SaveImageAs(picture, path, kSaveAsBmp));
    EXPECT_EQ(path, dir.file("holiday.BMP"));
    EXPECT_TRUE(ReadBmp(path).ok());

    // ".jpeg" is no extension to this rule, so the selected type's is appended.
    std::string jpeg = dir.file("photo.jpeg");
    EXPECT_TRUE(SaveImageAs(picture, jpeg, kSaveAsBmp));
    EXPECT_EQ(jpeg, dir.file("photo.jpeg.BMP"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SaveAs, AKnownExtensionChoosesTheTypeReplacingTheFileAndAnUnknownOneIsRefused)
{
    std::string path = existing("pic.bmp", "old contents");
    EXPECT_TRUE(SaveImageAs(picture, path, kSaveAsJpeg));  // the name wins over the list
    EXPECT_EQ(path, dir.file("pic.bmp"));
    EXPECT_TRUE(ReadBmp(path).ok());
    EXPECT_FALSE(backupLeft(path));

    std::string odd = dir.file("pic.xyz");
    EXPECT_FALSE(SaveImageAs(picture, odd, kSaveAsBmp));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Formato de arquivo desconhecido."});
    EXPECT_FALSE(std::filesystem::exists(odd));
}

TEST_F(SaveAs, AMissingFolderCannotBeLocated)
{
    std::string path = dir.file("gone/pic.bmp");
    EXPECT_FALSE(SaveImageAs(picture, path, kSaveAsBmp));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Não é possível localizar"});
}

TEST_F(SaveAs, AFailedDataWriteRestoresTheBackupSilently)
{
    std::string path = existing("keep.bmp", "precious");
    {
        FileSizeLimit limit(1000);  // the header fits, the rows don't
        EXPECT_FALSE(SaveImageAs(picture, path, kSaveAsBmp));
    }
    EXPECT_EQ(contentOf(path), "precious");
    EXPECT_FALSE(backupLeft(path));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SaveAs, AFailedHeaderWriteRestoresTheBackupThenAsksToWriteWithoutOne)
{
    std::string path = existing("keep.bmp", "precious");
    ui.answers = {ui::Answer::No};
    {
        FileSizeLimit limit(0);
        EXPECT_FALSE(SaveImageAs(picture, path, kSaveAsBmp));
    }
    EXPECT_EQ(contentOf(path), "precious");
    EXPECT_FALSE(backupLeft(path));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].question);
    EXPECT_EQ(ui.messages[0].text, "Espaço de disco insuficiente para arquivo de backup! Continua a salvar?");
    EXPECT_EQ(ui.messages[0].title, "Lumivista 2000");

    // Yes writes straight over the target; when that fails too the target is gone.
    ui.answers = {ui::Answer::Yes};
    {
        FileSizeLimit limit(0);
        EXPECT_FALSE(SaveImageAs(picture, path, kSaveAsBmp));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ui.texts().back(), "Espaço de disco insuficiente ou erro no disco.");
}

TEST_F(SaveAs, AFailedWriteWithoutAnEarlierFileShowsTheDiskMessage)
{
    std::string path = dir.file("new.bmp");
    {
        FileSizeLimit limit(0);
        EXPECT_FALSE(SaveImageAs(picture, path, kSaveAsBmp));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Espaço de disco insuficiente ou erro no disco."});
}

}  // namespace
}  // namespace lv
