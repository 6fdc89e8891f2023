#include "sharing/mail/client_automation.h"

#include "sharing/mail/client_windows.h"
#include "sharing/mail/path_typing.h"
#include "sharing/mail/window_search.h"

#include <chrono>
#include <thread>

namespace lv::sharing {
namespace {

// Ticks to wait before clicking, for the client to take its breath.
constexpr int kTicksBeforeToolbarClick = 6;
constexpr int kTicksBeforeClosingAttachments = 6;
constexpr std::array<int, 6> kStartLimits = {0, 8, 8, 5, 0, 5};

class SteadyClock final : public Clock {
public:
    std::int64_t milliseconds() override
    {
        using namespace std::chrono;
        return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleep(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

}  // namespace

Clock& SystemClock()
{
    static SteadyClock clock;
    return clock;
}

MailClientAutomation::MailClientAutomation(WindowSystem& windows, AutomationTimer& timer, Clock& clock)
    : windows_(windows)
    , timer_(timer)
    , clock_(clock)
{
}

void MailClientAutomation::start(const std::string& path, int clientVersion)
{
    running_ = true;
    firstTick_ = true;
    stage_ = 0;
    counts_ = {};
    limits_ = kStartLimits;
    main_ = writeMail_ = attachments_ = attach_ = toolbarIcon_ = writeMailButton_ = 0;
    version_ = clientVersion;
    path_ = path.substr(0, kMaxPathBytes);
    timer_.start(kAutomationTimer, kAutomationMilliseconds);
}

void MailClientAutomation::tick(int timerId)
{
    if (timerId != kAutomationTimer || !running_)
        return;
    if (firstTick_) {
        firstLook();
    } else if (clock_.milliseconds() - lookTime_ > kShowHiddenClientAfterMs && main_ && !windows_.visible(main_)) {
        windows_.show(main_, ShowCommand::ShowNormal);
    }
    switch (stage_) {
    case 0: stageToolbar(); break;
    case 1: stageWriteMail(); break;
    case 2: stageAttachments(); break;
    case 3: stageAttach(); break;
    case 4: stageCloseAttachments(); break;
    case 5: stageWaitForClose(); break;
    default: break;
    }
}

// A message being written already: straight to its attachments.
void MailClientAutomation::firstLook()
{
    firstTick_ = false;
    if (const WindowHandle main = FindTopLevel(windows_, client::kMainClass, client::kMainTitle)) {
        main_ = main;
        if (const WindowHandle writeMail = FindChildByTitle(windows_, main, client::kWriteMailTitle)) {
            writeMail_ = writeMail;
            stage_ = 1;
        }
    }
    lookTime_ = clock_.milliseconds();
}

void MailClientAutomation::stageToolbar()
{
    if (!main_)
        main_ = FindTopLevel(windows_, client::kMainClass, client::kMainTitle);
    if (!main_)
        return;
    if (!toolbarIcon_) {
        const int index = version_ == 4 || version_ == 5 ? 1 : 0;
        toolbarIcon_ = FindChildOfClass(windows_, main_, client::kIconClass, client::kToolbarClass, index);
        return;
    }
    if (++counts_[0] < kTicksBeforeToolbarClick)
        return;
    windows_.click(toolbarIcon_, client::kToolbarClickValue);
    stage_ = 1;
}

void MailClientAutomation::stageWriteMail()
{
    if (!lookFor(writeMail_, [this] { return FindChildByTitle(windows_, main_, client::kWriteMailTitle); }))
        return;
    if (!writeMailButton_) {
        writeMailButton_ = FindInCorner(windows_, writeMail_, client::kIconClass, Corner::BottomLeft,
                                        Size{client::kWriteMailButtonWidth, client::kWriteMailButtonHeight});
        return;
    }
    windows_.click(writeMailButton_, client::kButtonClickValue);
    stage_ = 2;
}

void MailClientAutomation::stageAttachments()
{
    if (!lookFor(attachments_, [this] { return FindTopLevel(windows_, std::nullopt, client::kAttachmentsTitle); }))
        return;
    if (const WindowHandle button = FindInCorner(windows_, attachments_, client::kIconClass, Corner::TopLeft)) {
        windows_.click(button, client::kButtonClickValue);
        stage_ = 3;
    }
}

void MailClientAutomation::stageAttach()
{
    if (!lookFor(attach_, [this] { return FindTopLevel(windows_, std::nullopt, client::kAttachTitle); }))
        return;
    if (const WindowHandle edit = FindChildOfClass(windows_, attach_, client::kEditClass, "", 0)) {
        typePath(edit);
        windows_.sendCommand(attach_, client::kOkCommand, 0);
        stage_ = 4;
    }
}

void MailClientAutomation::stageCloseAttachments()
{
    const WindowHandle button = FindInCorner(windows_, attachments_, client::kIconClass, Corner::BottomLeft);
    if (!button || ++counts_[4] < kTicksBeforeClosingAttachments)
        return;
    windows_.click(button, client::kButtonClickValue);
    stage_ = 5;
}

// The "Attachments" window closes once the client took the file; while it stays the
// closing click is repeated, each time after one tick more.
void MailClientAutomation::stageWaitForClose()
{
    const WindowHandle stillOpen = FindTopLevel(windows_, std::nullopt, client::kAttachmentsTitle);
    if (++counts_[5] < limits_[5])
        return;
    if (stillOpen) {
        stage_ = 4;
        counts_[4] = 0;
        counts_[5] = 0;
        ++limits_[5];
        return;
    }
    if (main_ && !windows_.visible(main_))
        windows_.show(main_, ShowCommand::ShowNormal);
    windows_.show(writeMail_, ShowCommand::Show);
    timer_.kill(kAutomationTimer);
    running_ = false;
}

bool MailClientAutomation::lookFor(WindowHandle& window, const std::function<WindowHandle()>& look)
{
    if (window)
        return true;
    const auto s = std::size_t(stage_);
    ++counts_[s];
    window = look();
    if (window)
        return true;
    // Not there by the stage's limit: back to the click before, which is repeated.
    if (counts_[s] > limits_[s]) {
        limits_[s] += 2;
        counts_[s] = 0;
        --stage_;
    }
    return false;
}

void MailClientAutomation::typePath(WindowHandle edit)
{
    for (const TypedCharacter& c : CharactersForPath(path_)) {
        if (c.doubleByte)
            windows_.sendImeChar(edit, c.code);
        else
            windows_.sendChar(edit, c.code);
    }
}

}  // namespace lv::sharing
