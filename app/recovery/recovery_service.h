#pragma once
// The recovery copies in the running program: this copy's locked folder, the interval timer,
// the undo steps that make a copy due, the saves and closes that remove one, the offer at
// start-up of what a copy that did not end cleanly left behind, and "Preferências".

#include "app/core/recovery/recovery_autosave.h"
#include "app/core/recovery/recovery_listing.h"
#include "app/core/recovery/recovery_session.h"
#include "app/core/recovery/recovery_writer.h"
#include "app/recovery/recovery_dialog.h"
#include "app/shell/test_hooks.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

namespace lv::app {

class DocumentWindows;
class MainWindow;

class RecoveryService final : public QObject {
public:
    RecoveryService(DocumentWindows& documents, const TestHooks& hooks);
    ~RecoveryService() override;

    // Once the main window exists: the folder, the interval of the configuration, the
    // preferences command, and (when the start-up is done) the offer of copies left behind.
    void attach(MainWindow& window);

    void offerRecovery();
    void showPreferences();

#ifdef LV_TEST_DRIVER
    // Test commands: "paint X Y W H RRGGBB [STEPS]" fills a rectangle (document coordinates)
    // of the active document's current layer after recording an undo step (or STEPS of
    // them), as a brush does.
    bool handleTestCommand(const QString& command);
#endif

private:
    std::vector<AutoSaveDocument> openDocuments() const;
    void applyInterval(int seconds);
    void writeChanged();
    void writeDue();
    // A copy taken while a mouse button is held would catch a stroke half drawn and count the
    // whole stroke as copied: such copies wait for the release.
    bool pointerHeld() const;
    void writeWaiting();
    void stepTaken(int window);
    void written(const RecoveryWriteResult& result);
    RecoveryChoice ask(const AbandonedRecovery& found, RecoveryNotices& notices);
    void recover(AbandonedRecovery& found, RecoveryNotices& notices);
#ifdef LV_TEST_DRIVER
    bool paint(const QStringList& words);
#endif

    DocumentWindows& documents_;
    const TestHooks& hooks_;
    QPointer<MainWindow> mainWindow_;
    QTimer timer_;
    bool dueScheduled_ = false;
    QTimer heldRetry_;
    bool changedWaiting_ = false;
    bool dueWaiting_ = false;
    bool failureShown_ = false;
    std::unique_ptr<RecoverySession> session_;
    std::unique_ptr<AutoSaver> saver_;
    std::unique_ptr<RecoveryWriter> writer_;  // declared last: stopped before the rest goes
};

}  // namespace lv::app
