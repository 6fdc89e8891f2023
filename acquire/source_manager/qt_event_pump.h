#pragma once
// Posts an event of its own type to the application, so the application's loop passes it
// through the message filter, where the source that posted it recognises it.

#include "acquire/source_manager/source_platform.h"

#include <QObject>

#include <memory>

namespace lv::twain {

class QtEventPump final : public EventPump {
public:
    QtEventPump();
    ~QtEventPump() override;
    void wake() override;
    bool isWake(const void* event) const override;

private:
    int type_;
    std::unique_ptr<QObject> receiver_;
};

}  // namespace lv::twain
