#include "app/sharing/store_upload_page.h"

#include "album/album_file.h"
#include "album/photo_loader.h"
#include "app/sharing/print_order_dialog.h"
#include "app/shell/open_album.h"
#include "app/shell/test_hooks.h"
#include "app/widgets/dib_image.h"
#include "app/widgets/qt_text.h"
#include "common/beep.h"
#include "common/ui_service.h"

#include <QTimer>

#include <filesystem>

namespace lv::sharing {
namespace {

std::vector<std::string> AlbumFiles(const std::string& albumFile)
{
    std::vector<std::string> files;
    for (const album::AlbumEntry& entry : album::ReadAlbumContents(albumFile).entries)
        files.push_back(entry.path());
    return files;
}

void SayAlbumIsEmpty(const std::string& albumName)
{
    ui::Current().showMessage("Não há fotos para enviar: nenhuma foto está selecionada e o álbum aberto (" +
                                  albumName + ") não tem fotos. Abra um álbum e selecione as fotos na página de álbuns.",
                              ui::kProductTitle, ui::Icon::Information);
}

}  // namespace

StoreUploadPage::StoreUploadPage(QWidget& window, app::OpenAlbum& album, QLibrary* library,
                                 const app::TestHooks& hooks)
    : window_(window)
    , album_(album)
    , hooks_(hooks)
    , command_(window, library, hooks)
{
}

std::vector<std::string> StoreUploadPage::photosToSend()
{
    std::vector<std::string> files = album_.selectedFiles();
    if (!files.empty())
        return files;
    files = AlbumFiles(album_.file());
    if (files.empty()) {
        SayAlbumIsEmpty(album_.name());
        return {};
    }
    const std::string question = "Nenhuma foto está selecionada no álbum. Enviar as " + std::to_string(files.size()) +
                                 " fotos do álbum aberto (" + album_.name() + ") à loja de fotos?";
    if (ui::Current().ask(question, ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return {};
    return files;
}

void StoreUploadPage::uploadPhotos(const StoreCredentials& credentials)
{
    if (credentials.user.empty() || credentials.password.empty()) {
        ui::Beep("missing credentials");
        return;
    }
    std::vector<std::string> files = photosToSend();
    if (!files.empty())
        command_.upload(credentials, std::move(files));
}

void StoreUploadPage::orderPrints(const StoreCredentials& credentials)
{
    if (credentials.user.empty() || credentials.password.empty()) {
        ui::Beep("missing credentials");
        return;
    }
    std::vector<std::string> files = album_.selectedFiles();
    if (files.empty())
        files = AlbumFiles(album_.file());
    if (files.empty()) {
        SayAlbumIsEmpty(album_.name());
        return;
    }
    const std::string& path = files.front();
    ReadResult read = album::LoadPhotoForAlbum(path, album::AlbumPhotoReaders());
    if (!read.ok()) {
        ui::Current().showMessage("Não foi possível abrir a foto " + path + " para o pedido de cópias.",
                                  ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    app::PrintOrderDialog dialog(&window_, app::QtText(std::filesystem::path(path).filename().string()),
                                 app::DibToImage(read.take()));
    if (hooks_.answersDialogs())
        QTimer::singleShot(0, &dialog, &QDialog::accept);
    if (dialog.exec() != QDialog::Accepted)
        return;
    command_.order(credentials, path, dialog.print());
}

}  // namespace lv::sharing
