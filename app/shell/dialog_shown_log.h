#pragma once
// With LUMIVISTA_TEST_DIALOGS=manual the tests answer every dialog with the pointer and keys
// as a user would: this tells the test log when one appears ("dialog shown <title>"), so a
// journey knows when to act. Test builds only.

#include "app/shell/test_hooks.h"

#include <QObject>

namespace lv::app {

class DialogShownLog final : public QObject {
public:
    explicit DialogShownLog(const TestHooks& hooks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TestHooks& hooks_;
};

}  // namespace lv::app
