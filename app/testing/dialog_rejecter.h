#pragma once
// Under the test driver's "reject dialogs": every dialog that opens is logged ("dialog TITLE")
// and closed as Escape would close it, so a test can press buttons that ask something without
// answering each question (test builds only).

#include <QObject>

namespace lv::app {

class TestHooks;

class DialogRejecter final : public QObject {
public:
    explicit DialogRejecter(const TestHooks& hooks);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TestHooks& hooks_;
};

}  // namespace lv::app
