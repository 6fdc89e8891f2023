#pragma once
// What the source manager needs from the desktop it runs in: the sources' own dialogs, the
// source selection dialog, and a way to make the application's event loop come round so
// that a source's notification reaches it through the message filter. Without a desktop
// (the command line, tests) every part may be missing: dialogs then can't be shown and
// notifications wait for the next event the application passes (a null event polls).

#include "acquire/source_manager/sane_device.h"
#include "acquire/twain_protocol.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lv::twain {

// What a source's dialog asks of its source.
class SourceDialogHost {
public:
    virtual ~SourceDialogHost() = default;
    virtual SaneDevice& device() = 0;
    virtual const TW_IDENTITY& identity() const = 0;
    // "Digitalizar": the settings are on the device; the application may transfer.
    virtual void scanRequested() = 0;
    // "Cancelar" or the dialog closed: the application should close the source.
    virtual void closeRequested() = 0;
};

class SourceDialog {
public:
    virtual ~SourceDialog() = default;
    // While the source is busy transferring the dialog takes no input.
    virtual void setBusy(bool busy) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Makes the application's loop pass an event the source will recognise.
    virtual void wake() = 0;
    virtual bool isWake(const void* event) const = 0;
};

struct SourcePlatform {
    // Shows the source's dialog (modeless); null when there is no desktop.
    std::function<std::unique_ptr<SourceDialog>(SourceDialogHost& host, TW_HANDLE parent)> showSourceDialog;
    // The user's choice among the sources (index), nothing when cancelled; unset: no desktop.
    std::function<std::optional<std::size_t>(const std::vector<TW_IDENTITY>& sources, std::size_t defaultIndex,
                                             TW_HANDLE parent)>
        selectSource;
    EventPump* pump = nullptr;
};

}  // namespace lv::twain
