// The command line against real failures: what it says and exits with, and that a save
// which fails, is killed, or races other saves never leaves a damaged file behind.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/testing/file_failures.h"
#include "tool_support.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <set>
#include <thread>

namespace lv {
namespace {

using testing::EntriesIn;
using testing::ShellQuote;
using testing::Tool;
namespace fs = std::filesystem;

// Every writer the command line reaches, by the output name's extension.
const char* const kFormats[] = {"bmp", "tif", "pcx", "gif", "tga", "jpg", "png", "vlf"};

std::string WritePhoto(const std::string& path, int width, int height, int seed = 0)
{
    HDIB photo = testing::MakePhotoLike(width, height);
    for (int y = 0; y < height; ++y)
        photo.row(y)[0] = std::uint8_t(seed * 40);
    EXPECT_EQ(WriteBmp(path, photo), WriteResult::Written);
    return path;
}

std::vector<std::uint8_t> Bytes(const std::string& path)
{
    return ReadWholeFile(path).value_or(std::vector<std::uint8_t>{});
}

const std::vector<std::uint8_t> kOld = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};

TEST(ToolFiles, InputFailuresExitThreeAndSayWhatIsWrongWithWhichFile)
{
    testing::TempDir dir;
    const std::string photo = WritePhoto(dir.file("photo.bmp"), 40, 30);
    auto bytes = Bytes(photo);
    const auto write = [&](const std::string& name, const std::vector<std::uint8_t>& content) {
        EXPECT_TRUE(WriteWholeFile(dir.file(name), content));
        return dir.file(name);
    };
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + 1000);
    std::vector<std::uint8_t> jpegInside = bytes;
    jpegInside[30] = 4;
    // A 40000 × 40000 run-length bitmap of four bytes.
    testing::Bytes huge;
    huge.text("BM").u32(0).u32(0).u32(14 + 40 + 1024).u32(40).u32(40000).u32(40000).u16(1).u16(8).u32(1);
    huge.u32(0).u32(0).u32(0).u32(0).u32(0).zeros(1024).bytes({0, 0, 0, 1});

    const struct {
        std::string path;
        std::string says;
    } cases[] = {
        {dir.file("absent.bmp"), "Não é possível localizar o arquivo."},
        {dir.file("gone/photo.bmp"), "Não é possível localizar o arquivo."},
        {write("cut.bmp", cut), "O arquivo está incompleto."},
        {write("variant.bmp", jpegInside), "Variante do formato não suportada (BMP com compressão 4 e 24 bits)."},
        {write("huge.bmp", huge.data), "A imagem é grande demais para ser aberta."},
        {write("notes.jpg", {'h', 'e', 'l', 'l', 'o', '\n'}), "Formato de arquivo desconhecido."},
        {write("cut.png", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}), "O arquivo está incompleto (Read Error)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const auto r = Tool("convert " + ShellQuote(c.path) + " " + ShellQuote(dir.file("out.bmp")));
        EXPECT_EQ(std::tuple(r.exitCode, r.err), std::tuple(3, "lumivista-tool: " + c.says + " --- " + c.path + "\n"));
    }
    EXPECT_FALSE(fs::exists(dir.file("out.bmp")));

    // A mis-named file opens by its content.
    std::filesystem::copy_file(photo, dir.file("photo.png"));
    const auto misnamed = Tool("convert " + ShellQuote(dir.file("photo.png")) + " " + ShellQuote(dir.file("ok.tif")));
    EXPECT_EQ(misnamed.exitCode, 0) << misnamed.err;
}

TEST(ToolFiles, APipeUnderAPictureNameIsRefusedAtOnceNotWaitedOn)
{
    testing::TempDir dir;
    const std::string pipe = dir.file("x.jpg");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    ASSERT_EQ(Tool("new 4 4 1 2 3 " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    ASSERT_EQ(Tool("album make " + ShellQuote(dir.file("a.abm")) + " " + ShellQuote(dir.file("a.bmp"))).exitCode, 0);
    const std::string says = "Não é um arquivo comum.";
    // Nobody ever writes to the pipe: a reader that opened it would wait until the timeout.
    for (const std::string& command :
         {"info " + ShellQuote(pipe), "convert " + ShellQuote(pipe) + " " + ShellQuote(dir.file("out.bmp")),
          "album add " + ShellQuote(dir.file("a.abm")) + " " + ShellQuote(pipe)}) {
        SCOPED_TRACE(command);
        const auto r = testing::RunCommand("timeout 20 " + std::string(LV_TOOL) + " " + command);
        EXPECT_NE(r.exitCode, 124) << "the tool hung on the pipe";
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(pipe), std::string::npos) << r.err;
    }
    const auto info = testing::RunCommand("timeout 20 " + std::string(LV_TOOL) + " info " + ShellQuote(pipe));
    EXPECT_EQ(info.err, "lumivista-tool: Não é um arquivo comum. --- " + pipe + "\n");
    EXPECT_EQ(info.exitCode, 3);
    EXPECT_FALSE(fs::exists(dir.file("out.bmp")));

    // A photo of the album that became a pipe is passed over by the refresh, not waited on.
    fs::remove(dir.file("a.bmp"));
    ASSERT_EQ(::mkfifo(dir.file("a.bmp").c_str(), 0600), 0);
    const auto refresh = testing::RunCommand("timeout 20 " + std::string(LV_TOOL) + " album refresh " + ShellQuote(dir.file("a.abm")));
    EXPECT_NE(refresh.exitCode, 124) << "the refresh hung on the pipe";
}

// A missing folder in the tool's words; the locked file and the kept mode are the save's own
// (`SaveAs.ReadOnlyFilesAreRefusedAndOtherFilesKeepTheirPermissions`).
TEST(ToolFiles, AMissingOutputFolderExitsFourAndSaysSo)
{
    testing::TempDir dir;
    const std::string in = ShellQuote(WritePhoto(dir.file("in.bmp"), 30, 20));
    const auto r = Tool("convert " + in + " " + ShellQuote(dir.file("gone/out.png")));
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err, "lumivista-tool: Não é possível localizar a pasta. --- " + dir.file("gone/out.png") + "\n");
}

// Each writer against a full disk and a file-size limit: the old file stays as it was and
// nothing else is left in the folder.
TEST(ToolFiles, EveryWriterLeavesTheOldFileWhenTheDiskFillsOrTheSizeLimitIsHit)
{
    testing::TempDir dir;
    const std::string in = ShellQuote(WritePhoto(dir.file("in.bmp"), 600, 400));
    testing::SmallDisk disk(64 * 1024);
    const fs::path full = disk.mounted() ? disk.path() : dir.path() / "full";
    fs::create_directories(full);
    // Without a mount the sink's hook plays the full disk.
    const std::string hook = disk.mounted() ? "" : "LUMIVISTA_TEST_DISK_FULL_AFTER=40000 ";
    for (const char* format : kFormats) {
        SCOPED_TRACE(format);
        const std::string target = (full / (std::string("photo.") + format)).string();
        ASSERT_TRUE(WriteWholeFile(target, kOld));
        auto r = testing::RunCommand(hook + LV_TOOL + " convert " + in + " " + ShellQuote(target));
        EXPECT_EQ(r.exitCode, 4);
        EXPECT_EQ(r.err, "lumivista-tool: O disco está cheio. --- " + target + "\n");
        EXPECT_EQ(Bytes(target), kOld);
        EXPECT_EQ(EntriesIn(full), 1u);
        fs::remove(target);

        const std::string limited = dir.file(std::string("limited.") + format);
        ASSERT_TRUE(WriteWholeFile(limited, kOld));
        r = testing::RunCommand("bash -c " + ShellQuote("trap '' XFSZ; ulimit -f 8; exec " + std::string(LV_TOOL) +
                                                          " convert " + in + " " + ShellQuote(limited)));
        EXPECT_EQ(r.exitCode, 4);
        EXPECT_EQ(r.err, "lumivista-tool: O arquivo excede o tamanho máximo permitido pelo sistema. --- " + limited + "\n");
        EXPECT_EQ(Bytes(limited), kOld);
    }
    // in.bmp and the size-limited targets, and the stand-in for the full disk when not mounted
    EXPECT_EQ(EntriesIn(dir.path()), std::size(kFormats) + (disk.mounted() ? 1 : 2));
}

TEST(ToolFiles, AKilledSaveLeavesTheOldFile)
{
    testing::TempDir dir;
    const std::string in = WritePhoto(dir.file("big.bmp"), 3000, 2000);
    for (const char* format : {"tif", "png"}) {
        SCOPED_TRACE(format);
        const std::string target = dir.file(std::string("photo.") + format);
        ASSERT_TRUE(WriteWholeFile(target, kOld));
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl(LV_TOOL, LV_TOOL, "convert", in.c_str(), target.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Kill it once its temporary file beside the target has grown.
        bool writing = false;
        for (int i = 0; i < 3000 && !writing; ++i) {
            for (const auto& entry : fs::directory_iterator(dir.path())) {
                const std::string name = entry.path().filename().string();
                std::error_code ec;
                if (name.starts_with(".photo.") && fs::file_size(entry.path(), ec) > 100'000)
                    writing = true;
            }
            if (!writing)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(writing) << "the save finished before it could be killed";
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(Bytes(target), kOld);
    }
}

// Eight saves to one name at once: each replaces the file whole, so it is always exactly one
// of the eight outputs.
TEST(ToolFiles, EightConcurrentSavesLeaveOneWholeOutput)
{
    testing::TempDir dir;
    std::vector<std::string> inputs;
    for (int i = 0; i < 8; ++i)
        inputs.push_back(WritePhoto(dir.file("in" + std::to_string(i) + ".bmp"), 500, 400, i));
    for (const char* format : {"png", "jpg", "bmp", "tif"}) {
        SCOPED_TRACE(format);
        // What each input alone makes.
        std::set<std::vector<std::uint8_t>> outputs;
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            const std::string alone = dir.file("alone" + std::to_string(i) + "." + format);
            ASSERT_EQ(Tool("convert " + ShellQuote(inputs[i]) + " " + ShellQuote(alone)).exitCode, 0);
            outputs.insert(Bytes(alone));
        }
        ASSERT_EQ(outputs.size(), inputs.size());
        const std::string target = dir.file(std::string("shared.") + format);
        for (int round = 0; round < 3; ++round) {
            std::string script;
            for (const std::string& input : inputs)
                script += std::string(LV_TOOL) + " convert " + ShellQuote(input) + " " + ShellQuote(target) + " & ";
            const auto r = testing::RunCommand("sh -c " + ShellQuote(script + "wait"));
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(outputs.count(Bytes(target)), 1u) << "round " << round;
            EXPECT_EQ(Tool("info " + ShellQuote(target)).exitCode, 0);
        }
    }
    // No temporary file is left behind.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

// Saving onto a pipe that nobody reads: the tool says which file and why, at once, instead
// of waiting for a reader that never comes.
TEST(FifoTarget, SavingOntoAPipeFailsAtOnceNamingTheFile)
{
    lv::testing::TempDir dir;
    const std::string picture = dir.file("a.bmp");
    ASSERT_EQ(Tool("new 20 10 255 0 0 " + ShellQuote(picture)).exitCode, 0);
    for (const char* name : {"alvo.bmp", "alvo.jpg", "alvo.png"}) {
        const std::string fifo = dir.file(name);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const auto start = std::chrono::steady_clock::now();
        // Under `timeout`, so that a hang fails the test instead of stopping it.
        const auto r = testing::RunCommand("timeout 20 " + std::string(LV_TOOL) + " convert " + ShellQuote(picture) +
                                           " " + ShellQuote(fifo));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15)) << name;
        EXPECT_EQ(r.exitCode, 4) << name << ": " << r.err;
        EXPECT_NE(r.err.find(fifo), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Não é um arquivo comum."), std::string::npos) << r.err;
        struct stat st{};
        ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is left as it was";
    }
}

}  // namespace
}  // namespace lv
