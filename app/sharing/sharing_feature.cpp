#include "app/sharing/sharing_feature.h"

#include "common/program_paths.h"
#include "app/core/shell_state.h"
#include "app/sharing/browser_opener.h"
#include "app/shell/handler_table.h"
#include "app/shell/test_hooks.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/skin_fields.h"
#include "app/widgets/skin_panel_widget.h"
#include "app/shell/main_window.h"
#include "common/ui_service.h"
#include "sharing/sharing_settings.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QUrl>

namespace lv::sharing {
namespace {

constexpr int kToField = 156;
constexpr int kSubjectField = 157;
constexpr int kMessageField = 158;
constexpr int kUserField = 160;
constexpr int kPasswordField = 102;
constexpr int kMailScreen = 4;
constexpr int kDownloadScreen = 6;
constexpr int kUploadScreen = 24;

// The state of a check box on the panel the call came from: panels start afresh when a screen
// comes back, so the box itself is asked, not a copy of it.
std::optional<bool> CheckOnPanel(const app::HandlerCall& call, skin::Handler check)
{
    const auto* panel = dynamic_cast<const app::SkinPanelWidget*>(call.host);
    if (!panel)
        return std::nullopt;
    const skin::PanelInput& input = panel->input();
    for (int i = 0; i < int(input.size()); ++i)
        if (input.control(i).definition.handler == check)
            return input.selected(i);
    return std::nullopt;
}

}  // namespace

SharingFeature::SharingFeature(app::MainWindow& window, app::DocumentWindows& documents, QLibrary* storeLibrary,
                               app::OpenAlbum& album, const app::TestHooks& hooks)
    : window_(window)
    , mail_(window, documents, hooks)
    , download_(window, documents, storeLibrary, hooks)
    , upload_(window, album, storeLibrary, hooks)
{
    for (const int screen : {kMailScreen, kDownloadScreen, kUploadScreen})
        window.setScreenCode(screen, this);
    // The identifier remembered from the last run ("Login_ID") is there to start with.
    login_.user = Shell().config.loginId;
    window.presetField(kUserField, app::QtText(login_.user));
    registerHandlers();
    // A message that went leaves the page empty for the next; one that failed keeps what was typed.
    mail_.onSent([this] {
        for (const int field : {kToField, kSubjectField, kMessageField}) {
            app::SkinFields::Clear(window_, field);
            window_.presetField(field, {});
        }
        fields_ = {};
    });
    window.installEventFilter(this);
}

SharingFeature::~SharingFeature()
{
    window_.removeEventFilter(this);
    for (const int screen : {kMailScreen, kDownloadScreen, kUploadScreen})
        window_.setScreenCode(screen, nullptr);
}

// The program ends when the main window closes, and the store library goes with it: work
// under way stops first.
bool SharingFeature::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close) {
        mail_.stop();
        download_.stop();
        upload_.stop();
    }
    return false;
}

void SharingFeature::fieldChanged(int controlId, const QString& text)
{
    switch (controlId) {
    case kToField: fields_.to = text.toStdString(); break;
    case kSubjectField: fields_.subject = text.toStdString(); break;
    case kMessageField: fields_.body = text.toStdString(); break;
    case kUserField:
        login_.user = text.toStdString();
        Shell().config.loginId = login_.user;
        break;
    case kPasswordField: login_.password = text.toStdString(); break;
    default: break;
    }
}

void SharingFeature::registerHandlers()
{
    using skin::Handler;
    app::HandlerTable& handlers = window_.handlers();
    handlers.set(Handler::SendEmail, [this](const app::HandlerCall& call) {
        mail_.send(fields_, CheckOnPanel(call, Handler::AttachActiveImage).value_or(true));
    });
    handlers.set(Handler::EmailRoute, [this](const app::HandlerCall&) { mail_.editSettings(); });
    handlers.set(Handler::AttachActiveImage, [](const app::HandlerCall&) {});  // "Enviar" asks the box
    // "Entrar" is the login that starts the download; the web site has a button of its own.
    handlers.set(Handler::ConnectPhotoStore, [this](const app::HandlerCall&) { download(); });
    handlers.set(Handler::DownloadPhotos, [this](const app::HandlerCall&) { download(); });
    handlers.set(Handler::UploadPhotos, [this](const app::HandlerCall&) { upload_.uploadPhotos(login_); });
    handlers.set(Handler::OrderPrints, [this](const app::HandlerCall&) { upload_.orderPrints(login_); });
    handlers.set(Handler::OpenStoreWebSite, [this](const app::HandlerCall&) { visitWebSite(); });
    handlers.set(Handler::AddDownloadsToAlbum, [this](const app::HandlerCall& call) {
        addToAlbum_ = CheckOnPanel(call, Handler::AddDownloadsToAlbum).value_or(!addToAlbum_);
    });
    // Without a desktop opener the user is told so, naming the folder.
    handlers.set(Handler::OpenPhotosFolder, [](const app::HandlerCall&) {
        app::OpenInBrowser(app::QtText(WritableProgramDir(kPhotosFolder).string()));
    });
}

void SharingFeature::download()
{
    // The download core's switch is on when the photos stay out of the album.
    download_.download(login_, !addToAlbum_);
}

void SharingFeature::visitWebSite()
{
    const std::string address = ReadSharingSettings(ConfigFilePath()).webSite();
    const QUrl url(app::QtText(address));
    if (!url.isValid() || !QDesktopServices::openUrl(url))
        ui::Current().showMessage("Não foi possível abrir o site da loja de fotos (" + address +
                                      "): o navegador da área de trabalho não respondeu.",
                                  ui::kWarningTitle, ui::Icon::Exclamation);
}

}  // namespace lv::sharing
