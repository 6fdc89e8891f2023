#include "app/sharing/mail_route_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lv::app {

MailRouteDialog::MailRouteDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("169"));
    setWindowTitle(QStringLiteral("Configuração do servidor de e-mail"));
    setModal(true);
    client_ = new QRadioButton(QStringLiteral("E-mail da AOL"), this);
    client_->setObjectName(QStringLiteral("1663"));
    auto* other = new QRadioButton(QStringLiteral("Outro e-mail compatível com MAPI"), this);
    other->setObjectName(QStringLiteral("1664"));
    client_->setChecked(true);
    doNotShowAgain_ = new QCheckBox(QStringLiteral("Não apresente esta tela de configuração novamente"), this);
    doNotShowAgain_->setObjectName(QStringLiteral("1000"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1661"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("1662"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(client_);
    layout->addWidget(other);
    layout->addSpacing(8);
    layout->addWidget(doNotShowAgain_);
    layout->addLayout(buttons);
}

MailRouteAnswer MailRouteDialog::answer() const
{
    return {result() == QDialog::Accepted, client_->isChecked(), doNotShowAgain_->isChecked()};
}

MailRouteAnswer RunMailRouteDialog(QWidget* parent)
{
    MailRouteDialog dialog(parent);
    dialog.exec();
    return dialog.answer();
}

}  // namespace lv::app
