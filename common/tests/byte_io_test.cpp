#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "common/file_problem.h"
#include "common/save_temporaries.h"
#include "common/testing/file_failures.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utime.h>

namespace lv {
namespace {

std::vector<std::uint8_t> counting(std::size_t n)
{
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = std::uint8_t(i * 7 + i / 251);
    return v;
}

TEST(ByteSource, MemoryReadsStopAtTheEndAndReportShortReads)
{
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    MemorySource src(bytes);
    EXPECT_EQ(src.readLE32(), 0x04030201u);
    // One byte left, two wanted: the short read consumes it.
    EXPECT_EQ(src.readLE16(), std::nullopt);
    EXPECT_EQ(src.position(), 5u);
    EXPECT_TRUE(!src.seek(6) && src.seek(1));
    EXPECT_EQ(src.readBE16(), 0x0203);
    EXPECT_TRUE(!src.skip(3) && src.skip(2));
    EXPECT_EQ(src.remaining(), 0u);
}

TEST(ByteSource, FileReadsMatchTheBytesAcrossBufferBoundariesAndSeeks)
{
    testing::TempDir dir;
    const auto bytes = counting(200'000);
    ASSERT_TRUE(WriteWholeFile(dir.file("f"), bytes));
    auto src = FileSource::Open(dir.file("f"));
    ASSERT_TRUE(src);
    EXPECT_EQ(src->size(), bytes.size());

    // Small reads that straddle the internal buffer, then one big direct read.
    std::vector<std::uint8_t> got(bytes.size());
    std::size_t at = 0;
    for (std::size_t step = 1; at + step < 70'000; step = step % 13 + 1) {
        ASSERT_EQ(src->read(got.data() + at, step), step);
        at += step;
    }
    ASSERT_EQ(src->read(got.data() + at, bytes.size() - at), bytes.size() - at);
    EXPECT_EQ(got, bytes);
    EXPECT_EQ(src->read(got.data(), 1), 0u);

    // Backwards and forwards seeks, inside and outside what is buffered; the first lands
    // in what the direct read passed over, where the buffer's old bytes must not show.
    for (std::uint64_t pos : {199'999u, 10u, 65'535u, 65'536u, 3u, 131'072u}) {
        ASSERT_TRUE(src->seek(pos));
        EXPECT_EQ(src->readU8(), bytes[pos]) << pos;
    }
    EXPECT_FALSE(src->seek(bytes.size() + 1));
}

TEST(ByteIo, MissingFilesAndFoldersNeitherOpenNorCreateAndAFullDeviceFailsWrites)
{
    testing::TempDir dir;
    FileFailure why;
    EXPECT_FALSE(FileSource::Open(dir.file("absent"), &why));
    EXPECT_EQ(why.problem, FileProblem::NotFound);
    EXPECT_FALSE(FileSource::Open(dir.path().string()));
    EXPECT_FALSE(FileSink::Create(dir.file("no/such/dir"), &why));
    EXPECT_EQ(why.problem, FileProblem::FolderMissing);
    // A device is written in place, never renamed over.
    if (auto full = FileSink::Create("/dev/full")) {
        const auto bytes = counting(100'000);
        full->write(bytes.data(), bytes.size());
        EXPECT_FALSE(full->close());
        EXPECT_EQ(full->failure().problem, FileProblem::DiskFull);
    }
    struct stat device {};
    EXPECT_TRUE(::stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode));
}

TEST(ByteIo, PipesSocketsAndDevicesAreRefusedAtOnceAsNoOrdinaryFile)
{
    testing::TempDir dir;
    // Nobody writes to the pipe: opening it blocking would wait for ever.
    ASSERT_EQ(::mkfifo(dir.file("x.jpg").c_str(), 0600), 0);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = dir.file("s.png");
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    for (const std::string& path : {dir.file("x.jpg"), socketPath, std::string("/dev/null"), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        FileFailure why;
        EXPECT_FALSE(FileSource::Open(path, &why));
        EXPECT_EQ(why.problem, FileProblem::NotRegularFile);
        EXPECT_EQ(FileProblemMessage(why, path), "Não é um arquivo comum. --- " + path);
    }
    ::close(listener);
    EXPECT_FALSE(ReadWholeFile(dir.file("x.jpg")));
}

// The safe path: the old file stays whole until close() commits, and for ever when it doesn't.
class SafeFileSink : public ::testing::Test {
protected:
    std::string existing(const std::string& name, const std::string& text, mode_t mode = 0644)
    {
        const std::string path = dir.file(name);
        EXPECT_TRUE(WriteWholeFile(path, std::vector<std::uint8_t>(text.begin(), text.end())));
        ::chmod(path.c_str(), mode);
        return path;
    }
    static std::string contentOf(const std::string& path)
    {
        const auto bytes = ReadWholeFile(path);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<none>");
    }
    static mode_t modeOf(const std::string& path)
    {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    std::size_t filesIn(const std::filesystem::path& folder) const
    {
        return std::size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
    // Writes `bytes` bytes over `path` and commits; the failure when it doesn't.
    static FileFailure overwrite(const std::string& path, std::size_t bytes)
    {
        FileFailure why;
        auto sink = FileSink::Create(path, &why);
        if (!sink)
            return why;
        const auto data = counting(bytes);
        if (sink->write(data.data(), data.size()) && sink->close())
            return {};
        return sink->failure();
    }

    testing::TempDir dir;
};

TEST_F(SafeFileSink, TheOldFileStaysUntilCloseAndWhenTheSinkIsDropped)
{
    const std::string path = existing("photo.bmp", "old");
    {
        auto sink = FileSink::Create(path);
        ASSERT_TRUE(sink);
        const auto data = counting(300'000);
        ASSERT_TRUE(sink->write(data.data(), data.size()));
        EXPECT_EQ(contentOf(path), "old");
    }
    EXPECT_EQ(contentOf(path), "old");
    {
        auto sink = FileSink::Create(path);
        sink->write("abc", 3);
        sink->discard();
        EXPECT_FALSE(sink->close());
    }
    // No temporary file left behind.
    EXPECT_EQ(std::tuple(contentOf(path), filesIn(dir.path())), std::tuple(std::string("old"), std::size_t(1)));
    EXPECT_FALSE(overwrite(path, 10));
    EXPECT_EQ(std::tuple(ReadWholeFile(path)->size(), filesIn(dir.path())), std::tuple(std::size_t(10), std::size_t(1)));
}

TEST_F(SafeFileSink, ReplacingKeepsPermissionsAndOwnerAndFollowsLinks)
{
    const std::string secret = existing("secret.jpg", "old", 0600);
    ASSERT_FALSE(overwrite(secret, 5));
    EXPECT_EQ(modeOf(secret), 0600u);

    const std::string shared = existing("shared.jpg", "old", 0664);
    ::chown(shared.c_str(), 65534, 65534);
    ASSERT_FALSE(overwrite(shared, 5));
    EXPECT_EQ(modeOf(shared), 0664u);
    struct stat st {};
    EXPECT_TRUE(::geteuid() != 0 || (::stat(shared.c_str(), &st) == 0 && st.st_uid == 65534u && st.st_gid == 65534u));

    // A new file gets the usual permissions, not the temporary file's owner-only ones.
    const mode_t mask = ::umask(022);
    EXPECT_FALSE(overwrite(dir.file("new.png"), 5));
    ::umask(mask);
    EXPECT_EQ(modeOf(dir.file("new.png")), 0644u);

    // A link keeps pointing at the file, which gets the new bytes.
    std::filesystem::create_directory(dir.file("real"));
    const std::string target = existing("real/target.tif", "old", 0640);
    std::filesystem::create_symlink("real/target.tif", dir.file("link.tif"));
    ASSERT_FALSE(overwrite(dir.file("link.tif"), 7));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.tif")));
    EXPECT_EQ(std::tuple(ReadWholeFile(target)->size(), modeOf(target), filesIn(dir.path() / "real")),
              std::tuple(std::size_t(7), mode_t(0640), std::size_t(1)));
}

TEST_F(SafeFileSink, ReadOnlyFilesAndForbiddenFoldersAreNotReplaced)
{
    const std::string locked = existing("locked.gif", "keep", 0444);
    EXPECT_EQ(overwrite(locked, 5).problem, FileProblem::ReadOnlyFile);
    EXPECT_EQ(contentOf(locked), "keep");

    // Another user may neither replace a file of ours nor write into our folder.
    const std::string mine = existing("mine.gif", "keep", 0644);
    const int status = testing::RunAsOtherUser([&] {
        const bool file = overwrite(mine, 5).problem == FileProblem::PermissionDenied;
        const bool folder = overwrite(dir.file("other.gif"), 5).problem == FileProblem::PermissionDenied;
        return file && folder ? 0 : 1;
    });
    EXPECT_LE(status, 0) << "-1: not started as root";
    EXPECT_EQ(std::tuple(contentOf(mine), filesIn(dir.path())), std::tuple(std::string("keep"), std::size_t(2)));
}

TEST(ByteSink, MemorySinkOverwritesAfterSeekAndGrowsWithZeros)
{
    MemorySink sink;
    sink.writeLE16(0x1234);
    sink.seek(6);
    sink.writeU8(9);
    sink.seek(1);
    sink.writeU8(0xFF);
    EXPECT_EQ(sink.bytes(), (std::vector<std::uint8_t>{0x34, 0xFF, 0, 0, 0, 0, 9}));
}

TEST_F(SafeFileSink, TemporaryFilesCarryTheProgramsOwnMarkBesideTheTarget)
{
    const std::string path = dir.file("Férias 2026.jpg");
    auto sink = FileSink::Create(path);
    ASSERT_TRUE(sink);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(names[0].starts_with(".Férias 2026.jpg.lv-")) << names[0];
    EXPECT_EQ(names[0].size(), std::string(".Férias 2026.jpg.lv-").size() + 6) << names[0];
    EXPECT_TRUE(IsSaveTemporaryName(names[0]));
    sink->discard();

    // A name too long for the marker is cut, never refused.
    const std::string longName(250, 'a');
    EXPECT_FALSE(overwrite(dir.file(longName), 3));

    for (const char* ours : {".x.lv-abc123", ".foto.jpg.lv-Z9y8X7"})
        EXPECT_TRUE(IsSaveTemporaryName(ours)) << ours;
    for (const char* theirs : {".x.abc123", "x.lv-abc123", ".x.lv-abc12", ".x.lv-abc12!", ".lv-abc123", ".x.lv_abc123"})
        EXPECT_FALSE(IsSaveTemporaryName(theirs)) << theirs;
}

TEST_F(SafeFileSink, ASaveSweepsOnlyOurOwnTemporaryFilesOlderThanADayFromItsFolder)
{
    const auto age = [this](const std::string& name, std::chrono::hours hours) {
        const std::string path = existing(name, "partial");
        const std::time_t then = std::time(nullptr) - std::time_t(hours.count() * 3600);
        const utimbuf times{then, then};
        EXPECT_EQ(::utime(path.c_str(), &times), 0);
        return path;
    };
    age(".x.lv-abc123", std::chrono::hours(25));
    age(".y.jpg.lv-Q1w2E3", std::chrono::hours(24 * 30));
    age(".z.lv-abc123", std::chrono::hours(23));  // a save may still be writing it
    age(".x.abc123", std::chrono::hours(25));     // another program's
    age("x.lv-abc123", std::chrono::hours(25));   // no hidden file: the user's
    std::filesystem::create_directory(dir.file("other"));
    age("other/.x.lv-abc123", std::chrono::hours(25));  // not the folder being saved into
    std::filesystem::create_directory(dir.file(".d.lv-abc123"));
    const utimbuf oldTimes{std::time(nullptr) - 30 * 86400, std::time(nullptr) - 30 * 86400};
    ::utime(dir.file(".d.lv-abc123").c_str(), &oldTimes);
    std::filesystem::create_symlink("x.lv-abc123", dir.file(".l.lv-abc123"));

    ASSERT_FALSE(overwrite(dir.file("saved.png"), 10));
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{".z.lv-abc123", ".x.abc123", "x.lv-abc123", "other", ".d.lv-abc123",
                                           ".l.lv-abc123", "saved.png"}));
    EXPECT_TRUE(std::filesystem::exists(dir.file("other/.x.lv-abc123")));
}

}  // namespace
}  // namespace lv
