// Recovery copies on disk: the side file, the folders and locks of running copies, what the
// start-up finds after a copy of the program died, and the one message its failures make.

#include "app/core/recovery/recovery_listing.h"
#include "app/core/recovery/recovery_session.h"
#include "app/core/tests/recovery_test_support.h"
#include "common/byte_sink.h"
#include "app/core/recovery/recovery_notices.h"
#include "common/string_table.h"
#include "common/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

RecoveryInfo SampleInfo()
{
    return {.title = "/home/ana/cartões/Natal 100%\nfinal.vlf", .untitled = false, .savedAt = 1735689600,
            .programVersion = 200, .copyBytes = 123456789012ull, .width = 4000, .height = 3000,
            .xPelsPerMeter = 11811, .yPelsPerMeter = 2835};
}

TEST(RecoveryInfo, RoundTripsAnyTitleAndRefusesEveryCutOrBrokenFile)
{
    const RecoveryInfo info = SampleInfo();
    const std::string text = SerialiseRecoveryInfo(info);
    EXPECT_EQ(text.find('\n', text.find("title=")), text.find("\nuntitled=")) << "the newline in the title is escaped";
    EXPECT_NE(text.find("title=/home/ana/cart\xC3\xB5" "es/Natal 100%25%0Afinal.vlf\n"), std::string::npos) << text;
    ASSERT_EQ(ParseRecoveryInfo(text), info);

    RecoveryInfo untitled = info;
    untitled.title = "TrueColor-Sem título-07";
    untitled.untitled = true;
    EXPECT_EQ(ParseRecoveryInfo(SerialiseRecoveryInfo(untitled)), untitled);

    // A side file cut anywhere, even at a line end, is not taken for a whole one.
    for (std::size_t cut = 0; cut < text.size(); ++cut)
        EXPECT_FALSE(ParseRecoveryInfo(text.substr(0, cut))) << "cut at " << cut;

    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string changed = text;
        changed.replace(changed.find(from), from.size(), to);
        return changed;
    };
    const std::size_t title = text.find("title=") + 6;
    const std::pair<std::string, std::string> broken[] = {
        {"Lumivista recovery 1", "Lumivista recovery 2"}, {"width=4000", "width=0"}, {"width=4000", "width=-4000"},
        {"width=4000", "width=4000x"}, {"height=3000", "height=99999999999"}, {"untitled=0", "untitled=2"},
        {"time=1735689600", "time="}, {"%0Afinal.vlf", "%0"}, {"%0A", "%G1"}, {"version=200", "version 200"},
        {text.substr(title, text.find('\n', title) - title), ""}};
    for (const auto& [from, to] : broken)
        EXPECT_FALSE(ParseRecoveryInfo(replaced(from, to))) << from << " -> " << to;
    EXPECT_FALSE(ParseRecoveryInfo(text + std::string(kMaxRecoveryInfoBytes, 'x') + "\n"));
    // Keys a later version adds are passed over.
    EXPECT_EQ(ParseRecoveryInfo(text + "layers=10\n"), info);
}

TEST(RecoverySession, EachRunningCopyHasItsOwnLockedFolderThatAFinishedRunRemoves)
{
    TempDir dir;
    const fs::path recovery = RecoveryFolderBeside(dir.path() / "LV2000.ini");
    EXPECT_EQ(recovery, dir.path() / "recovery");
    {
        auto first = RecoverySession::Start(recovery);
        auto second = RecoverySession::Start(recovery);
        ASSERT_TRUE(first && second);
        EXPECT_NE(first->folder(), second->folder());
        EXPECT_EQ(std::tuple(first->folder().parent_path(), second->folder().parent_path()),
                  std::tuple(recovery, recovery));
        const auto lockText = FileBytes(first->folder() / "lock");
        EXPECT_EQ(std::string(lockText.begin(), lockText.end()), std::to_string(getpid()) + "\n");
        // Held: neither a second look from this process nor the start-up sees an abandoned folder.
        EXPECT_FALSE(LockedFile::TryLock(first->folder() / "lock"));
        EXPECT_TRUE(AbandonedRecovery::Find(recovery).empty());
        EXPECT_EQ((std::vector{first->newStem(), first->newStem(), second->newStem()}),
                  (std::vector<std::string>{"doc-1", "doc-2", "doc-1"}));
        EXPECT_EQ(FilesIn(recovery).size(), 2u) << "no dot folder is left from setting up";
    }
    EXPECT_TRUE(FilesIn(recovery).empty()) << "a clean end leaves the folder empty";

    // A folder that can't be made: no session, and why.
    TempDir other;
    WriteWholeFile((other.path() / "recovery").string(), {1, 2, 3});
    FileFailure why;
    EXPECT_FALSE(RecoverySession::Start(other.path() / "recovery", &why));
    EXPECT_TRUE(why);
}

// Runs `work` in a child process that then dies without cleaning up, as a crashed copy of
// the program does. Returns the folder it left.
template <typename Work>
fs::path LeaveCrashedCopy(const fs::path& recovery, Work work)
{
    const std::set<std::string> before = FilesIn(recovery);
    const pid_t child = fork();
    if (child == 0) {
        auto session = RecoverySession::Start(recovery);
        _exit(session && work(*session) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    for (const std::string& name : FilesIn(recovery))
        if (!before.count(name))
            return recovery / name;
    ADD_FAILURE() << "the child left no folder";
    return {};
}

bool WriteCopy(RecoverySession& session, const std::string& stem, const LayerStack& document, const std::string& title,
               std::int64_t time)
{
    const std::atomic<bool> never{false};
    return WriteRecoveryCopy(session.files(stem), JobFor(document, stem, title, time), never).kind ==
           RecoveryWriteResult::Kind::Written;
}

TEST(AbandonedRecovery, ListsWholeCopiesNewestFirstAndDamagedOnesAsDamagedWithoutReadingPictures)
{
    TempDir dir;
    const fs::path recovery = dir.path() / "recovery";
    const auto document = ThreeLayerDocument();
    const fs::path crashed = LeaveCrashedCopy(recovery, [&](RecoverySession& session) {
        bool written = WriteCopy(session, "doc-1", *document, "/fotos/antiga.vlf", 1000) &&
                       WriteCopy(session, "doc-2", *document, "TrueColor-Sem título-02", 3000);
        for (const char* stem : {"doc-3", "doc-4", "doc-5", "doc-6", "doc-7"})
            written = written && WriteCopy(session, stem, *document, std::string("/fotos/") + stem + ".jpg", 2000);
        return written;
    });
    ASSERT_FALSE(crashed.empty());
    EXPECT_TRUE(LockedFile::TryLock(crashed / "lock")) << "the lock died with its copy";

    // doc-3 cut short, doc-4 with a broken header, doc-5 with a broken side file, doc-6 with
    // no side file, doc-7 with a side file only; a stray thumbnail and a half-written file.
    const RecoveryFiles cut = RecoveryFilesFor(crashed, "doc-3");
    fs::resize_file(cut.copy, fs::file_size(cut.copy) - 1000);
    auto header = FileBytes(RecoveryFilesFor(crashed, "doc-4").copy);
    header[0] = 'X';
    WriteWholeFile(RecoveryFilesFor(crashed, "doc-4").copy.string(), header);
    WriteWholeFile(RecoveryFilesFor(crashed, "doc-5").info.string(), {'L', 'u', 'm', 'i', 0, 0xFF});
    fs::remove(RecoveryFilesFor(crashed, "doc-6").info);
    fs::remove(RecoveryFilesFor(crashed, "doc-7").copy);
    fs::copy_file(cut.thumbnail, crashed / "doc-9.bmp");
    WriteWholeFile((crashed / ".doc-8.vlf.Ab12Cd").string(), {1, 2, 3});

    AbandonedRecovery found = AbandonedRecovery::Find(recovery);
    ASSERT_EQ(found.entries().size(), 7u);
    std::vector<std::string> order;
    for (const RecoveryEntry& entry : found.entries())
        order.push_back(entry.stem + (entry.damaged ? " damaged" : ""));
    EXPECT_EQ(order, (std::vector<std::string>{"doc-2", "doc-1", "doc-3 damaged", "doc-4 damaged", "doc-7 damaged",
                                               "doc-5 damaged", "doc-6 damaged"}));
    // A cut copy still has its name.
    EXPECT_EQ(std::tuple(found.entries()[0].name(), found.entries()[0].info->untitled, found.entries()[2].name(),
                         found.entries()[6].name()),
              std::tuple(std::string("TrueColor-Sem título-02"), true, std::string("/fotos/doc-3.jpg"),
                         std::string("doc-6.vlf")));
    for (const RecoveryEntry& entry : found.entries())
        if (entry.damaged) {
            EXPECT_FALSE(ReadRecoveryCopy(entry)) << entry.stem;
        }
    const HDIB thumbnail = ReadRecoveryThumbnail(found.entries()[0]);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(std::tuple(thumbnail.width(), thumbnail.height()), std::tuple(kRecoveryThumbnailSide, 64));

    // While one starting copy holds the folder, another finds nothing in it.
    EXPECT_TRUE(AbandonedRecovery::Find(recovery).empty());
}

TEST(AbandonedRecovery, DecidingLaterKeepsEverythingDiscardingRemovesItAndEmptyFoldersGoAtOnce)
{
    TempDir dir;
    const fs::path recovery = dir.path() / "recovery";
    const auto document = ThreeLayerDocument();
    const fs::path crashed = LeaveCrashedCopy(recovery, [&](RecoverySession& session) {
        return WriteCopy(session, "doc-1", *document, "/fotos/a.vlf", 1) &&
               WriteCopy(session, "doc-2", *document, "/fotos/b.vlf", 2);
    });
    const fs::path nothingLeft = LeaveCrashedCopy(recovery, [](RecoverySession&) { return true; });
    EXPECT_TRUE(fs::exists(nothingLeft));

    const std::set<std::string> files = FilesIn(crashed);
    {
        AbandonedRecovery found = AbandonedRecovery::Find(recovery);
        EXPECT_EQ(found.entries().size(), 2u);
        EXPECT_FALSE(fs::exists(nothingLeft)) << "a copy that died with nothing unsaved leaves nothing to offer";
    }
    EXPECT_EQ(FilesIn(crashed), files) << "decided later: all stays for the next start";

    {
        AbandonedRecovery found = AbandonedRecovery::Find(recovery);
        ASSERT_EQ(found.entries().size(), 2u);
        found.discard(found.entries()[0]);
        ASSERT_EQ(found.entries().size(), 1u);
        EXPECT_EQ(found.entries()[0].stem, "doc-1");
    }
    EXPECT_EQ(std::tuple(FilesIn(crashed).count("doc-2.vlf"), FilesIn(crashed).count("doc-1.vlf")), std::tuple(0u, 1u));
    {
        AbandonedRecovery found = AbandonedRecovery::Find(recovery);
        found.discardAll();
        EXPECT_TRUE(found.empty());
    }
    EXPECT_TRUE(FilesIn(recovery).empty());
}

TEST(AbandonedRecovery, CopiesWithDifferentConfigurationFoldersNeverTouchEachOthersFiles)
{
    TempDir dir;
    const fs::path mine = RecoveryFolderBeside(dir.path() / "a" / "LV2000.ini");
    const fs::path theirs = RecoveryFolderBeside(dir.path() / "b" / "LV2000.ini");
    const auto document = ThreeLayerDocument(30, 20);
    const fs::path crashedTheirs = LeaveCrashedCopy(theirs, [&](RecoverySession& session) {
        return WriteCopy(session, "doc-1", *document, "/deles.vlf", 5);
    });
    auto running = RecoverySession::Start(theirs);
    ASSERT_TRUE(WriteCopy(*running, "doc-1", *document, "/em uso.vlf", 6));
    const std::set<std::string> theirFiles = FilesIn(theirs);
    const std::set<std::string> crashedFiles = FilesIn(crashedTheirs);

    {
        auto session = RecoverySession::Start(mine);
        ASSERT_TRUE(WriteCopy(*session, "doc-1", *document, "/meu.vlf", 7));
        AbandonedRecovery found = AbandonedRecovery::Find(mine);
        EXPECT_TRUE(found.empty());
        found.discardAll();
    }
    EXPECT_EQ(std::tuple(FilesIn(mine).size(), FilesIn(theirs), FilesIn(crashedTheirs)),
              std::tuple(0u, theirFiles, crashedFiles));

    // In the other folder the running copy's files are not offered; the crashed one's are.
    AbandonedRecovery found = AbandonedRecovery::Find(theirs);
    ASSERT_EQ(found.entries().size(), 1u);
    EXPECT_EQ(found.entries()[0].name(), "/deles.vlf");
    found.discardAll();
    EXPECT_EQ(FilesIn(running->folder()).count("doc-1.vlf"), 1u);
}

TEST(AbandonedRecovery, AnAdoptedCopyMovesIntoTheRecoveringSessionWhole)
{
    TempDir dir;
    const fs::path recovery = dir.path() / "recovery";
    const auto document = ThreeLayerDocument();
    LeaveCrashedCopy(recovery, [&](RecoverySession& session) { return WriteCopy(session, "doc-4", *document, "/x.vlf", 9); });
    auto session = RecoverySession::Start(recovery);
    session->newStem();
    {
        AbandonedRecovery found = AbandonedRecovery::Find(recovery);
        ASSERT_EQ(found.entries().size(), 1u);
        const auto stem = session->adopt(found.entries()[0].files());
        ASSERT_EQ(stem, "doc-2");
        found.discard(found.entries()[0]);
    }
    EXPECT_EQ(FilesIn(recovery).size(), 1u) << "the emptied folder of the crashed copy is gone";
    EXPECT_EQ(FilesIn(session->folder()), (std::set<std::string>{"doc-2.bmp", "doc-2.info", "doc-2.vlf", "lock"}));
    const auto info = ReadRecoveryInfo(session->files("doc-2").info);
    ASSERT_TRUE(info);
    EXPECT_TRUE(RecoveryCopyLooksWhole(session->files("doc-2").copy, *info));
}

TEST(AbandonedRecovery, PipesInTheRecoveryFolderAreSkippedWithoutHoldingTheStartUp)
{
    TempDir dir;
    const fs::path recovery = dir.path() / "recovery";
    const auto document = ThreeLayerDocument(30, 20);
    const fs::path crashed = LeaveCrashedCopy(recovery, [&](RecoverySession& session) {
        return WriteCopy(session, "doc-1", *document, "/fotos/a.vlf", 1) &&
               WriteCopy(session, "doc-2", *document, "/fotos/b.vlf", 2);
    });
    ASSERT_FALSE(crashed.empty());
    // A pipe in place of a side file, of a copy, and of a whole folder's lock. Nobody writes
    // to them, so opening any of them blocking would wait for ever.
    fs::remove(RecoveryFilesFor(crashed, "doc-2").info);
    ASSERT_EQ(::mkfifo(RecoveryFilesFor(crashed, "doc-2").info.c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(RecoveryFilesFor(crashed, "doc-3").copy.c_str(), 0600), 0);
    const fs::path piped = recovery / "piped";
    fs::create_directories(piped);
    ASSERT_EQ(::mkfifo((piped / "lock").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((piped / "doc-1.vlf").c_str(), 0600), 0);

    // The scan runs in a child so that a hang is a failure, not a test that never ends.
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = fork();
    if (child == 0) {
        ::close(report[0]);
        AbandonedRecovery found = AbandonedRecovery::Find(recovery);
        std::string stems;
        for (const RecoveryEntry& entry : found.entries())
            stems += entry.stem + (entry.damaged ? " damaged;" : ";");
        const bool sent = ::write(report[1], stems.data(), stems.size()) == ssize_t(stems.size());
        _exit(sent ? 0 : 1);
    }
    ::close(report[1]);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ::close(report[0]);
            FAIL() << "the scan hangs on a pipe";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::string stems(256, '\0');
    const ssize_t got = ::read(report[0], stems.data(), stems.size());
    ::close(report[0]);
    stems.resize(got > 0 ? std::size_t(got) : 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(stems, "doc-1;") << "the piped copies are passed over, not offered as damaged";
}

TEST(RecoveryNotices, ManyUnreadableCopiesMakeOneMessageAndRepeatedNoticesOneLine)
{
    RecoveryNotices nothing;
    EXPECT_EQ(std::tuple(nothing.empty(), nothing.summary()), std::tuple(true, std::string()));

    RecoveryNotices one;
    one.unreadableCopy("/fotos/praia.vlf");
    EXPECT_EQ(one.summary(), std::string(LoadString(36209)) + " --- /fotos/praia.vlf");

    RecoveryNotices many;
    for (int i = 1; i <= 1999; ++i) {
        many.unreadableCopy("c" + std::to_string(i) + ".vlf");
        many.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"Não há memória suficiente."}}});
    }
    many.thumbnailFailed({FileProblem::Corrupt, {}});  // nothing to say
    EXPECT_FALSE(many.empty());
    EXPECT_EQ(many.summary(), std::string(LoadString(36209)) +
                                  " --- c1.vlf, c2.vlf, c3.vlf, c4.vlf, c5.vlf e mais 1994 cópias\n"
                                  "Não há memória suficiente.");

    RecoveryNotices thumbnailsOnly;
    thumbnailsOnly.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"A"}, FailureNotice{"B"}}});
    thumbnailsOnly.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"B"}}});
    EXPECT_EQ(thumbnailsOnly.summary(), "A\nB");
}

}  // namespace
}  // namespace lv::testing
