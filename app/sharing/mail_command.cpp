#include "app/sharing/mail_command.h"

#include "common/beep.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_keys.h"
#include "common/settings_store.h"
#include "app/core/documents/untitled_names.h"
#include "app/sharing/mail_route_dialog.h"
#include "app/sharing/mail_settings_dialog.h"
#include "app/shell/test_hooks.h"
#include "app/widgets/qt_text.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "album/photo_loader.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "sharing/keyring.h"
#include "sharing/mail/smaller_copy.h"
#include "sharing/mapi/mail_layer_client.h"
#include "sharing/mapi/desktop_mail.h"
#include "sharing/sharing_settings.h"
#include "sharing/x11/x11_window_system.h"

#include <QInputDialog>

#include <atomic>

namespace lv::sharing {

using app::QtText;

namespace {

constexpr int kSendingCaptionString = 7311;
constexpr int kCannotSaveSettingsString = 7315;
constexpr char kKeyringLabel[] = "Lumivista 2000: servidor de e-mail";

// The active image window as the command sees it.
class ActiveImage final : public MailDocument {
public:
    ActiveImage(app::DocumentWindows& documents, app::ImageWindow& window)
        : documents_(documents)
        , window_(window)
    {
    }
    std::string title() const override { return window_.title(); }
    bool neverSaved() const override { return IsUntitledTitle(window_.title()); }
    bool saveAs() override { return documents_.saveAs(window_); }
    bool saveIfModified() override
    {
        const auto question = ClosePromptText(window_.title(), window_.modifiedState(),
                                              window_.document().layerCount > 0, false);
        if (!question)
            return true;
        switch (ui::Current().ask(*question, ui::kProductTitle, ui::Buttons::YesNoCancel, ui::Icon::Question)) {
        case ui::Answer::Cancel: return false;
        case ui::Answer::Yes: return documents_.save(window_);
        default: return true;  // No: the file as it is on disk
        }
    }

private:
    app::DocumentWindows& documents_;
    app::ImageWindow& window_;
};

// What a send through the layer needs, kept alive while it runs beside the window.
struct LayerSend {
    MailLayer layer;
    std::string to, subject, body, from, host, user, password, caFile, path;
    mapi::MailHost record{};
    std::atomic<bool> cancelled = false;
    ProgressReport* report = nullptr;
    std::mutex mutex;
    std::string failure;
    mapi::ULONG result = mapi::SUCCESS_SUCCESS;

    void fill(int port, mapi::SmtpSecurity security)
    {
        record.size = sizeof record;
        record.to = to.c_str();
        record.subject = subject.c_str();
        record.body = body.c_str();
        record.from = from.c_str();
        record.smtpHost = host.c_str();
        record.smtpPort = port;
        record.smtpSecurity = security;
        record.smtpUser = user.c_str();
        record.smtpPassword = password.c_str();
        record.caFile = caFile.c_str();
        record.context = this;
        record.progress = [](void* c, int percent) {
            if (auto* self = static_cast<LayerSend*>(c); self->report)
                self->report->set(percent);
        };
        record.cancelled = [](void* c) { return int(static_cast<LayerSend*>(c)->cancelled.load()); };
        record.failure = [](void* c, const char* message) {
            auto* self = static_cast<LayerSend*>(c);
            const std::lock_guard lock(self->mutex);
            self->failure = message;
        };
    }
};

}  // namespace

MailCommand::MailCommand(QWidget& window, app::DocumentWindows& documents, const app::TestHooks& hooks)
    : window_(window)
    , documents_(documents)
    , hooks_(hooks)
    , automationTimer_(&window)
{
    automationTimer_.setObjectName(QStringLiteral("timer %1").arg(kAutomationTimer));
    QObject::connect(&automationTimer_, &QTimer::timeout, &window, [this] {
        if (route_)
            route_->tick(kAutomationTimer);
    });
}

MailCommand::~MailCommand()
{
    stop();
}

void MailCommand::stop()
{
    automationTimer_.stop();
    if (sending_)
        sending_->stop();
}

void MailCommand::send(const MailFields& fields, bool attachPicture)
{
    if (sending_ && sending_->busy()) {
        ui::Beep("mail under way");
        return;
    }
    fields_ = fields;
    if (!attachPicture) {
        if (!mailLayerConfigured()) {
            ui::Beep("mail not configured");
            ui::Current().showMessage(LoadString(kMailNotConfiguredString), ui::kWarningTitle, ui::Icon::Exclamation);
            return;
        }
        sendWithMailLayer({});
        return;
    }
    app::ImageWindow* active = documents_.active();
    std::optional<ActiveImage> document;
    if (active)
        document.emplace(documents_, *active);
    SendPicture(document ? &*document : nullptr, *this);
}

std::optional<std::string> MailCommand::attachmentFor(const std::string& savedPath)
{
    const int side = ReadSharingSettings(ConfigFilePath()).smallerCopy;
    if (side == 0)
        return savedPath;
    ui::BusyCursor busy;
    std::optional<std::string> copy =
        MakeSmallerCopy(savedPath, side, WritableProgramDir(kTempFolder), album::AlbumPhotoReaders());
    // A picture the copy can't be made of still goes, whole.
    return copy ? copy : std::optional<std::string>(savedPath);
}

int MailCommand::tryClient(const std::string& path)
{
    if (!clientExecutable())
        return int(ClientRouteResult::NotHandled);  // no need to reach the display
    if (!route_) {
        windowSystem_ = X11WindowSystem::Open();
        if (!windowSystem_)
            return int(ClientRouteResult::NotHandled);  // no X display: the client can't be driven
        AutomationTimer& timer = *this;
        RouteSettings& settings = *this;
        route_ = std::make_unique<MailClientRoute>(*windowSystem_, timer, SystemClock(), settings, [this] {
            const app::MailRouteAnswer a = app::RunMailRouteDialog(&window_);
            return RouteDialogAnswer{a.confirmed, a.clientChosen, a.doNotShowAgain};
        });
    }
    return int(route_->run(path));
}

bool MailCommand::mailLayerConfigured()
{
    return !ReadSharingSettings(ConfigFilePath()).smtpHost.empty() || DesktopMailAvailable();
}

void MailCommand::sendWithMailLayer(const std::string& path)
{
    const SharingSettings settings = ReadSharingSettings(ConfigFilePath());
    std::optional<MailLayer> layer = LoadMailLayer(ProgramFile(kMailLayerLibrary));
    if (!layer)
        return;
    auto send = std::make_shared<LayerSend>();
    send->layer = std::move(*layer);
    send->to = fields_.to;
    send->subject = fields_.subject;
    send->body = fields_.body;
    send->from = settings.smtpFrom;
    send->host = settings.smtpHost;
    send->user = settings.smtpUser;
    send->caFile = settings.smtpCertificate;
    send->path = path;
    if (!send->host.empty() && !send->user.empty()) {
        const std::optional<std::string> password = smtpPassword(send->host, send->user);
        if (!password)
            return;
        send->password = *password;
    }
    send->fill(settings.smtpPort, settings.smtpSecurity);
    sending_ = std::make_unique<BackgroundWork>(
        &window_, app::StringText(kSendingCaptionString),
        [send](ProgressReport& report) {
            send->report = &report;
            send->result = SendDocumentThroughLayer(send->layer, send->record, send->path);
        },
        [send] { send->cancelled = true; },
        [this, send] {
            const std::lock_guard lock(send->mutex);
            LV_TEST_LOG(hooks_, QStringLiteral("mail %1").arg(send->result));
            if (!send->failure.empty()) {
                ui::Current().showMessage(send->failure, ui::kWarningTitle, ui::Icon::Exclamation);
            } else if (send->result == mapi::SUCCESS_SUCCESS && !send->cancelled) {
                ui::Current().showMessage("Mensagem enviada para " + send->to + ".", ui::kProductTitle,
                                          ui::Icon::Information);
                if (sent_)
                    sent_();
            }
        });
}

std::optional<std::string> MailCommand::smtpPassword(const std::string& host, const std::string& user)
{
    if (!sessionPassword_.empty())
        return sessionPassword_;
    if (std::optional<std::string> kept = LookupSecret(SmtpSecretAttributes(host, user)))
        return kept;
    if (hooks_.answersDialogs())
        return std::string();  // tests answer no questions
    bool ok = false;
    const QString typed = QInputDialog::getText(&window_, QStringLiteral("Servidor de e-mail"),
                                                QStringLiteral("Senha de %1 em %2:").arg(QtText(user), QtText(host)),
                                                QLineEdit::Password, QString(), &ok);
    if (!ok)
        return std::nullopt;
    sessionPassword_ = typed.toStdString();
    return sessionPassword_;
}

void MailCommand::editSettings()
{
    const std::filesystem::path config = ConfigFilePath();
    SharingSettings settings = ReadSharingSettings(config);
    ProfileStore store(config);
    Settings user(store);
    app::MailSettingsForm form;
    form.mailClient = QtText(settings.mailClient);
    form.smtpHost = QtText(settings.smtpHost);
    form.smtpPort = settings.smtpPort;
    form.smtpSecurity = int(settings.smtpSecurity);
    form.smtpUser = QtText(settings.smtpUser);
    form.smtpFrom = QtText(settings.smtpFrom);
    form.smtpCertificate = QtText(settings.smtpCertificate);
    form.smallerCopy = settings.smallerCopy;
    form.keyringAvailable = KeyringAvailable();
    form.smtpPassword = QtText(sessionPassword_);
    app::MailSettingsDialog dialog(&window_, form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const app::MailSettingsForm f = dialog.form();
    settings.mailClient = f.mailClient.toStdString();
    settings.smtpHost = f.smtpHost.toStdString();
    settings.smtpPort = f.smtpPort;
    settings.smtpSecurity = mapi::SmtpSecurity(f.smtpSecurity);
    settings.smtpUser = f.smtpUser.toStdString();
    settings.smtpFrom = f.smtpFrom.toStdString();
    settings.smtpCertificate = f.smtpCertificate.toStdString();
    settings.smallerCopy = f.smallerCopy;
    if (!WriteSharingSettings(config, settings))
        ui::Current().showMessage(LoadString(kCannotSaveSettingsString), ui::kWarningTitle, ui::Icon::Exclamation);
    if (f.askRouteAgain)
        user.userSetBool(setting::kLastbStart.name, false);

    sessionPassword_.clear();
    const std::string password = f.smtpPassword.toStdString();
    if (password.empty() || settings.smtpHost.empty())
        return;
    if (f.rememberPassword && StoreSecret(kKeyringLabel, SmtpSecretAttributes(settings.smtpHost, settings.smtpUser),
                                          password))
        return;
    sessionPassword_ = password;
}

void MailCommand::start(int id, int milliseconds)
{
    if (id == kAutomationTimer)
        automationTimer_.start(milliseconds);
}

void MailCommand::kill(int id)
{
    if (id == kAutomationTimer)
        automationTimer_.stop();
}

std::optional<std::string> MailCommand::clientExecutable()
{
    const std::string client = ReadSharingSettings(ConfigFilePath()).mailClient;
    return client.empty() ? std::nullopt : std::optional<std::string>(client);
}

bool MailCommand::dialogSuppressed()
{
    ProfileStore store(ConfigFilePath());
    return Settings(store).userGetBool(setting::kLastbStart.name, false);
}

void MailCommand::setDialogSuppressed(bool suppressed)
{
    ProfileStore store(ConfigFilePath());
    Settings(store).userSetBool(setting::kLastbStart.name, suppressed);
}

}  // namespace lv::sharing
