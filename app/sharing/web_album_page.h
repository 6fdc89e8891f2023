#pragma once
// "Álbum na Web" (screen 30): photos dropped or added ("Adicionar fotos": the open album's,
// or files chosen), in an order changed by dragging, with the album's captions; "Remover",
// the strip's "Anterior"/"Próximo"/"Limpar"; "Visualizar" publishes into a temporary folder
// and opens it in the browser, "Publicar" into a folder the user chooses.

#include "app/sharing/photo_list.h"
#include "app/shell/test_hooks.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace lv::app {

class MainWindow;
class OpenAlbum;

class WebAlbumPage {
public:
    WebAlbumPage(MainWindow& window, OpenAlbum& album, const TestHooks& hooks);
    ~WebAlbumPage();

    void show();
    void hide();
    PhotoList& list();
    void addFiles(const std::vector<std::string>& files);
    void addPhotos();
    void preview();
    void publish(std::optional<QString> folder = std::nullopt);

private:
    bool publishInto(const QString& folder, bool tellWhenDone);
    std::string captionInOpenAlbum(const std::string& path) const;

    MainWindow& window_;
    OpenAlbum& album_;
    const TestHooks& hooks_;
    QPointer<QWidget> page_;
    PhotoList* list_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* size_ = nullptr;
    std::unique_ptr<QTemporaryDir> previewFolder_;
};

}  // namespace lv::app
