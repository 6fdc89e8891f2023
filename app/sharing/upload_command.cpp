#include "app/sharing/upload_command.h"

#include "app/shell/test_hooks.h"
#include "app/widgets/qt_text.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "common/ui_service.h"
#include "sharing/sharing_settings.h"
#include "sharing/store/gallery_files.h"
#include "sharing/store/store_protocol.h"

#include <QTemporaryDir>

#include <atomic>
#include <filesystem>

namespace lv::sharing {
namespace {

// What the library's progress calls need to say which photo of how many is going.
struct PhotoProgress {
    ProgressReport* report = nullptr;
    std::atomic<std::size_t> index = 0;
    std::size_t total = 1;
    std::vector<QString> names;
};

void ReportPhotoProgress(void* context, const store::LibraryProgress* p)
{
    auto& progress = *static_cast<PhotoProgress*>(context);
    const std::size_t index = progress.index;
    const int photoPercent = p->bytesTotal > 0 ? int(p->bytesDone * 100 / p->bytesTotal) : 100;
    const int percent = int((index * 100 + std::size_t(photoPercent)) / std::max<std::size_t>(progress.total, 1));
    const QString name = index < progress.names.size() ? progress.names[index] : QString();
    progress.report->set(percent, QStringLiteral("Foto %1 de %2: %3 — %4%")
                                      .arg(index + 1)
                                      .arg(progress.total)
                                      .arg(name)
                                      .arg(photoPercent));
}

// One bar for the whole gallery: making it is the first fifth, sending the rest; the
// detail names the file going.
struct GalleryProgress {
    ProgressReport* report = nullptr;
    std::vector<std::string> files;
};

void ReportGalleryProgress(void* context, const store::LibraryProgress* p)
{
    auto& progress = *static_cast<GalleryProgress*>(context);
    const int sent = p->bytesTotal > 0 ? int(p->bytesDone * 100 / p->bytesTotal) : 100;
    const std::size_t index = std::size_t(std::max(0, p->filesDone));
    const QString name = index < progress.files.size() ? app::QtText(progress.files[index]) : QString();
    progress.report->set(20 + sent * 80 / 100, QStringLiteral("Arquivo %1 de %2: %3 — %4%")
                                                   .arg(std::min<std::size_t>(index + 1, std::size_t(p->filesTotal)))
                                                   .arg(p->filesTotal)
                                                   .arg(name)
                                                   .arg(sent));
}

// Runs `send` with the progress calls hooked up and taken down again.
template <class Send>
void WithProgress(const UploadCalls& calls, PhotoProgress& progress, ProgressReport& report, Send send)
{
    progress.report = &report;
    if (calls.store.setProgress)
        calls.store.setProgress(ReportPhotoProgress, &progress);
    send();
    if (calls.store.setProgress)
        calls.store.setProgress(nullptr, nullptr);
}

std::vector<QString> FileNames(const std::vector<std::string>& paths)
{
    std::vector<QString> names;
    for (const std::string& path : paths)
        names.push_back(app::QtText(std::filesystem::path(path).filename().string()));
    return names;
}

// The cancel button's work: stop the store call the job runs (the job lives until both end).
template <typename Job>
std::function<void()> CancelOf(const std::shared_ptr<Job>& job)
{
    return [job] {
        if (job->calls.store.cancel)
            job->calls.store.cancel();
    };
}

}  // namespace

UploadCommand::UploadCommand(QWidget& window, QLibrary* library, const app::TestHooks& hooks)
    : window_(window)
    , library_(library)
    , hooks_(hooks)
{
}

UploadCommand::~UploadCommand()
{
    stop();
}

void UploadCommand::stop()
{
    if (work_)
        work_->stop();
}

std::optional<UploadCalls> UploadCommand::prepare(const StoreCredentials& credentials)
{
    if (busy()) {
        ui::Beep("upload under way");
        return std::nullopt;
    }
    std::optional<UploadCalls> calls = PrepareUpload(credentials, &library_);
    if (calls && calls->store.setService) {
        const SharingSettings settings = ReadSharingSettings(ConfigFilePath());
        calls->store.setService(settings.storeServer.c_str(), settings.storeCertificate.c_str());
    }
    return calls;
}

void UploadCommand::upload(const StoreCredentials& credentials, std::vector<std::string> paths)
{
    const std::optional<UploadCalls> calls = prepare(credentials);
    if (!calls)
        return;
    struct Job {
        UploadCalls calls;
        StoreCredentials credentials;
        std::vector<std::string> paths;
        PhotoProgress progress;
        UploadRun run;
    };
    auto job = std::make_shared<Job>();
    job->calls = *calls;
    job->credentials = credentials;
    job->progress.total = paths.size();
    job->progress.names = FileNames(paths);
    job->paths = std::move(paths);
    work_ = std::make_unique<BackgroundWork>(
        &window_, QStringLiteral("Enviando fotos à loja de fotos..."),
        [job](ProgressReport& report) {
            WithProgress(job->calls, job->progress, report, [&job] {
                job->run = RunUpload(job->calls, job->credentials, job->paths,
                                     [&job](std::size_t i) { job->progress.index = i; });
            });
        },
        CancelOf(job),
        [this, job] {
            const UploadRun& run = job->run;
            LV_TEST_LOG(hooks_, QStringLiteral("upload login=%1 sent=%2 of %3")
                                    .arg(run.loginCode)
                                    .arg(run.sent())
                                    .arg(job->paths.size()));
            if (run.loginCode != 0) {
                ShowStoreMessage(job->calls.store, run.loginCode);
                return;
            }
            const bool allWent = run.sent() == int(job->paths.size());
            ui::Current().showMessage(UploadSummary(job->calls.store, run), ui::kProductTitle,
                                      allWent ? ui::Icon::Information : ui::Icon::Exclamation);
        });
}

void UploadCommand::order(const StoreCredentials& credentials, const std::string& path, const PrintLine& print)
{
    const std::optional<UploadCalls> calls = prepare(credentials);
    if (!calls)
        return;
    struct Job {
        UploadCalls calls;
        StoreCredentials credentials;
        std::string path;
        PrintLine print;
        PhotoProgress progress;
        OrderRun run;
    };
    auto job = std::make_shared<Job>();
    job->calls = *calls;
    job->credentials = credentials;
    job->path = path;
    job->print = print;
    job->progress.names = FileNames({path});
    work_ = std::make_unique<BackgroundWork>(
        &window_, QStringLiteral("Enviando o pedido de cópias..."),
        [job](ProgressReport& report) {
            WithProgress(job->calls, job->progress, report,
                         [&job] { job->run = RunOrder(job->calls, job->credentials, job->path, job->print); });
        },
        CancelOf(job),
        [this, job] {
            const OrderRun& run = job->run;
            LV_TEST_LOG(hooks_, QStringLiteral("order login=%1 photo=%2 order=%3 number=%4")
                                    .arg(run.loginCode)
                                    .arg(run.photo.code)
                                    .arg(run.orderCode)
                                    .arg(app::QtText(run.number)));
            if (run.loginCode != 0) {
                ShowStoreMessage(job->calls.store, run.loginCode);
                return;
            }
            const std::string name = std::filesystem::path(job->path).filename().string();
            const int failure = run.photo.code ? run.photo.code : run.orderCode;
            if (failure != 0) {
                ui::Current().showMessage("O pedido de cópias de " + name + " não foi feito: " +
                                              StoreFailure(job->calls.store, failure),
                                          ui::kWarningTitle, ui::Icon::Exclamation);
                return;
            }
            const PaperSize* paper = FindPaper(job->print.paper);
            ui::Current().showMessage("Pedido de cópias enviado à loja de fotos.\nNúmero do pedido: " + run.number +
                                          "\n" + std::to_string(job->print.copies) + " × " +
                                          std::string(paper ? paper->label : job->print.paper) + " de " + name,
                                      ui::kProductTitle, ui::Icon::Information);
        });
}

void UploadCommand::publish(const StoreCredentials& credentials, const std::string& title, MakeGallery make,
                            std::function<void(const StoreCalls& calls, const GalleryRun& run)> done)
{
    const std::optional<UploadCalls> calls = prepare(credentials);
    if (!calls)
        return;
    struct Job {
        UploadCalls calls;
        StoreCredentials credentials;
        std::string title;
        MakeGallery make;
        QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/lumivista-gallery-XXXXXX")};
        std::atomic<bool> cancelled = false;
        GalleryProgress progress;
        GalleryRun run;
        bool made = false;
        std::string failure;
    };
    auto job = std::make_shared<Job>();
    job->calls = *calls;
    job->credentials = credentials;
    job->title = title;
    job->make = std::move(make);
    if (!job->folder.isValid()) {
        ui::Current().showMessage("Não foi possível criar uma pasta temporária para o álbum na Web (" +
                                      job->folder.errorString().toStdString() + ").",
                                  ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    work_ = std::make_unique<BackgroundWork>(
        &window_, QStringLiteral("Publicando o álbum na Web no serviço de fotos..."),
        [job](ProgressReport& report) {
            const std::filesystem::path folder = job->folder.path().toStdString();
            job->failure = job->make(folder, report, [&job] { return job->cancelled.load(); });
            job->made = job->failure.empty() && !job->cancelled;
            if (!job->made)
                return;
            for (const store::GalleryFile& file : store::ListGallery(folder).files)
                job->progress.files.push_back(file.path);
            job->progress.report = &report;
            if (job->calls.store.setProgress)
                job->calls.store.setProgress(ReportGalleryProgress, &job->progress);
            job->run = RunPublish(job->calls, job->credentials, folder, job->title);
            if (job->calls.store.setProgress)
                job->calls.store.setProgress(nullptr, nullptr);
        },
        [job] {
            job->cancelled = true;
            if (job->calls.store.cancel)
                job->calls.store.cancel();
        },
        [this, job, done = std::move(done)] {
            LV_TEST_LOG(hooks_, QStringLiteral("webalbum service login=%1 code=%2 made=%3")
                                    .arg(job->run.loginCode)
                                    .arg(job->run.code)
                                    .arg(job->made));
            if (job->made)
                done(job->calls.store, job->run);
            else if (job->cancelled)
                ui::Current().showMessage("A publicação do álbum na Web foi cancelada.", ui::kProductTitle,
                                          ui::Icon::Information);
            else
                ui::Current().showMessage(job->failure, ui::kWarningTitle, ui::Icon::Exclamation);
        });
}

}  // namespace lv::sharing
