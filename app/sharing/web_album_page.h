#pragma once
// "Álbum na Web" (screen 30): photos dropped or added ("Adicionar fotos": the open album's,
// or files chosen), in an order changed by dragging, with the album's captions; "Remover",
// the strip's "Anterior"/"Próximo"/"Limpar"; "Visualizar" publishes into a temporary folder
// and opens it in the browser, "Publicar" into a folder the user chooses or to the photo
// service as a gallery (the photo-store page's login), whose address joins "Meus links".

#include "app/sharing/photo_list.h"
#include "app/shell/test_hooks.h"
#include "app/sharing/upload_command.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

#include "output/web_album/web_album.h"

#include <functional>
#include <memory>
#include <optional>

namespace lv::app {

class MainWindow;
class OpenAlbum;

class WebAlbumPage {
public:
    WebAlbumPage(MainWindow& window, OpenAlbum& album, const TestHooks& hooks, QLibrary* storeLibrary,
                 std::function<sharing::StoreCredentials()> login);
    ~WebAlbumPage();

    void show();
    void hide();
    PhotoList& list();
    void addFiles(const std::vector<std::string>& files);
    void addPhotos();
    void preview();
    void publish(std::optional<QString> folder = std::nullopt);
    void publishToService();

private:
    web::WebAlbumOptions options() const;
    std::vector<web::WebAlbumPhoto> photos();
    void published(const sharing::StoreCalls& calls, const sharing::GalleryRun& run, const std::string& title);
    bool publishInto(const QString& folder, bool tellWhenDone);
    std::string captionInOpenAlbum(const std::string& path) const;

    MainWindow& window_;
    OpenAlbum& album_;
    const TestHooks& hooks_;
    QPointer<QWidget> page_;
    PhotoList* list_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* size_ = nullptr;
    QLabel* address_ = nullptr;  // where the album was last published on the service
    std::unique_ptr<QTemporaryDir> previewFolder_;
    std::function<sharing::StoreCredentials()> login_;
    sharing::UploadCommand service_;
};

}  // namespace lv::app
