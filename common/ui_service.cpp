#include "common/ui_service.h"

#include <cstdio>

namespace lv::ui {
namespace {

ConsoleService& consoleService()
{
    static ConsoleService service;
    return service;
}

Service* installed = nullptr;
thread_local Service* installedForThread = nullptr;

}  // namespace

void ConsoleService::showMessage(std::string_view text, std::string_view title, Icon)
{
    std::fprintf(stderr, "%.*s: %.*s\n", int(title.size()), title.data(), int(text.size()), text.data());
}

Answer ConsoleService::ask(std::string_view text, std::string_view title, Buttons buttons, Icon icon)
{
    showMessage(text, title, icon);
    return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
}

Service& Current()
{
    if (installedForThread)
        return *installedForThread;
    return installed ? *installed : consoleService();
}

void ReportProgress(std::string_view caption, int percent)
{
    Current().reportProgress(caption, percent);
}

bool EscapeHeld()
{
    return Current().escapeHeld();
}

ScopedService::ScopedService(Service& service)
    : previous_(installed)
{
    installed = &service;
}

ScopedService::~ScopedService()
{
    installed = previous_;
}

ScopedThreadService::ScopedThreadService(Service& service)
    : previous_(installedForThread)
{
    installedForThread = &service;
}

ScopedThreadService::~ScopedThreadService()
{
    installedForThread = previous_;
}

}  // namespace lv::ui
