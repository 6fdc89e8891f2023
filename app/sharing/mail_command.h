#pragma once
// The e-mail page's commands in the program: "Enviar" sends the active picture through the
// mail client or the mail layer, "Servidor de e-mail" edits how, and timer 205 drives the
// client. Mail through the layer goes out beside the window with its progress shown.

#include "sharing/mail/client_route.h"
#include "sharing/mail/send_picture.h"
#include "app/sharing/background_work.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lv::app {
class DocumentWindows;
class TestHooks;
}

namespace lv::sharing {

class WindowSystem;

// The screen's fields 156 (Para), 157 (Assunto) and 158 (Mensagem).
struct MailFields {
    std::string to;
    std::string subject;
    std::string body;
};

class MailCommand final : public MailRoutes, private AutomationTimer, private RouteSettings {
public:
    MailCommand(QWidget& window, app::DocumentWindows& documents, const app::TestHooks& hooks);
    ~MailCommand() override;

    // "Enviar": the active picture; without "Anexar a imagem" only the text, through the layer.
    void send(const MailFields& fields, bool attachPicture);
    // Told once the server took a message, after the user was told it went.
    void onSent(std::function<void()> sent) { sent_ = std::move(sent); }
    // "Servidor de e-mail".
    void editSettings();
    // Before the program ends: a send under way is cancelled and waited for.
    void stop();

    // MailRoutes
    std::optional<std::string> attachmentFor(const std::string& savedPath) override;
    int tryClient(const std::string& path) override;
    bool mailLayerConfigured() override;
    void sendWithMailLayer(const std::string& path) override;

private:
    // AutomationTimer: timer 205 of the main window.
    void start(int id, int milliseconds) override;
    void kill(int id) override;
    // RouteSettings
    std::optional<std::string> clientExecutable() override;
    bool dialogSuppressed() override;
    void setDialogSuppressed(bool suppressed) override;

    // The SMTP password: this run's, the key ring's, or asked for. Nothing when the user
    // cancelled the question.
    std::optional<std::string> smtpPassword(const std::string& host, const std::string& user);

    QWidget& window_;
    app::DocumentWindows& documents_;
    const app::TestHooks& hooks_;
    QTimer automationTimer_;
    std::unique_ptr<WindowSystem> windowSystem_;
    std::unique_ptr<MailClientRoute> route_;
    std::unique_ptr<BackgroundWork> sending_;
    MailFields fields_;
    std::function<void()> sent_;
    std::string sessionPassword_;  // when there is no key ring; never written anywhere
};

}  // namespace lv::sharing
