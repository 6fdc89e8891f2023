#pragma once
// "Servidor de e-mail": how pictures go out. The desktop mail client to drive, the SMTP
// account (its password goes to the key ring, or stays in memory for this run), the
// smaller copy, and whether to ask again between the client and the other mail.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace lv::app {

struct MailSettingsForm {
    QString mailClient;
    QString smtpHost;
    int smtpPort = 0;
    int smtpSecurity = 1;  // 0 none, 1 STARTTLS, 2 TLS
    QString smtpUser;
    QString smtpPassword;
    QString smtpFrom;
    QString smtpCertificate;
    int smallerCopy = 0;  // 0, 1024, 1600
    bool keyringAvailable = false;
    bool rememberPassword = true;
    bool askRouteAgain = false;
};

class MailSettingsDialog final : public QDialog {
public:
    MailSettingsDialog(QWidget* parent, const MailSettingsForm& form);
    MailSettingsForm form() const;

private:
    MailSettingsForm initial_;
    QLineEdit* client_;
    QLineEdit* host_;
    QSpinBox* port_;
    QComboBox* security_;
    QLineEdit* user_;
    QLineEdit* password_;
    QLineEdit* from_;
    QLineEdit* certificate_;
    QComboBox* smaller_;
    QCheckBox* remember_;
    QCheckBox* askAgain_;
};

}  // namespace lv::app
