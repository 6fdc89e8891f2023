#include "acquire/source_manager/qt_source_platform.h"

#include "acquire/source_manager/qt_event_pump.h"

#include <QApplication>

namespace lv::twain {
namespace {

bool HaveDesktop()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

SourcePlatform QtSourcePlatform()
{
    static QtEventPump pump;
    SourcePlatform platform;
    platform.pump = &pump;
    platform.showSourceDialog = [](SourceDialogHost& host, TW_HANDLE) -> std::unique_ptr<SourceDialog> {
        return HaveDesktop() ? ShowSourceDialog(host) : nullptr;
    };
    platform.selectSource = [](const std::vector<TW_IDENTITY>& sources, std::size_t defaultIndex,
                               TW_HANDLE) -> std::optional<std::size_t> {
        return HaveDesktop() ? ShowSelectSourceDialog(sources, defaultIndex) : std::nullopt;
    };
    return platform;
}

}  // namespace lv::twain
