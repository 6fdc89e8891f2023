// The download command's steps around the library: checks, the lower-cased identifier, the
// messages, and what becomes of each photo, against a library made of plain functions.

#include "common/string_table.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "sharing/store/photo_download.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace lv::sharing {
namespace {

// What the stand-in library saw and answers.
struct LibraryScript {
    int loginAnswer = 0;
    std::vector<std::string> files;
    std::optional<int> countAnswer;  // the number of files when not given
    std::string user;
    std::string password;
    std::string folder;
    int downloads = 0;
};
LibraryScript* script = nullptr;

int SetUserInfo(const char* user, const char* password)
{
    script->user = user;
    script->password = password;
    return script->loginAnswer;
}

int DownloadFile(const char* folder, char* names, int size)
{
    ++script->downloads;
    script->folder = folder;
    std::size_t at = 0;
    for (const std::string& f : script->files) {
        std::memcpy(names + at, f.c_str(), f.size() + 1);
        at += f.size() + 1;
    }
    EXPECT_EQ(size, store::kFileListBytes);
    return script->countAnswer.value_or(int(script->files.size()));
}

int LoadText(int id, char* buffer, int size)
{
    const std::string text = "texto " + std::to_string(id);
    std::snprintf(buffer, std::size_t(size), "%s", text.c_str());
    return int(text.size());
}

class FakeLibrary final : public StoreLibrary {
public:
    bool loaded() const override { return isLoaded; }
    void* resolve(const char* name) const override
    {
        const auto it = exports.find(name);
        return it == exports.end() ? nullptr : it->second;
    }
    bool isLoaded = true;
    std::map<std::string, void*> exports = {
        {store::kSetUserInfoName, reinterpret_cast<void*>(&SetUserInfo)},
        {store::kDownloadFileName, reinterpret_cast<void*>(&DownloadFile)},
        {store::kLoadStringName, reinterpret_cast<void*>(&LoadText)},
    };
};

class Photos final : public DownloadedPhotos {
public:
    bool open(const std::string& path) override
    {
        windows.push_back(path);
        return path.find("ruim") == std::string::npos;
    }
    void addToAlbum(const std::string& path) override { album.push_back(path); }
    std::vector<std::string> windows;
    std::vector<std::string> album;
};

class DownloadCommand : public ::testing::Test {
protected:
    DownloadCommand() { script = &lib; }
    ~DownloadCommand() override { script = nullptr; }

    // The command from the first check to the last photo, all on this thread.
    void run(const StoreCredentials& credentials)
    {
        const std::optional<StoreCalls> calls = PrepareDownload(credentials, &library);
        if (!calls)
            return;
        const TransferResult result = RunTransfer(*calls, credentials, dir.path() / "photos");
        if (result.loginCode != 0) {
            ShowStoreMessage(*calls, result.loginCode);
            return;
        }
        for (const std::string& name : result.names)
            DeliverPhoto(dir.path() / "photos", name, photos, false);
    }

    lv::testing::TempDir dir;
    lv::testing::UiRecorder ui;
    LibraryScript lib;
    FakeLibrary library;
    Photos photos;
};

TEST_F(DownloadCommand, AMissingIdentifierOrPasswordOnlyBeeps)
{
    run({"", "senha"});
    run({"ana", ""});
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(lib.user.empty());
}

TEST_F(DownloadCommand, WithoutTheLibraryOrOneOfItsCallsTheInternetFunctionIsNotReady)
{
    library.isLoaded = false;
    run({"ana", "senha"});
    library.isLoaded = true;
    library.exports.erase(store::kDownloadFileName);
    run({"ana", "senha"});
    EXPECT_EQ(PrepareDownload({"ana", "senha"}, nullptr), std::nullopt);
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) {
        EXPECT_EQ(m.text, LoadString(kInternetNotReadyString));
        EXPECT_EQ(m.title, ui::kWarningTitle);
        EXPECT_EQ(m.icon, ui::Icon::Exclamation);
    }
    EXPECT_TRUE(lib.user.empty());
}

TEST_F(DownloadCommand, TheIdentifierGoesInLowerCaseAndThePasswordAsTyped)
{
    run({"ANA.Lima_ÁÉÇ×Ö", "SeNhA Ç"});
    EXPECT_EQ(lib.user, "ana.lima_áéç×ö");
    EXPECT_EQ(lib.password, "SeNhA Ç");
    EXPECT_EQ(lib.folder, (dir.path() / "photos").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "photos"));
}

TEST_F(DownloadCommand, CredentialsAreCutTo128Bytes)
{
    run({std::string(130, 'A'), std::string(127, 'p') + "çx"});
    EXPECT_EQ(lib.user, std::string(128, 'a'));
    EXPECT_EQ(lib.password, std::string(127, 'p'));  // never half a character
}

TEST_F(DownloadCommand, ThreeFilesOpenThreeWindowsAndJoinTheAlbumInTheLibrarysOrder)
{
    lib.files = {"c.jpg", "a.jpg", "b ruim.jpg"};
    run({"ana", "senha"});
    const std::string folder = (dir.path() / "photos").string();
    const std::vector<std::string> expected = {folder + "/c.jpg", folder + "/a.jpg", folder + "/b ruim.jpg"};
    EXPECT_EQ(photos.windows, expected);
    // One that could not be loaded still goes to the album, which says what is wrong with it.
    EXPECT_EQ(photos.album, expected);
}

TEST_F(DownloadCommand, ARefusedLoginShowsTheLibrarysTextAndFetchesNothing)
{
    for (const auto& [code, text] : std::vector<std::pair<int, std::string>>{
             {3, "texto 1016"}, {4, "texto 1017"}, {5, "texto 1018"}, {6, "texto 1019"}, {7, "texto 1020"},
             {10, "texto 1022"}, {8, ""}, {9, ""}, {1, ""}, {-4, ""}}) {
        ui.messages.clear();
        lib.loginAnswer = code;
        run({"ana", "senha"});
        EXPECT_EQ(ui.messages.empty() ? "" : ui.messages[0].text, text) << code;
    }
    EXPECT_EQ(lib.downloads, 0);
    // Without the library's texts nothing is said.
    library.exports.erase(store::kLoadStringName);
    ui.messages.clear();
    lib.loginAnswer = 4;
    run({"ana", "senha"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DownloadCommand, NoFilesIsSilent)
{
    lib.countAnswer = 0;
    lib.files = {"a.jpg"};
    run({"ana", "senha"});
    lib.countAnswer = -3;
    run({"ana", "senha"});
    EXPECT_TRUE(photos.windows.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(FileList, NamesWithinTheBufferOnly)
{
    const char buffer[] = "a.jpg\0b.jpg\0c";
    EXPECT_EQ(FileListNames(buffer, sizeof buffer - 1, 3), (std::vector<std::string>{"a.jpg", "b.jpg"}));
    EXPECT_EQ(FileListNames(buffer, sizeof buffer - 1, 1), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(FileListNames(buffer, sizeof buffer, 5), (std::vector<std::string>{"a.jpg", "b.jpg", "c"}));
    const char empties[] = "\0\0a\0";
    EXPECT_TRUE(FileListNames(empties, sizeof empties, 3).empty());
    EXPECT_TRUE(FileListNames(buffer, 0, 3).empty());
    EXPECT_TRUE(FileListNames(buffer, sizeof buffer, 0).empty());
    EXPECT_TRUE(FileListNames(buffer, sizeof buffer, -2).empty());
}

}  // namespace
}  // namespace lv::sharing
