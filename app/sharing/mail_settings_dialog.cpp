#include "app/sharing/mail_settings_dialog.h"

#include "app/widgets/dialog_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

QLineEdit* NamedEdit(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A path field with its "Procurar..." button.
QWidget* PathRow(QWidget* parent, QLineEdit* edit, const QString& title)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    auto* browse = new QPushButton(QStringLiteral("Procurar..."), row);
    QObject::connect(browse, &QPushButton::clicked, row, [edit, title, row] {
        const QString chosen = QFileDialog::getOpenFileName(row, title, edit->text());
        if (!chosen.isEmpty())
            edit->setText(chosen);
    });
    layout->addWidget(browse);
    return row;
}

}  // namespace

MailSettingsDialog::MailSettingsDialog(QWidget* parent, const MailSettingsForm& form)
    : QDialog(parent)
    , initial_(form)
{
    setObjectName(QStringLiteral("mailsettings"));
    setWindowTitle(QStringLiteral("Servidor de e-mail"));

    auto* clientBox = new QGroupBox(QStringLiteral("Programa de e-mail da área de trabalho"), this);
    auto* clientForm = new QFormLayout(clientBox);
    client_ = NamedEdit(clientBox, "client", form.mailClient);
    clientForm->addRow(QStringLiteral("Programa:"), PathRow(clientBox, client_, QStringLiteral("Programa de e-mail")));
    askAgain_ = new QCheckBox(QStringLiteral("Perguntar de novo qual e-mail usar"), clientBox);
    askAgain_->setObjectName(QStringLiteral("askagain"));
    clientForm->addRow(askAgain_);

    auto* smtpBox = new QGroupBox(QStringLiteral("Envio direto (SMTP)"), this);
    auto* smtpForm = new QFormLayout(smtpBox);
    smtpForm->addRow(new QLabel(QStringLiteral("Sem servidor, a mensagem abre no programa de e-mail da área de "
                                               "trabalho para ser completada e enviada."),
                                smtpBox));
    host_ = NamedEdit(smtpBox, "host", form.smtpHost);
    smtpForm->addRow(QStringLiteral("Servidor:"), host_);
    port_ = new QSpinBox(smtpBox);
    port_->setObjectName(QStringLiteral("port"));
    port_->setRange(0, 65535);
    port_->setSpecialValueText(QStringLiteral("padrão"));
    port_->setValue(form.smtpPort);
    smtpForm->addRow(QStringLiteral("Porta:"), port_);
    security_ = new QComboBox(smtpBox);
    security_->setObjectName(QStringLiteral("security"));
    security_->addItems({QStringLiteral("Nenhuma"), QStringLiteral("STARTTLS"), QStringLiteral("TLS")});
    security_->setCurrentIndex(std::clamp(form.smtpSecurity, 0, 2));
    smtpForm->addRow(QStringLiteral("Segurança:"), security_);
    user_ = NamedEdit(smtpBox, "user", form.smtpUser);
    smtpForm->addRow(QStringLiteral("Usuário:"), user_);
    password_ = NamedEdit(smtpBox, "password", form.smtpPassword);
    password_->setEchoMode(QLineEdit::Password);
    smtpForm->addRow(QStringLiteral("Senha:"), password_);
    remember_ = new QCheckBox(QStringLiteral("Guardar a senha no chaveiro do sistema"), smtpBox);
    remember_->setObjectName(QStringLiteral("remember"));
    remember_->setChecked(form.keyringAvailable && form.rememberPassword);
    remember_->setEnabled(form.keyringAvailable);
    if (!form.keyringAvailable)
        remember_->setToolTip(QStringLiteral("Sem chaveiro (secret-tool), a senha vale só até o programa fechar."));
    smtpForm->addRow(remember_);
    from_ = NamedEdit(smtpBox, "from", form.smtpFrom);
    smtpForm->addRow(QStringLiteral("Remetente:"), from_);
    certificate_ = NamedEdit(smtpBox, "certificate", form.smtpCertificate);
    smtpForm->addRow(QStringLiteral("Certificado:"),
                     PathRow(smtpBox, certificate_, QStringLiteral("Certificado do servidor")));

    smaller_ = new QComboBox(this);
    smaller_->setObjectName(QStringLiteral("smaller"));
    smaller_->addItem(QStringLiteral("O arquivo da imagem, como está"), 0);
    smaller_->addItem(QStringLiteral("Uma cópia menor em JPEG (1024 pixels)"), 1024);
    smaller_->addItem(QStringLiteral("Uma cópia menor em JPEG (1600 pixels)"), 1600);
    smaller_->setCurrentIndex(std::max(0, smaller_->findData(form.smallerCopy)));

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(clientBox);
    layout->addWidget(smtpBox);
    auto* smallerRow = new QFormLayout;
    smallerRow->addRow(QStringLiteral("Enviar:"), smaller_);
    layout->addLayout(smallerRow);
    layout->addWidget(buttons);
}

MailSettingsForm MailSettingsDialog::form() const
{
    MailSettingsForm f = initial_;
    f.mailClient = client_->text().trimmed();
    f.smtpHost = host_->text().trimmed();
    f.smtpPort = port_->value();
    f.smtpSecurity = security_->currentIndex();
    f.smtpUser = user_->text().trimmed();
    f.smtpPassword = password_->text();
    f.smtpFrom = from_->text().trimmed();
    f.smtpCertificate = certificate_->text().trimmed();
    f.smallerCopy = smaller_->currentData().toInt();
    f.rememberPassword = remember_->isChecked();
    f.askRouteAgain = askAgain_->isChecked();
    return f;
}

}  // namespace lv::app
