#include "acquire/video/capture_dialog_steps.h"

#include "common/string_table.h"
#include "common/ui_service.h"

namespace lv::video {

CaptureDialogSteps::CaptureDialogSteps(VideoCapture& capture, DriverDialogs& dialogs)
    : capture_(capture)
    , dialogs_(dialogs)
{
}

std::vector<std::string> CaptureDialogSteps::open()
{
    if (!capture_.listDrivers()) {
        ui::Current().showMessage(LoadString(kNoDriverString), ui::kWarningTitle, ui::Icon::Exclamation);
        return {};
    }
    if (capture_.selected() >= 0 && !capture_.connected() && !capture_.connect(capture_.selected()))
        showCannotOpen(capture_.selected());
    else if (capture_.selected() >= 0)
        capture_.start();
    return capture_.drivers();
}

void CaptureDialogSteps::showCannotOpen(int index) const
{
    const std::string name = index >= 0 && index < int(capture_.drivers().size()) ? capture_.drivers()[std::size_t(index)] : "";
    const std::string text = std::string(LoadString(kCannotOpenString)) + " \"" + name + "\"";
    ui::Current().showMessage(text, LoadString(kCannotOpenCaption), ui::Icon::Exclamation);
}

bool CaptureDialogSteps::chooseDriver(int index)
{
    if (index == capture_.connectedIndex())
        return true;
    const int previous = capture_.selected();
    capture_.disconnect();
    if (!capture_.connect(index)) {
        showCannotOpen(index);
        capture_.select(previous);
        if (previous >= 0)
            capture_.connect(previous);
        return false;
    }
    capture_.select(index);
    return true;
}

bool CaptureDialogSteps::connectSelected()
{
    if (capture_.connected())
        return true;
    if (capture_.connect(capture_.selected()))
        return true;
    showCannotOpen(capture_.selected());
    return false;
}

bool CaptureDialogSteps::source()
{
    return connectSelected() && capture_.sourceDialog(dialogs_);
}

bool CaptureDialogSteps::format()
{
    return connectSelected() && capture_.formatDialog(dialogs_);
}

HDIB CaptureDialogSteps::capture()
{
    if (capture_.selected() < 0)
        return nullptr;  // no driver: capturing does nothing
    if (!capture_.start())
        return nullptr;
    HDIB frame = capture_.grab();
    if (!frame)
        ui::Current().showMessage(LoadString(kCannotConnectString), ui::kWarningTitle, ui::Icon::Exclamation);
    return frame;
}

int CaptureDialogSteps::done()
{
    if (capture_.selected() != capture_.connectedIndex()) {
        capture_.disconnect();
        if (!capture_.connect(capture_.selected())) {
            capture_.close();
            return kDialogDriverFailed;
        }
    }
    return kDialogDone;
}

void CaptureDialogSteps::cancel()
{
    capture_.disconnect();
    capture_.stop();
    capture_.close();
}

}  // namespace lv::video
