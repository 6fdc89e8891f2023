#pragma once
// The sharing screens in the program: the e-mail page (4) with its fields 156-158, "Anexar a
// imagem", "Enviar" and "Servidor de e-mail"; the photo store's pages (6 and 24) with the
// login fields 160 and 102 shared between them, "Entrar" (log in and download), "Baixar
// fotos", "Abrir o site" (the service's web site), the toggle "Adicionar ao álbum" (checked:
// the photos join the album) and the photos folder.

#include "app/shell/screen_features.h"
#include "app/sharing/download_command.h"
#include "app/sharing/mail_command.h"
#include "app/sharing/store_upload_page.h"

#include <QObject>

namespace lv::app {
class MainWindow;
}

namespace lv::sharing {

class SharingFeature final : public QObject, private app::ScreenCode {
public:
    SharingFeature(app::MainWindow& window, app::DocumentWindows& documents, QLibrary* storeLibrary,
                   app::OpenAlbum& album, const app::TestHooks& hooks);
    ~SharingFeature() override;

    // The photo store's login as typed on its pages (the password only in memory).
    const StoreCredentials& login() const { return login_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ScreenCode: what is typed in the fields.
    void fieldChanged(int controlId, const QString& text) override;
    void registerHandlers();
    void download();
    void visitWebSite();

    app::MainWindow& window_;
    MailCommand mail_;
    DownloadCommand download_;
    StoreUploadPage upload_;
    MailFields fields_;
    StoreCredentials login_;
    bool addToAlbum_ = true;  // the toggle starts checked: photos join the album
};

}  // namespace lv::sharing
