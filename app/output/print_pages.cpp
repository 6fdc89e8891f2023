#include "app/output/print_pages.h"

#include "app/core/shell_state.h"
#include "app/output/contact_sheet_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "app/output/printer_setup.h"
#include "app/output/single_picture_dialog.h"
#include "app/shell/handler_table.h"
#include "app/skin/handlers.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "common/beep.h"
#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "imagelib/dib_alloc.h"
#include "output/print/print_calibration_store.h"
#include "output/qt_print/qt_printer.h"

#include <filesystem>

namespace lv::app {
namespace {

// The picture of the active image window as it is shown: its composite.
std::shared_ptr<const HDIB> activePicture(DocumentWindows& documents)
{
    ImageWindow* window = documents.active();
    if (!window)
        return nullptr;
    HDIB copy = DibDuplicate(window->document().composite);
    return copy ? std::make_shared<const HDIB>(std::move(copy)) : nullptr;
}

}  // namespace

PrintPages::PrintPages(const TestHooks& hooks, const OpenAlbum& openAlbum)
    : hooks_(hooks)
    , openAlbum_(openAlbum)
{
}

void PrintPages::attach(MainWindow& mainWindow, DocumentWindows& documents)
{
    mainWindow_ = &mainWindow;
    documents_ = &documents;
    print::SetPrintCalibrationEnabled(Shell().config.printCalFlag != 0);
#ifdef LV_TEST_DRIVER
    if (hooks_.answersDialogs())
        AnswerPreviewsAtOnce([this](const QString& line) { hooks_.log(line); });
#endif
    using skin::Handler;
    HandlerTable& handlers = mainWindow.handlers();
    handlers.set(Handler::PrintSingleImage, [this](const HandlerCall&) { printSingleImage(); });
    handlers.set(Handler::PrintLayoutPage, [this](const HandlerCall&) { openLayoutPage(lastPhotoKind_); });
    handlers.set(Handler::PrintLabels, [this](const HandlerCall&) { openLayoutPage(print::kLabelLayout); });
    handlers.set(Handler::PrintContactSheet, [this](const HandlerCall&) { printContactSheet(); });
    handlers.set(Handler::PrinterSetup, [this](const HandlerCall&) { setUpPrinter(); });
}

void PrintPages::printSingleImage()
{
    ImageWindow* window = documents_ ? documents_->active() : nullptr;
    if (!window) {
        ui::Beep("no picture open");
        return;
    }
    const HDIB& picture = window->document().composite;
    SinglePictureDialog dialog(mainWindow_, picture, std::filesystem::path(window->title()).filename().string(),
                               window->pictureFacts().iccProfile);
    if (hooks_.answersDialogs()) {
        const bool printed = dialog.printWithPreview();
        LV_TEST_LOG(hooks_, QStringLiteral("print single %1").arg(printed ? "printed" : "not printed"));
        return;
    }
    const bool printed = dialog.exec() == QDialog::Accepted;
    LV_TEST_LOG(hooks_, QStringLiteral("print single %1").arg(printed ? "printed" : "not printed"));
}

void PrintPages::openLayoutPage(int kind)
{
    if (kind != print::kLabelLayout)
        lastPhotoKind_ = kind;
    LayoutPageSources sources;
    sources.album = photoSource_;
    sources.albumFile = openAlbum_.file();
    if (documents_ && documents_->active()) {
        sources.openPicture = [this] { return activePicture(*documents_); };
        sources.openPictureTitle = documents_->active()->title();
    }
    LayoutPageDialog dialog(mainWindow_, layout_, kind, std::move(sources));
    if (hooks_.answersDialogs()) {
        // The open picture in every slot, then the page printed: a job the tests can read back.
        if (auto picture = activePicture(*documents_))
            layout_.fillAll(picture, "open");
        dialog.pageChanged();
        const bool printed = dialog.printWithPreview();
        LV_TEST_LOG(hooks_, QStringLiteral("print layout %1 slots %2 %3")
                                .arg(kind)
                                .arg(layout_.slotList().size())
                                .arg(printed ? "printed" : "not printed"));
        return;
    }
    dialog.exec();
    if (layout_.kind() != print::kLabelLayout)
        lastPhotoKind_ = layout_.kind();
}

void PrintPages::printContactSheet()
{
    ContactSheetDialog dialog(mainWindow_, openAlbum_.file());
    if (dialog.photos().empty()) {
        ui::Beep("empty album");
        LV_TEST_LOG(hooks_, QStringLiteral("print sheet empty"));
        return;
    }
    LV_TEST_LOG(hooks_, QStringLiteral("print sheet photos %1").arg(dialog.photos().size()));
    if (hooks_.answersDialogs()) {
        dialog.setSettings({1, 1, true});
        const bool printed = dialog.printWithPreview();
        LV_TEST_LOG(hooks_, QStringLiteral("print sheet %1").arg(printed ? "printed" : "not printed"));
        return;
    }
    const bool printed = dialog.exec() == QDialog::Accepted;
    LV_TEST_LOG(hooks_, QStringLiteral("print sheet %1").arg(printed ? "printed" : "not printed"));
}

void PrintPages::setUpPrinter()
{
    SetUpPrinter(mainWindow_);
}

}  // namespace lv::app
