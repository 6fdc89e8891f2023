#include "app/acquire/acquisition.h"

#include "app/core/documents/document_io.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_store.h"
#include "app/core/documents/untitled_names.h"
#include "app/acquire/scan_source_dialog.h"
#include "app/skin/handlers.h"
#include "app/editing/document_windows.h"
#include "app/shell/main_window.h"
#include "common/ui_service.h"
#include "edit/layers.h"
#include "imagelib/dib_convert.h"

#include <algorithm>

namespace lv::app {

Acquisition::Acquisition(DocumentWindows& documents, const TestHooks& hooks)
    : documents_(documents)
    , hooks_(hooks)
{
}

Acquisition::~Acquisition() = default;

void Acquisition::attach(MainWindow& mainWindow, EventFilterChain& filters)
{
    mainWindow_ = &mainWindow;
    ProfileStore store(ConfigFilePath());
    const Settings settings(store);
    const twain::TransferSettings transfer{settings.get(setting::kMemoryScan), settings.get(setting::kMultiScan)};
    library_ = std::make_unique<twain::SourceManagerFile>(ProgramFile(twain::kSourceManagerFile));
    session_ = std::make_unique<twain::TwainSession>(*library_, *this, transfer, &mainWindow);

    using skin::Handler;
    mainWindow.handlers().set(Handler::AcquireScan, [this](const HandlerCall&) { scanFromPage(); });
    mainWindow.handlers().set(Handler::SelectScanSource, [this](const HandlerCall&) { chooseSourceOnPage(); });
    mainWindow.setCommandHandler(kScanCommand, [this] { scanCommand(); });
    filters.setFilter(EventFilterChain::Stage::Acquisition, this);
}

void Acquisition::detach(EventFilterChain& filters)
{
    filters.setFilter(EventFilterChain::Stage::Acquisition, nullptr);
    session_.reset();
}

bool Acquisition::filterEvent(QObject*, QEvent* event)
{
    // The loop offers events to the source only while the manager is open.
    if (!session_ || !session_->managerOpen())
        return false;
    return session_->filterMessage(event);
}

void Acquisition::scanFromPage()
{
    // The album page's "Digitalizar" is the scan command: the user picks the source there.
    if (mainWindow_ && mainWindow_->screen() == kAlbumScreen) {
        scanCommand();
        return;
    }
    if (!chosenSource_) {
        // With nothing chosen yet, the list's default source stands for the choice.
        const twain::SourceList list = session_->listSources();
        const auto it = std::find(list.names.begin(), list.names.end(), list.defaultName);
        if (it != list.names.end())
            chosenSource_ = int(it - list.names.begin());
    }
    if (!chosenSource_) {
        ui::Beep("no source chosen");
        return;
    }
    if (session_->pickSource(*chosenSource_))
        session_->acquire("");
}

void Acquisition::chooseSourceOnPage()
{
    const twain::SourceList list = session_->listSources();
    if (const auto chosen = RunScanSourceDialog(mainWindow_, list, chosenSource_))
        chosenSource_ = *chosen;
}

void Acquisition::scanCommand()
{
    if (!session_->openSourceManager())
        return;
    const bool chosen = session_->selectSource();
    session_->closeSourceManager();
    if (chosen)
        session_->acquire("");
}

void Acquisition::setMainWindowEnabled(bool enabled)
{
    if (mainWindow_)
        mainWindow_->setEnabled(enabled);
}

void Acquisition::bringToFront()
{
    if (mainWindow_ && !mainWindow_->isActiveWindow()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

void Acquisition::setOpenAlbum(std::function<bool()> albumOpen, twain::AlbumStep step)
{
    albumOpen_ = std::move(albumOpen);
    albumStep_ = std::move(step);
}

void Acquisition::receivePicture(HDIB picture)
{
    if (!picture || !mainWindow_)
        return;  // nothing arrived
    const int screen = mainWindow_->screen();
    LV_TEST_LOG(hooks_,
                QStringLiteral("acquired %1 %2 %3").arg(picture.width()).arg(picture.height()).arg(picture.bitCount()));
    if (screen == kAcquisitionScreen || screen == kVideoCaptureScreen)
        openPictureWindow(std::move(picture), kNewPictureBaseString);
    else if (screen == kAlbumScreen)
        storeInAlbum(std::move(picture));
    // On other pages the picture is not used.
}

bool Acquisition::openPictureWindow(HDIB picture, int baseString)
{
    HDIB wide = picture.bitCount() == 24 ? std::move(picture) : DibPromoteTo24(picture);
    auto stack = wide ? CreateLayerStackFromImage(std::move(wide)) : nullptr;
    if (!stack)
        return false;
    RebuildComposite(*stack);
    return documents_.openDocumentWindow(std::move(stack), ProcessUntitledNames().next(baseString));
}

bool Acquisition::storeInAlbum(HDIB picture)
{
    ProfileStore store(ConfigFilePath());
    Settings settings(store);
    const twain::AlbumStep step = albumOpen() ? albumStep_ : twain::AlbumStep();
    const auto path = twain::StoreAcquiredPhoto(std::move(picture), settings, WritableProgramDir(kPhotosFolder),
                                                twain::Today(), step);
    if (path)
        LV_TEST_LOG(hooks_, QStringLiteral("photo %1").arg(QString::fromStdString(*path)));
    return path.has_value();
}

}  // namespace lv::app
