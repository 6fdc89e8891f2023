#include "sharing/mail/client_route.h"

#include "common/ui_service.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace lv::sharing {
namespace {

// A second start while the client may still be coming up from the first.
constexpr int kRestartPauseMs = 2000;

bool OpensForReading(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

}  // namespace

int ClientMajorVersion(std::string_view clientFolder)
{
    if (clientFolder.size() < 3)
        return 5;
    const char c = clientFolder[clientFolder.size() - 3];
    return c >= '0' && c <= '9' ? c - '0' : 5;
}

MailClientRoute::MailClientRoute(WindowSystem& windows, AutomationTimer& timer, Clock& clock,
                                 RouteSettings& settings, RouteDialog dialog)
    : windows_(windows)
    , clock_(clock)
    , settings_(settings)
    , dialog_(std::move(dialog))
    , automation_(windows, timer, clock)
{
}

ClientRouteResult MailClientRoute::run(const std::string& path)
{
    const std::optional<std::string> executable = settings_.clientExecutable();
    if (!executable || executable->empty())
        return ClientRouteResult::NotHandled;
    const int version = ClientMajorVersion(std::filesystem::path(*executable).parent_path().string());
    if (!OpensForReading(*executable))
        return ClientRouteResult::ClientMissing;

    if (!settings_.dialogSuppressed()) {
        useClient_ = proceed_ = true;
        const RouteDialogAnswer answer = dialog_();
        if (answer.confirmed)
            useClient_ = answer.clientChosen;
        else
            proceed_ = false;
        settings_.setDialogSuppressed(answer.doNotShowAgain);
    }
    if (!useClient_)
        return ClientRouteResult::NotHandled;
    if (!proceed_)
        return ClientRouteResult::Cancelled;

    if (startedBefore_) {
        ui::BusyCursor busy;
        clock_.sleep(kRestartPauseMs);
    }
    startedBefore_ = true;

    if (windows_.startProgram(*executable, ShowCommand::Hide) < kProgramStarted)
        return ClientRouteResult::Handled;
    automation_.start(path, version);
    return ClientRouteResult::Handled;
}

}  // namespace lv::sharing
