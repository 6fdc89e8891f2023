// Recovery copies as the program makes them: the snapshot, the copy and its reading back,
// the writing thread beside a user who goes on painting, and when copies come and go.

#include "app/core/recovery/recovery_autosave.h"
#include "app/core/recovery/recovery_listing.h"
#include "app/core/tests/memory_store.h"
#include "app/core/tests/recovery_test_support.h"
#include "app/core/tests/undo_walk.h"
#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "edit/layered_layout.h"

#include <gtest/gtest.h>

#include <future>

namespace lv::testing {
namespace {

namespace fs = std::filesystem;

const std::atomic<bool> kNeverCancelled{false};

RecoveryEntry EntryFor(const RecoveryFiles& files)
{
    RecoveryEntry entry{files.copy.parent_path(), files.copy.stem().string(), ReadRecoveryInfo(files.info), false};
    entry.damaged = !entry.info || !RecoveryCopyLooksWhole(files.copy, *entry.info);
    return entry;
}

void ExpectSameDocument(const LayerStack& read, const LayerStack& original)
{
    ASSERT_EQ(read.layerCount, original.layerCount);
    EXPECT_EQ(std::tie(read.width, read.height, read.currentLayer),
              std::tie(original.width, original.height, original.currentLayer));
    for (int i = 0; i < original.layerCount; ++i) {
        const LayerRecord& a = read.layers[std::size_t(i)];
        const LayerRecord& b = original.layers[std::size_t(i)];
        EXPECT_TRUE(SamePixels(a.image, b.image)) << "layer " << i << ": nothing lost";
        EXPECT_TRUE(SamePixels(a.mask, b.mask)) << "layer " << i;
        const auto facts = [](const LayerRecord& r) {
            return std::tuple(r.name, r.x, r.y, r.opacity, r.visible, r.linked, r.kind,
                              r.textObject ? std::optional(r.textObject->text) : std::nullopt);
        };
        EXPECT_EQ(facts(a), facts(b)) << "layer " << i;
    }
    EXPECT_TRUE(SamePixels(read.composite, original.composite));
}

TEST(RecoverySnapshot, SharesEveryPictureCopiesTextAndLeavesTheCompositeOut)
{
    const auto document = ThreeLayerDocument();
    const auto snapshot = TakeRecoverySnapshot(*document);
    ASSERT_EQ(snapshot->layerCount, 3);
    EXPECT_EQ(std::tuple(bool(snapshot->composite), snapshot->undo), std::tuple(false, nullptr));
    for (int i = 0; i < 3; ++i) {
        const auto at = std::size_t(i);
        EXPECT_TRUE(snapshot->layers[at].image.sameAs(document->layers[at].image)) << "no pixel copied";
        EXPECT_TRUE(snapshot->layers[at].mask.sameAs(document->layers[at].mask));
    }
    ASSERT_TRUE(snapshot->layers[0].textObject);
    EXPECT_NE(snapshot->layers[0].textObject.get(), document->layers[0].textObject.get());
    EXPECT_EQ(*snapshot->layers[0].textObject, *document->layers[0].textObject);

    // Changed lettering on the document afterwards leaves the snapshot's as it was.
    document->layers[0].textObject->text = "mudou";
    EXPECT_EQ(snapshot->layers[0].textObject->text, "Feliz aniversário");
}

TEST(RecoverySnapshot, TheThumbnailIsTheDocumentScaledDownWithItsLayersInPlace)
{
    // A white 400 × 200 background, a black 100 × 100 square at the bottom-left and a hidden
    // red layer over everything.
    auto document = CreateEmptyLayerStack(400, 200, 24);
    AppendLayer(*document, SolidPicture(400, 200, {255, 0, 0})).visible = false;
    AppendLayer(*document, SolidPicture(100, 100, {0, 0, 0}), {}, 0, 0);
    AppendLayer(*document, SolidPicture(400, 200, {255, 255, 255}));
    const HDIB thumbnail = MakeRecoveryThumbnail(*document, 96);
    ASSERT_TRUE(thumbnail);
    EXPECT_EQ(std::tuple(thumbnail.width(), thumbnail.height()), std::tuple(96, 48));
    // Bottom-left: the square; beside it and above it, white.
    EXPECT_EQ((std::vector{Pixel24(thumbnail, 2, 2), Pixel24(thumbnail, 30, 2), Pixel24(thumbnail, 2, 40)}),
              (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}, {255, 255, 255}}));
    // A document smaller than a thumbnail keeps its size; one pixel stays one pixel.
    auto tiny = CreateEmptyLayerStack(1, 1, 24);
    AppendLayer(*tiny, SolidPicture(1, 1, {1, 2, 3}));
    EXPECT_EQ(MakeRecoveryThumbnail(*tiny, 96).width(), 1);
    EXPECT_FALSE(MakeRecoveryThumbnail(*tiny, 0));
}

TEST(RecoveryCopy, ReadsBackEveryLayerExactlyWithItsResolutionAndNoPreview)
{
    TempDir dir;
    const RecoveryFiles files = RecoveryFilesFor(dir.path(), "doc-1");
    const auto document = ThreeLayerDocument(333, 97);  // rows with padding
    const RecoveryWriteResult result = WriteRecoveryCopy(files, JobFor(*document), kNeverCancelled);
    ASSERT_EQ(result.kind, RecoveryWriteResult::Kind::Written);
    EXPECT_EQ(result.bytes, fs::file_size(files.copy));

    const auto info = ReadRecoveryInfo(files.info);
    ASSERT_TRUE(info);
    EXPECT_EQ(std::tuple(info->copyBytes, info->title),
              std::tuple(fs::file_size(files.copy), std::string("/fotos/cartão.vlf")));
    auto source = FileSource::Open(files.copy.string());
    const auto layout = ReadLayeredLayout(*source);
    ASSERT_TRUE(layout);
    // The copy needs no composite, which is why the side file keeps the resolution.
    EXPECT_EQ(std::tuple(layout->header.previewOffset, layout->header.xPelsPerMeter), std::tuple(0u, 0));

    const auto read = ReadRecoveryCopy(EntryFor(files));
    ASSERT_TRUE(read);
    ExpectSameDocument(*read, *document);
    // A recovered document is not saved yet.
    const auto& header = read->composite.header();
    EXPECT_EQ(std::tuple(header.biXPelsPerMeter, header.biYPelsPerMeter, read->modified),
              
              std::tuple(3780, 3779, 1u));
}

TEST(RecoveryCopy, ACancelledOrFailedWriteLeavesThePreviousCopyWhole)
{
    TempDir dir;
    const RecoveryFiles files = RecoveryFilesFor(dir.path(), "doc-1");
    const auto first = ThreeLayerDocument(200, 100);
    ASSERT_EQ(WriteRecoveryCopy(files, JobFor(*first), kNeverCancelled).kind, RecoveryWriteResult::Kind::Written);
    const auto copyBefore = FileBytes(files.copy);
    const auto infoBefore = FileBytes(files.info);

    auto second = ThreeLayerDocument(200, 100);
    std::fill_n(second->layers[2].image.write().pixels(), 999, std::uint8_t(1));
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(WriteRecoveryCopy(files, JobFor(*second), cancelled).kind, RecoveryWriteResult::Kind::Cancelled);
    EXPECT_EQ(std::tuple(FileBytes(files.copy), FileBytes(files.info)), std::tuple(copyBefore, infoBefore));

    // No room left on the disk half-way through the copy.
    setenv("LUMIVISTA_TEST_DISK_FULL_AFTER", "5000", 1);
    const RecoveryWriteResult full = WriteRecoveryCopy(files, JobFor(*second), kNeverCancelled);
    unsetenv("LUMIVISTA_TEST_DISK_FULL_AFTER");
    EXPECT_EQ(std::tuple(full.kind, full.failure.problem, FileBytes(files.copy)),
              std::tuple(RecoveryWriteResult::Kind::Failed, FileProblem::DiskFull, copyBefore));
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"doc-1.bmp", "doc-1.info", "doc-1.vlf"}));
    const auto read = ReadRecoveryCopy(EntryFor(files));
    ASSERT_TRUE(read);
    ExpectSameDocument(*read, *first);
}

// The user paints on every layer while the writing thread writes the copy; the copy holds
// the document as it was when the snapshot was taken.
TEST(RecoveryWriter, TheCopyIsTheSnapshotWhileTheUserGoesOnPainting)
{
    TempDir dir;
    auto session = RecoverySession::Start(dir.path() / "recovery");
    ASSERT_TRUE(session);
    auto document = ThreeLayerDocument(1200, 900);
    std::vector<HDIB> original;
    for (int i = 0; i < document->layerCount; ++i)
        original.push_back(CopyPicture(document->layers[std::size_t(i)].image));

    std::atomic<bool> finished{false};
    RecoveryWriteResult result;
    RecoveryWriter writer(*session, [&](const RecoveryWriteResult& r) {
        result = r;
        finished = true;
    });
    writer.write(JobFor(*document));
    int strokes = 0;
    while (!finished || strokes < 3) {
        // One stroke: every layer's rows, through the same writes the tools use.
        const auto value = std::uint8_t(strokes++ * 37 + 1);
        for (int i = 0; i < document->layerCount; ++i) {
            SharedPicture& image = document->layers[std::size_t(i)].image;
            for (int y = 0; y < image.height(); y += 7)
                std::fill_n(image.write().row(y), image.stride(), value);
        }
    }
    writer.waitIdle();
    ASSERT_EQ(result.kind, RecoveryWriteResult::Kind::Written);

    const auto read = ReadRecoveryCopy(EntryFor(session->files("doc-1")));
    ASSERT_TRUE(read);
    for (int i = 0; i < document->layerCount; ++i) {
        EXPECT_TRUE(SamePixels(read->layers[std::size_t(i)].image, original[std::size_t(i)])) << "layer " << i;
        EXPECT_FALSE(SamePixels(document->layers[std::size_t(i)].image, original[std::size_t(i)]));
    }
}

// The writing thread is held after a first copy while the others are handed over, so what
// waits in the queue is known; then a copy being written is removed, whenever it started.
TEST(RecoveryWriter, RemovingACopyWaitsForItsWriteAndTheNewerSnapshotIsTheOneKept)
{
    TempDir dir;
    auto session = RecoverySession::Start(dir.path() / "recovery");
    std::promise<void> held;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        RecoveryWriter writer(*session, [&](const RecoveryWriteResult& r) {
            if (r.stem == "doc-0" && r.kind == RecoveryWriteResult::Kind::Written) {
                held.set_value();
                released.wait();
            }
        });
        const auto big = ThreeLayerDocument(1500, 1000);
        const auto small = ThreeLayerDocument(30, 20);
        writer.write(JobFor(*small, "doc-0"));
        held.get_future().wait();
        writer.write(JobFor(*big, "doc-1"));
        writer.write(JobFor(*small, "doc-2", "/primeira.vlf"));
        writer.write(JobFor(*small, "doc-2", "/segunda.vlf"));
        writer.remove("doc-1");
        writer.remove("doc-0");
        release.set_value();
        writer.waitIdle();
        EXPECT_EQ(FilesIn(session->folder()), (std::set<std::string>{"doc-2.bmp", "doc-2.info", "doc-2.vlf", "lock"}));
        EXPECT_EQ(ReadRecoveryInfo(session->files("doc-2").info)->title, "/segunda.vlf");

        // Under way or still waiting, the copy is gone once its removal has run.
        writer.write(JobFor(*big, "doc-3"));
        writer.remove("doc-3");
        writer.waitIdle();
        EXPECT_EQ(FilesIn(session->folder()), (std::set<std::string>{"doc-2.bmp", "doc-2.info", "doc-2.vlf", "lock"}));
    }
}

class AutoSaverTest : public ::testing::Test {
protected:
    AutoSaverTest()
        : session_(RecoverySession::Start(dir_.path() / "recovery"))
        , writer_(std::make_unique<RecoveryWriter>(*session_))
        , saver_(*session_, *writer_)
    {
        saver_.setInterval(120);
    }

    std::optional<RecoveryInfo> info(const std::string& stem)
    {
        writer_->waitIdle();
        return ReadRecoveryInfo(session_->files(stem).info);
    }

    std::set<std::string> copies()
    {
        writer_->waitIdle();
        std::set<std::string> names = FilesIn(session_->folder());
        names.erase("lock");
        return names;
    }

    // One change through the undo table, as a tool makes it: a step, then new pixels.
    void paint(OpenDocument& document, int window, std::uint8_t value)
    {
        table_.record(document.doc(), window, 1001);
        std::fill_n(document.doc().layers[0].image.write().pixels(), 50, value);
        saver_.stepTaken(window);
    }

    TempDir dir_;
    UndoTable table_{64};
    std::unique_ptr<RecoverySession> session_;
    std::unique_ptr<RecoveryWriter> writer_;
    AutoSaver saver_;
};

TEST_F(AutoSaverTest, AChangeThenTheIntervalWritesOneCopyASaveRemovesItAndACleanExitEmptiesTheFolder)
{
    OpenDocument photo(table_, 1, 2);
    OpenDocument untouched(table_, 2, 1);
    const std::vector<AutoSaveDocument> open = {{1, &photo.doc(), "/fotos/praia.jpg"},
                                                {2, &untouched.doc(), "/fotos/campo.jpg"}};
    EXPECT_EQ(saver_.writeChanged(open, 100), 0) << "nothing changed yet";
    EXPECT_TRUE(copies().empty());

    paint(photo, 1, 9);
    EXPECT_EQ(saver_.writeChanged(open, 200), 1);
    EXPECT_EQ(copies(), (std::set<std::string>{"doc-1.bmp", "doc-1.info", "doc-1.vlf"}));
    EXPECT_EQ((std::tuple{saver_.writeChanged(open, 300), info("doc-1")->savedAt}), std::tuple(0, std::int64_t(200)))
        << "no change since the copy";

    paint(photo, 1, 10);
    EXPECT_EQ((std::tuple{saver_.writeChanged(open, 400), copies().size()}),
              std::tuple(1, 3u)) << "the same document keeps one copy";
    const auto read = ReadRecoveryCopy(EntryFor(session_->files("doc-1")));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->layers[0].image.pixels()[49], 10);

    photo.doc().modified = 0;  // saved
    saver_.saved(1);
    EXPECT_EQ((std::tuple{copies().size(), saver_.writeChanged(open, 500)}), std::tuple(0u, 0));

    paint(photo, 1, 11);
    paint(untouched, 2, 12);
    EXPECT_EQ((std::tuple{saver_.writeChanged(open, 600), copies().size()}), std::tuple(2, 6u));
    saver_.closed(2);
    EXPECT_EQ(copies(), (std::set<std::string>{"doc-1.bmp", "doc-1.info", "doc-1.vlf"}));

    writer_.reset();
    const fs::path folder = session_->folder();
    session_.reset();
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(FilesIn(dir_.path() / "recovery").empty());
}

TEST_F(AutoSaverTest, FiftyStepsAreDueAtOnceAndAnIntervalOfZeroWritesNothing)
{
    OpenDocument document(table_, 1, 1);
    const std::vector<AutoSaveDocument> open = {{1, &document.doc(), "TrueColor-Sem título-01"}};
    for (int step = 1; step < kAutoSaveStepCount; ++step) {
        table_.record(document.doc(), 1, 1001);
        EXPECT_FALSE(saver_.stepTaken(1)) << step;
    }
    EXPECT_EQ(saver_.writeDue(open, 1), 0);
    EXPECT_TRUE(saver_.stepTaken(1)) << "the 50th step";
    EXPECT_EQ((std::tuple{saver_.writeDue(open, 2), info("doc-1")->untitled}), std::tuple(1, true));
    EXPECT_FALSE(saver_.stepTaken(1)) << "counting starts again after the copy";

    saver_.setInterval(0);
    for (int step = 0; step < kAutoSaveStepCount; ++step)
        EXPECT_FALSE(saver_.stepTaken(1));
    EXPECT_EQ((std::tuple{saver_.writeDue(open, 3), saver_.writeChanged(open, 3), info("doc-1")->savedAt}),
              std::tuple(0, 0, std::int64_t(2)));
}

// The disk fills up during a copy and is freed again: with no further change the next
// interval writes the copy that failed, and a save in between leaves nothing to write.
TEST_F(AutoSaverTest, ACopyThatFailedIsWrittenAtTheNextIntervalWithoutAnotherChange)
{
    std::vector<RecoveryWriteResult> results;
    RecoveryWriter writer(*session_, [&](const RecoveryWriteResult& r) { results.push_back(r); });
    AutoSaver saver(*session_, writer);
    saver.setInterval(60);
    OpenDocument document(table_, 1, 2);
    const std::vector<AutoSaveDocument> open = {{1, &document.doc(), "/fotos/praia.jpg"}};
    table_.record(document.doc(), 1, 1001);
    saver.stepTaken(1);

    setenv("LUMIVISTA_TEST_DISK_FULL_AFTER", "3000", 1);
    EXPECT_EQ(saver.writeChanged(open, 100), 1);
    writer.waitIdle();
    unsetenv("LUMIVISTA_TEST_DISK_FULL_AFTER");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].kind, RecoveryWriteResult::Kind::Failed);
    saver.writeFailed(results[0].stem);
    EXPECT_TRUE(copies().empty());

    EXPECT_EQ(saver.writeChanged(open, 160), 1);
    writer.waitIdle();
    EXPECT_EQ((std::tuple{info("doc-1")->savedAt, saver.writeChanged(open, 220)}), std::tuple(std::int64_t(160), 0));

    saver.writeFailed("doc-1");  // a failure reported after the save that removed the copy
    document.doc().modified = 0;
    saver.saved(1);
    EXPECT_EQ(saver.writeChanged(open, 280), 0);
    writer.waitIdle();
    EXPECT_TRUE(copies().empty());
}

TEST_F(AutoSaverTest, ARecoveredDocumentKeepsItsAdoptedCopyUntilItChanges)
{
    OpenDocument document(table_, 7, 1);
    document.doc().modified = 1;
    const std::vector<AutoSaveDocument> open = {{7, &document.doc(), "/x.vlf"}};
    saver_.adopt(7, session_->newStem());
    EXPECT_EQ((std::tuple{saver_.copyOf(7), saver_.writeChanged(open, 1)}), std::tuple(std::string("doc-1"), 0));
    // A modified document with no copy gets one even without a step (a change made without undo).
    OpenDocument other(table_, 8, 1);
    other.doc().modified = 1;
    const std::vector<AutoSaveDocument> both = {open[0], {8, &other.doc(), "/y.vlf"}};
    EXPECT_EQ((std::tuple{saver_.writeChanged(both, 2), saver_.copyOf(8)}), std::tuple(1, std::string("doc-2")));
    paint(document, 7, 3);
    EXPECT_EQ((std::tuple{saver_.writeChanged(both, 3), info("doc-1")->savedAt}), std::tuple(1, std::int64_t(3)));
}

TEST(AutoSaveSettings, TheIntervalKeyDefaultsToTwoMinutesAndStaysWithinADay)
{
    MemoryStore store;
    Settings settings(store);
    EXPECT_EQ(AutoSaveSeconds(settings), 120);
    for (const auto& [written, read] : std::vector<std::pair<std::string, int>>{
             {"0", 0}, {"-5", 0}, {"45", 45}, {"86400", 86400}, {"86401", 86400}, {"", 120}, {"abc", 0}}) {
        store.values["USER/AutoSaveSeconds"] = written;
        EXPECT_EQ(AutoSaveSeconds(settings), read) << written;
    }
    for (const auto& [seconds, written] : std::vector<std::pair<int, std::string>>{{30, "30"}, {-1, "0"}}) {
        EXPECT_TRUE(SetAutoSaveSeconds(settings, seconds));
        EXPECT_EQ(store.values["USER/AutoSaveSeconds"], written);
    }
}

// The guard against copies beyond the format's 32-bit offsets must never guess low.
TEST(AutoSaveSettings, TheEstimatedCopySizeIsNeverBelowTheCopyWritten)
{
    TempDir dir;
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{1, 1}, {333, 97}, {640, 480}}) {
        auto document = ThreeLayerDocument(width, height);
        // A mask that run-length encoding can't shorten.
        HDIB noisy = MakeGreyPicture(document->layers[1].mask.width(), document->layers[1].mask.height());
        for (int y = 0; y < noisy.height(); ++y)
            for (std::size_t i = 0; i < noisy.stride(); ++i)
                noisy.row(y)[i] = std::uint8_t((i + std::size_t(y) * 13) * 7919 % 251);
        document->layers[1].mask = std::move(noisy);
        const RecoveryFiles files = RecoveryFilesFor(dir.path(), "doc-1");
        ASSERT_EQ(WriteRecoveryCopy(files, JobFor(*document), kNeverCancelled).kind, RecoveryWriteResult::Kind::Written);
        const std::uint64_t written = fs::file_size(files.copy);
        EXPECT_GE(EstimatedRecoveryCopyBytes(*document), written) << width << "x" << height;
        EXPECT_LT(EstimatedRecoveryCopyBytes(*document), written * 2 + 40000) << width << "x" << height;
    }
}

}  // namespace
}  // namespace lv::testing
