#include "app/sharing/download_command.h"

#include "album/catalogue.h"
#include "album/photo_loader.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "app/shell/test_hooks.h"
#include "app/widgets/qt_text.h"
#include "app/editing/document_windows.h"
#include "common/ui_service.h"
#include "app/core/documents/document_io.h"
#include "edit/layers.h"
#include "sharing/sharing_settings.h"
#include "sharing/store/download_album.h"
#include "sharing/store/read_ahead.h"

#include <QTimer>

#include <atomic>

namespace lv::sharing {
namespace {

constexpr int kDownloadingCaptionString = 7312;
constexpr int kOpeningCaptionString = 7313;
constexpr int kReadAheadPollMs = 5;

std::unique_ptr<LayerStack> ReadPhotoDocument(const std::string& path, const DocumentReaders& readers)
{
    ReadResult read = album::LoadPhotoForAlbum(path, readers);
    std::unique_ptr<LayerStack> stack = read.ok() ? CreateLayerStackFromImage(read.take()) : nullptr;
    if (stack)
        RebuildComposite(*stack);
    return stack;
}

}  // namespace

// Each photo: loaded as the album loads photos, opened in a new window, added to the current
// album of the user's albums. The next photo is read beside the window meanwhile.
class WindowsAndAlbum final : public DownloadedPhotos {
public:
    explicit WindowsAndAlbum(app::DocumentWindows& documents)
        : documents_(documents)
        , store_(ConfigFilePath(), ProgramFile(album::kSystemCatalogueFile))
        , catalogue_(store_, ProgramDir(), WritableProgramDir(album::kUserAlbumsFolder))
        , session_{open_, catalogue_, album::AlbumPhotoReaders(), {}}
        , readAhead_([readers = session_.readers](const std::string& path) { return ReadPhotoDocument(path, readers); })
    {
    }
    bool open(const std::string& path) override
    {
        std::unique_ptr<LayerStack> stack =
            path == earlyPath_ && early_ ? std::move(early_) : ReadPhotoDocument(path, session_.readers);
        earlyPath_.clear();
        return stack && documents_.openDocumentWindow(std::move(stack), path);
    }
    void addToAlbum(const std::string& path) override { AddDownloadToAlbum(session_, path); }

    // Collects what was read ahead for `path` (opened next) and starts reading `next` (empty:
    // none). Layered documents and Photoshop files are read only on the window's thread.
    void moveOn(const std::string& path, const std::string& next)
    {
        std::optional<std::unique_ptr<LayerStack>> early = readAhead_.take(path);
        early_ = early ? std::move(*early) : nullptr;
        earlyPath_ = path;
        if (!next.empty() && album::SafeOnWorkerThreads(next))
            readAhead_.start(next);
    }
    bool readAheadDone() const { return readAhead_.ready(); }

private:
    app::DocumentWindows& documents_;
    // No album is open in the program yet: the current album of the user's albums is read,
    // added to and written for each photo.
    album::ProfileCatalogueStore store_;
    album::AlbumCatalogue catalogue_;
    album::Album open_;
    album::AlbumSession session_;
    ReadAhead<std::unique_ptr<LayerStack>> readAhead_;
    std::string earlyPath_;
    std::unique_ptr<LayerStack> early_;
};

namespace {

struct Transfer {
    StoreCalls calls;
    StoreCredentials credentials;
    std::filesystem::path folder;
    TransferResult result;
};

void ReportLibraryProgress(void* context, const store::LibraryProgress* p)
{
    const int percent = p->bytesTotal > 0 ? int(p->bytesDone * 100 / p->bytesTotal) : 0;
    static_cast<ProgressReport*>(context)->set(
        percent, app::TransferDetail(p->filesDone, p->filesTotal, p->bytesDone, p->bytesTotal));
}

}  // namespace

DownloadCommand::DownloadCommand(QWidget& window, app::DocumentWindows& documents, QLibrary* library,
                                 const app::TestHooks& hooks)
    : window_(window)
    , documents_(documents)
    , library_(library)
    , hooks_(hooks)
{
}

DownloadCommand::~DownloadCommand()
{
    stop();
}

bool DownloadCommand::busy() const
{
    return (transfer_ && transfer_->busy()) || !waiting_.empty();
}

void DownloadCommand::stop()
{
    if (transfer_)
        transfer_->stop();
    waiting_.clear();
    opening_.reset();
}

void DownloadCommand::download(const StoreCredentials& credentials, bool albumSwitchOn)
{
    if (busy()) {
        ui::Beep("download under way");
        return;
    }
    const std::optional<StoreCalls> calls = PrepareDownload(credentials, &library_);
    if (!calls)
        return;
    const SharingSettings settings = ReadSharingSettings(ConfigFilePath());
    if (calls->setService)
        calls->setService(settings.storeServer.c_str(), settings.storeCertificate.c_str());
    albumSwitchOn_ = albumSwitchOn;
    auto transfer = std::make_shared<Transfer>(Transfer{*calls, credentials, WritableProgramDir(kPhotosFolder), {}});
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    transfer_ = std::make_unique<BackgroundWork>(
        &window_, app::StringText(kDownloadingCaptionString),
        [transfer, cancelled](ProgressReport& report) {
            if (transfer->calls.setProgress)
                transfer->calls.setProgress(ReportLibraryProgress, &report);
            if (!*cancelled)
                transfer->result = RunTransfer(transfer->calls, transfer->credentials, transfer->folder);
            if (transfer->calls.setProgress)
                transfer->calls.setProgress(nullptr, nullptr);
        },
        [transfer, cancelled] {
            *cancelled = true;
            if (transfer->calls.cancel)
                transfer->calls.cancel();
        },
        [this, transfer] {
            folder_ = transfer->folder;
            transferEnded(transfer->calls, transfer->result);
        });
}

void DownloadCommand::transferEnded(const StoreCalls& calls, const TransferResult& result)
{
    LV_TEST_LOG(hooks_, QStringLiteral("download login=%1 count=%2").arg(result.loginCode).arg(result.count));
    if (result.loginCode != 0) {
        ShowStoreMessage(calls, result.loginCode);
        return;
    }
    // A transfer that failed before any photo came says why, as a refused login does; so
    // does a later round that failed.
    if (result.count < 0)
        ShowStoreMessage(calls, -result.count);
    if (result.laterFailure != 0)
        ShowStoreMessage(calls, result.laterFailure);
    closingNotes_ = DownloadNotes(result.report, folder_);
    if (result.names.empty()) {
        showClosingNotes();
        return;
    }
    waiting_.assign(result.names.begin(), result.names.end());
    delivered_ = 0;
    photos_ = std::make_unique<WindowsAndAlbum>(documents_);
    photos_->moveOn("", (folder_ / waiting_.front()).string());
    opening_ = std::make_unique<app::TransferProgressDialog>(&window_, app::StringText(kOpeningCaptionString),
                                                             [this] { waiting_.clear(); });
    QTimer::singleShot(0, this, [this] { deliverNext(); });
}

void DownloadCommand::showClosingNotes()
{
    if (closingNotes_.empty())
        return;
    LV_TEST_LOG(hooks_, QStringLiteral("download notes: %1").arg(app::QtText(closingNotes_)));
    ui::Current().showMessage(std::exchange(closingNotes_, {}), ui::kProductTitle, ui::Icon::Information);
}

// One photo per turn of the event loop: the window repaints and answers in between, and
// while the photo read ahead is not ready the loop only looks again a little later.
void DownloadCommand::deliverNext()
{
    if (waiting_.empty()) {
        opening_.reset();
        photos_.reset();
        LV_TEST_LOG(hooks_, QStringLiteral("delivered %1").arg(delivered_));
        showClosingNotes();
        return;
    }
    if (!photos_->readAheadDone()) {
        QTimer::singleShot(kReadAheadPollMs, this, [this] { deliverNext(); });
        return;
    }
    const std::string name = waiting_.front();
    waiting_.pop_front();
    photos_->moveOn((folder_ / name).string(), waiting_.empty() ? "" : (folder_ / waiting_.front()).string());
    DeliverPhoto(folder_, name, *photos_, albumSwitchOn_);
    ++delivered_;
    if (opening_) {
        const std::size_t total = delivered_ + waiting_.size();
        opening_->report(int(delivered_ * 100 / std::max<std::size_t>(total, 1)),
                         QStringLiteral("%1 de %2 fotos").arg(delivered_).arg(total));
    }
    QTimer::singleShot(0, this, [this] { deliverNext(); });
}

}  // namespace lv::sharing
