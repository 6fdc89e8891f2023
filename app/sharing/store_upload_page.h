#pragma once
// What screen 24's "Enviar fotos" and "Encomendar cópias" send: the photos selected on the
// album page, or the whole open album once the user agrees to its count; a print order for
// the selected photo (the album's first when none is) built in its dialog.

#include "app/sharing/upload_command.h"

namespace lv::app {
class OpenAlbum;
}

namespace lv::sharing {

class StoreUploadPage {
public:
    StoreUploadPage(QWidget& window, app::OpenAlbum& album, QLibrary* library, const app::TestHooks& hooks);

    void uploadPhotos(const StoreCredentials& credentials);
    void orderPrints(const StoreCredentials& credentials);
    void stop() { command_.stop(); }

private:
    // The selection, else the album's photos after asking; empty when there is nothing to send.
    std::vector<std::string> photosToSend();

    QWidget& window_;
    app::OpenAlbum& album_;
    const app::TestHooks& hooks_;
    UploadCommand command_;
};

}  // namespace lv::sharing
