// Recovery copies in the running program: copies follow saves, the undo history and clean
// exits; the start-up's choices keep or remove what a dead copy left.

#include "common/byte_sink.h"
#include "common/byte_source.h"
#include "edit/layered_layout.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/tests/pictures.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

void writeConfiguration(const ProgramSandbox& sandbox, int autoSaveSeconds)
{
    std::ofstream(sandbox.configFile()) << "[USER]\nAutoSaveSeconds=" << autoSaveSeconds << "\n";
}

std::string writePhoto(const ProgramSandbox& sandbox, const std::string& name, int width, int height)
{
    const std::string path = sandbox.file(name).string();
    HDIB photo = MakePhotoLike(width, height);
    EXPECT_EQ(WriteBmp(path, photo), WriteResult::Written);
    return path;
}

// Every file below the recovery folder, as "folder/name" with the run's folder as "*".
std::multiset<std::string> recoveryFiles(const ProgramSandbox& sandbox)
{
    std::multiset<std::string> files;
    std::error_code ec;
    for (const auto& folder : fs::directory_iterator(sandbox.configDir() / "recovery", ec))
        for (const auto& file : fs::directory_iterator(folder.path(), ec))
            files.insert("*/" + file.path().filename().string());
    return files;
}

using RecoveryRun = OnVirtualX;

TEST_F(RecoveryRun, SavesUndoHistoryAndTheStartUpsChoicesDecideWhatCopiesRemain)
{
    writeConfiguration(sandbox, 3600);  // only the undo history makes copies here
    const std::string beach = writePhoto(sandbox, "praia.bmp", 200, 150);
    const std::string field = writePhoto(sandbox, "campo.bmp", 90, 60);

    ASSERT_TRUE(sandbox.launch({beach, field}, {}, "open " + field + " ok\n")) << sandbox.log();
    EXPECT_EQ(sandbox.ask("paint 0 0 20 20 00FF00 49", "painted "), "painted ok");
    sandbox.ask("undo");
    EXPECT_TRUE(sandbox.waitForLog("autosave written doc-1 " + field + "\n")) << "the 50th step: undo counts";
    EXPECT_EQ(sandbox.ask("save", "saved "), "saved ok");
    EXPECT_TRUE(sandbox.waitForLog("autosave removed doc-1\n"));
    EXPECT_EQ(sandbox.ask("paint 5 5 10 10 FFFFFF 50", "painted "), "painted ok");
    EXPECT_TRUE(sandbox.waitForLog("autosave written doc-1 " + field + "\n"));
    // Closing asks, and is answered Yes: saved again, and the copy goes with the window.
    EXPECT_EQ(StateField(sandbox.ask("close"), "windows"), "1");
    EXPECT_EQ(sandbox.ask("paint 1 1 30 30 FF0000 50", "painted "), "painted ok");
    ASSERT_TRUE(sandbox.waitForLog("autosave written doc-2 " + beach + "\n")) << sandbox.log();
    EXPECT_TRUE(sandbox.killHard());
    EXPECT_EQ(recoveryFiles(sandbox),
              (std::multiset<std::string>{"*/doc-2.bmp", "*/doc-2.info", "*/doc-2.vlf", "*/lock"}));

    // Decided later: the copy stays, beside the folder of the run that decided.
    ASSERT_TRUE(sandbox.launch({}, {"LUMIVISTA_TEST_RECOVERY=later"}, "recovery chose later\n")) << sandbox.log();
    EXPECT_EQ(StateField(sandbox.ask("state"), "windows"), "0");
    EXPECT_EQ(recoveryFiles(sandbox).size(), 5u);
    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_EQ(recoveryFiles(sandbox).size(), 4u);

    // Discarding removes it.
    ASSERT_TRUE(sandbox.launch({}, {"LUMIVISTA_TEST_RECOVERY=discard"}, "recovery chose discard\n")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("message Lumivista 2000: As cópias de recuperação serão apagadas"), std::string::npos);
    EXPECT_EQ(sandbox.quit(), 0);
    EXPECT_TRUE(recoveryFiles(sandbox).empty());
    EXPECT_TRUE(fs::is_empty(sandbox.configDir() / "recovery"));
}

// The copy's first layer picture made unreadable while its header, table and block headers
// still hold together: it is listed whole and fails only when recovered.
void BreakFirstLayerPicture(const fs::path& copy)
{
    std::vector<std::uint8_t> bytes = ReadWholeFile(copy.string()).value_or(std::vector<std::uint8_t>{});
    MemorySource source(bytes);
    const auto layout = ReadLayeredLayout(source);
    ASSERT_TRUE(layout && !layout->entries.empty());
    std::size_t at = std::size_t(layout->base + layout->entries[0].imageOffset + kBlockHeaderSize);
    if (bytes[at] == 'B' && bytes[at + 1] == 'M')
        at += 14;
    bytes[at + 14] = 5;  // a bit count no bitmap has
    ASSERT_TRUE(WriteWholeFile(copy.string(), bytes));
}

TEST_F(RecoveryRun, ManyUnreadableCopiesMakeOneMessageAtStartUp)
{
    writeConfiguration(sandbox, 1);
    const std::string card = writePhoto(sandbox, "cartão.bmp", 64, 48);
    ASSERT_TRUE(sandbox.launch({card}, {}, "open " + card + " ok\n")) << sandbox.log();
    EXPECT_EQ(sandbox.ask("paint 1 1 20 20 FF8000", "painted "), "painted ok");
    ASSERT_TRUE(sandbox.waitForLog("autosave written doc-1 " + card + "\n")) << sandbox.log();
    EXPECT_TRUE(sandbox.killHard());

    fs::path crashed;
    for (const auto& folder : fs::directory_iterator(sandbox.configDir() / "recovery"))
        crashed = folder.path();
    BreakFirstLayerPicture(crashed / "doc-1.vlf");
    constexpr int kCopies = 60;
    for (int i = 2; i <= kCopies; ++i)
        for (const char* extension : {".vlf", ".info", ".bmp"})
            fs::copy_file(crashed / (std::string("doc-1") + extension),
                          crashed / ("doc-" + std::to_string(i) + extension));

    ASSERT_TRUE(sandbox.launch({}, {}, "recovery chose recover\n")) << sandbox.log();
    EXPECT_TRUE(sandbox.waitForLog("e mais " + std::to_string(kCopies - 5) + " cópias")) << sandbox.log();
    const std::string log = sandbox.log();
    EXPECT_NE(log.find("recovery offered " + std::to_string(kCopies) + " damaged=0"), std::string::npos) << log;
    std::size_t boxes = 0;
    for (std::size_t at = log.find("\nmessage "); at != std::string::npos; at = log.find("\nmessage ", at + 1))
        ++boxes;
    EXPECT_EQ(boxes, 1u) << log;
    EXPECT_NE(log.find("e mais " + std::to_string(kCopies - 5) + " cópias"), std::string::npos) << log;
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
