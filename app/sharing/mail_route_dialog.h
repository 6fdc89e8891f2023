#pragma once
// Dialog 169 "Configuração do servidor de e-mail": the mail client (1663) or the other mail
// (1664), the check box 1000 that stops the question, OK (1661) and Cancelar (1662).

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace lv::app {

struct MailRouteAnswer {
    bool confirmed = false;       // OK; false for Cancelar or closing the dialog
    bool clientChosen = true;     // 1663 rather than 1664
    bool doNotShowAgain = false;  // check box 1000
};

class MailRouteDialog final : public QDialog {
public:
    explicit MailRouteDialog(QWidget* parent);
    MailRouteAnswer answer() const;

private:
    QRadioButton* client_;
    QCheckBox* doNotShowAgain_;
};

// Modal to `parent`; starts with the mail client chosen.
MailRouteAnswer RunMailRouteDialog(QWidget* parent);

}  // namespace lv::app
