#include "app/recovery/recovery_service.h"

#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_store.h"
#include "app/core/undo/undo_table.h"
#include "app/core/documents/untitled_names.h"
#include "app/recovery/preferences_dialog.h"
#include "app/widgets/dib_image.h"
#include "app/widgets/qt_text.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "common/string_table.h"
#include "common/ui_service.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QPushButton>

#include <chrono>
#include <filesystem>
#include <utility>

namespace lv::app {
namespace {

constexpr int kDamagedDetail = 36206;
constexpr int kCopiedAt = 36205;
constexpr int kNoRoomLeft = 36208;
constexpr int kNoFolder = 36216;
constexpr int kCopyNotWritten = 36217;
constexpr int kSideBySideWindows = 2;

std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

void warn(const std::string& text)
{
    ui::Current().showMessage(text, ui::kWarningTitle, ui::Icon::Exclamation);
}

RecoveryListItem itemFor(const RecoveryEntry& entry, RecoveryNotices& notices)
{
    RecoveryListItem item;
    const std::string name = entry.name();
    const bool untitled = entry.info ? entry.info->untitled : true;
    item.name = QtText(untitled ? name : std::filesystem::path(name).filename().string());
    item.damaged = entry.damaged;
    if (entry.damaged) {
        item.detail = StringText(kDamagedDetail);
    } else {
        const QString when = QDateTime::fromSecsSinceEpoch(entry.info->savedAt).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        item.detail = StringText(kCopiedAt).replace(QStringLiteral("%s"), when);
        if (!untitled)
            item.detail += QStringLiteral(" — ") + QtText(std::filesystem::path(name).parent_path().string());
    }
    item.thumbnail = DibToImage(ReadRecoveryThumbnail(entry, &notices));
    return item;
}

QString choiceName(RecoveryChoice choice)
{
    switch (choice) {
    case RecoveryChoice::Recover: return QStringLiteral("recover");
    case RecoveryChoice::Discard: return QStringLiteral("discard");
    case RecoveryChoice::Later: break;
    }
    return QStringLiteral("later");
}

}  // namespace

RecoveryService::RecoveryService(DocumentWindows& documents, const TestHooks& hooks)
    : documents_(documents)
    , hooks_(hooks)
{
    connect(&timer_, &QTimer::timeout, this, [this] { writeChanged(); });
    heldRetry_.setSingleShot(true);
    heldRetry_.setInterval(std::chrono::milliseconds(150));
    connect(&heldRetry_, &QTimer::timeout, this, [this] { writeWaiting(); });
}

RecoveryService::~RecoveryService()
{
    ProcessUndoTable().setStepListener({});
    documents_.setDocumentEvents({});
    // The writer stops first (declared last); then the folder of this run goes with the session.
}

void RecoveryService::attach(MainWindow& window)
{
    mainWindow_ = &window;
    window.setCommandHandler(kCommandPreferences, [this] { showPreferences(); });
    FileFailure failure;
    const std::filesystem::path folder = RecoveryFolderBeside(ConfigFilePath());
    session_ = RecoverySession::Start(folder, &failure);
    if (!session_) {
        LV_TEST_LOG(hooks_, QStringLiteral("autosave unavailable"));
        warn(std::string(LoadString(kNoFolder)) + "\n" + FileProblemMessage(failure, folder.string()));
    } else {
        writer_ = std::make_unique<RecoveryWriter>(*session_, [this](const RecoveryWriteResult& result) {
            QMetaObject::invokeMethod(this, [this, result] { written(result); }, Qt::QueuedConnection);
        });
        saver_ = std::make_unique<AutoSaver>(*session_, *writer_);
        ProfileStore store(ConfigFilePath());
        applyInterval(AutoSaveSeconds(Settings(store)));
        ProcessUndoTable().setStepListener([this](int id) { stepTaken(id); });
        documents_.setDocumentEvents({[this](int id) { saver_->saved(id); }, [this](int id) { saver_->closed(id); }});
    }
    // After the command-line files, with the main window up behind the question.
    QTimer::singleShot(0, this, [this] { offerRecovery(); });
}

std::vector<AutoSaveDocument> RecoveryService::openDocuments() const
{
    std::vector<AutoSaveDocument> open;
    for (ImageWindow* window : documents_.openWindows())
        open.push_back({window->id(), &window->document(), window->title()});
    return open;
}

void RecoveryService::applyInterval(int seconds)
{
    if (!saver_)
        return;
    saver_->setInterval(seconds);
    if (saver_->enabled())
        timer_.start(std::chrono::seconds(saver_->interval()));
    else
        timer_.stop();
    LV_TEST_LOG(hooks_, QStringLiteral("autosave interval %1").arg(saver_->interval()));
}

bool RecoveryService::pointerHeld() const
{
    return QGuiApplication::mouseButtons() != Qt::NoButton;
}

void RecoveryService::writeWaiting()
{
    const bool changed = std::exchange(changedWaiting_, false);
    const bool due = std::exchange(dueWaiting_, false);
    if (changed)
        writeChanged();
    if (due)
        writeDue();
}

void RecoveryService::writeChanged()
{
    if (!saver_)
        return;
    if (pointerHeld()) {
        changedWaiting_ = true;
        heldRetry_.start();
        return;
    }
    saver_->writeChanged(openDocuments(), now());
}

void RecoveryService::writeDue()
{
    if (!saver_)
        return;
    if (pointerHeld()) {
        dueWaiting_ = true;
        heldRetry_.start();
        return;
    }
    saver_->writeDue(openDocuments(), now());
}

// The 50th step is told before its change is made: the copy is taken once the event that
// made it has been handled.
void RecoveryService::stepTaken(int window)
{
    if (!saver_ || !saver_->stepTaken(window) || dueScheduled_)
        return;
    dueScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        dueScheduled_ = false;
        writeDue();
    });
}

void RecoveryService::written(const RecoveryWriteResult& result)
{
    using Kind = RecoveryWriteResult::Kind;
    const QString stem = QtText(result.stem);
    switch (result.kind) {
    case Kind::Written:
        LV_TEST_LOG(hooks_, QStringLiteral("autosave written %1 %2").arg(stem, QtText(result.title)));
        break;
    case Kind::Removed:
        LV_TEST_LOG(hooks_, QStringLiteral("autosave removed %1").arg(stem));
        break;
    case Kind::Cancelled:
        LV_TEST_LOG(hooks_, QStringLiteral("autosave cancelled %1").arg(stem));
        break;
    case Kind::Failed:
        LV_TEST_LOG(hooks_, QStringLiteral("autosave failed %1").arg(stem));
        if (saver_)
            saver_->writeFailed(result.stem);
        // Once a run: the user learns the copies are not being made, without a box every interval.
        if (!std::exchange(failureShown_, true))
            warn(std::string(LoadString(kCopyNotWritten)) + "\n" + FileProblemMessage(result.failure, result.title));
        break;
    }
}

void RecoveryService::offerRecovery()
{
    const std::filesystem::path folder =
        session_ ? session_->recoveryFolder() : RecoveryFolderBeside(ConfigFilePath());
    AbandonedRecovery found = AbandonedRecovery::Find(folder);
    if (found.empty())
        return;
    const auto damaged = std::count_if(found.entries().begin(), found.entries().end(),
                                       [](const RecoveryEntry& e) { return e.damaged; });
    LV_TEST_LOG(hooks_, QStringLiteral("recovery offered %1 damaged=%2").arg(found.entries().size()).arg(damaged));
    RecoveryNotices notices;
    const RecoveryChoice choice = ask(found, notices);
    LV_TEST_LOG(hooks_, QStringLiteral("recovery chose ") + choiceName(choice));
    switch (choice) {
    case RecoveryChoice::Recover: recover(found, notices); break;
    case RecoveryChoice::Discard: found.discardAll(); break;
    case RecoveryChoice::Later: break;  // the copies stay for the next start
    }
    // One box for however many copies had something to say.
    if (!notices.empty())
        warn(notices.summary());
}

RecoveryChoice RecoveryService::ask(const AbandonedRecovery& found, RecoveryNotices& notices)
{
    std::vector<RecoveryListItem> items;
    for (const RecoveryEntry& entry : found.entries())
        items.push_back(itemFor(entry, notices));
    RecoveryDialog dialog(mainWindow_, items);
#ifdef LV_TEST_DRIVER
    for (const RecoveryListItem& item : items)
        LV_TEST_LOG(hooks_, QStringLiteral("recovery entry %1 %2").arg(item.name, item.damaged ? "damaged" : "whole"));
    if (hooks_.answersDialogs()) {
        // Answered at once like the message boxes: recovering, unless the test asks otherwise.
        RecoveryChoice choice = RecoveryChoice::Recover;
        for (const RecoveryChoice c : {RecoveryChoice::Discard, RecoveryChoice::Later})
            if (hooks_.recoveryAnswer() == choiceName(c))
                choice = c;
        QTimer::singleShot(0, &dialog, [&dialog, choice] { dialog.button(choice)->click(); });
    }
#endif
    dialog.exec();
    return dialog.choice();
}

void RecoveryService::recover(AbandonedRecovery& found, RecoveryNotices& notices)
{
    int room = kSideBySideWindows - documents_.count();
    bool leftForLater = false;
    const std::vector<RecoveryEntry> entries = found.entries();
    for (const RecoveryEntry& entry : entries) {
        if (entry.damaged) {
            found.discard(entry);
            continue;
        }
        if (room <= 0) {
            leftForLater = true;
            continue;
        }
        std::unique_ptr<LayerStack> stack;
        {
            ui::BusyCursor busy;
            stack = ReadRecoveryCopy(entry);
        }
        if (!stack) {
            notices.unreadableCopy(entry.name());
            found.discard(entry);
            continue;
        }
        ProcessUntitledNames().passOver(entry.info->title);
        if (!documents_.openDocumentWindow(std::move(stack), entry.info->title)) {
            leftForLater = true;
            continue;
        }
        --room;
        LV_TEST_LOG(hooks_, QStringLiteral("recovery recovered ") + QtText(entry.info->title));
        ImageWindow* window = documents_.active();
        if (saver_ && window)
            if (const auto stem = session_->adopt(entry.files()))
                saver_->adopt(window->id(), *stem);
        found.discard(entry);  // what was not moved in
    }
    if (leftForLater)
        warn(std::string(LoadString(kNoRoomLeft)));
}

void RecoveryService::showPreferences()
{
    ProfileStore store(ConfigFilePath());
    Settings settings(store);
    PreferencesDialog dialog(mainWindow_, AutoSaveSeconds(settings));
    LV_TEST_LOG(hooks_, QStringLiteral("preferences %1").arg(dialog.autoSaveSeconds()));
    if (hooks_.answersDialogs())
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetAutoSaveSeconds(settings, dialog.autoSaveSeconds());
    applyInterval(dialog.autoSaveSeconds());
}

}  // namespace lv::app
