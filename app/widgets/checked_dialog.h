#pragma once
// A dialog whose OK first asks a check, and stays open (the check having said why) when
// the check refuses.

#include <QDialog>

#include <functional>
#include <utility>

namespace lv::app {

class CheckedDialog final : public QDialog {
public:
    explicit CheckedDialog(QWidget* parent)
        : QDialog(parent)
    {
    }
    void setCheck(std::function<bool()> check) { check_ = std::move(check); }
    void accept() override
    {
        if (!check_ || check_())
            QDialog::accept();
    }

private:
    std::function<bool()> check_;
};

}  // namespace lv::app
