#include "app/acquire/video_capture_page.h"

#include "app/core/documents/untitled_names.h"
#include "app/acquire/video_capture_dialog.h"
#include "app/acquire/acquisition.h"
#include "app/skin/handlers.h"
#include "app/acquire/video_preview.h"
#include "app/shell/main_window.h"

namespace lv::app {

VideoCapturePage::VideoCapturePage(Acquisition& acquisition, const TestHooks& hooks)
    : acquisition_(acquisition)
    , hooks_(hooks)
    , capture_(catalogue_)
    , steps_(capture_, dialogs_)
{
}

VideoCapturePage::~VideoCapturePage()
{
    closePreview();
}

void VideoCapturePage::attach(MainWindow& mainWindow)
{
    mainWindow_ = &mainWindow;
    dialogs_.setParent(&mainWindow);
    using skin::Handler;
    mainWindow.handlers().set(Handler::OpenVideoCapture, [this](const HandlerCall&) { openDialog(); });
    mainWindow.handlers().set(Handler::VideoFormat, [this](const HandlerCall&) { format(); });
    mainWindow.handlers().set(Handler::VideoSource, [this](const HandlerCall&) { source(); });
    mainWindow.handlers().set(Handler::GrabVideoFrame, [this](const HandlerCall&) { grab(); });
    mainWindow.switchFeatures().closeCapturePreview = [this] { closePreview(); };
}

bool VideoCapturePage::ready()
{
    if (!capture_.windowExists() || !capture_.connected())
        steps_.open();
    return capture_.connected();
}

void VideoCapturePage::openDialog()
{
    VideoCaptureActions actions;
    actions.captured = [this](HDIB frame, bool toAlbum) { deliver(std::move(frame), toAlbum); };
    actions.live = [this] { startLive(); };
    actions.cancelled = [this] { closePreview(); };
    actions.albumOpen = acquisition_.albumOpen();
    catalogue_.refresh();
    actions.camerasFound = catalogue_.hasDevices();
    VideoCaptureDialog dialog(mainWindow_, capture_, dialogs_, std::move(actions));
    const int outcome = dialog.exec();
    LV_TEST_LOG(hooks_, QStringLiteral("video dialog %1").arg(outcome));
    if (outcome == video::kDialogDriverFailed)
        closePreview();
}

void VideoCapturePage::format()
{
    if (ready())
        steps_.format();
}

void VideoCapturePage::source()
{
    if (ready())
        steps_.source();
}

void VideoCapturePage::grab(bool toAlbum)
{
    if (!ready())
        return;
    if (HDIB frame = steps_.capture())
        deliver(std::move(frame), toAlbum);
}

void VideoCapturePage::deliver(HDIB frame, bool toAlbum)
{
    LV_TEST_LOG(hooks_,
                QStringLiteral("grabbed %1 %2 %3").arg(frame.width()).arg(frame.height()).arg(frame.bitCount()));
    if (toAlbum)
        acquisition_.storeInAlbum(std::move(frame));
    else
        acquisition_.openPictureWindow(std::move(frame), kNewPictureBaseString);
}

void VideoCapturePage::startLive()
{
    if (!mainWindow_ || !ready() || !capture_.start())
        return;
    const auto area = mainWindow_->controlRect(kWorkspaceControl);
    if (!area)
        return;
    if (!preview_)  // the main window owns it
        preview_ = new VideoPreview(mainWindow_, [this] { return capture_.grab(std::chrono::milliseconds(0)); });
    preview_->setGeometry(*area);
    preview_->show();
    preview_->raise();
    LV_TEST_LOG(hooks_, QStringLiteral("live"));
}

void VideoCapturePage::closePreview()
{
    if (preview_) {
        preview_->hide();
        preview_->deleteLater();
        preview_ = nullptr;
    }
    capture_.close();
}

}  // namespace lv::app
