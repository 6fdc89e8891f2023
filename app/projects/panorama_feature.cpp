#include "app/projects/panorama_feature.h"

#include "app/core/documents/untitled_names.h"
#include "app/editing/document_windows.h"
#include "app/projects/panorama_photos.h"
#include "app/projects/panorama_window.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/core/documents/document_io.h"
#include "common/ui_service.h"
#include "edit/layers.h"

namespace lv::app {

PanoramaFeature::PanoramaFeature(MainWindow& window, DocumentWindows& documents, const album::Album& shownAlbum,
                                 const OpenAlbum& openAlbum, const TestHooks& hooks)
    : window_(window)
    , documents_(documents)
    , shownAlbum_(shownAlbum)
    , openAlbum_(openAlbum)
    , hooks_(hooks)
{
    window.handlers().set(skin::Handler::StitchPanorama, [this](const HandlerCall&) { open(); });
}

void PanoramaFeature::open()
{
    if (panorama_) {
        panorama_->show();
        panorama_->raise();
        return;
    }
    std::vector<std::string> photos = ChosenPanoramaPhotos(shownAlbum_, openAlbum_.file());
    if (photos.size() < 2) {
        ui::Current().showMessage("Para fazer um panorama, abra um álbum com pelo menos duas fotos tiradas em "
                                  "sequência e selecione-as.",
                                  "Panorama", ui::Icon::Information);
        return;
    }
    auto opener = [this](HDIB picture) {
        auto stack = CreateLayerStackFromImage(std::move(picture));
        if (!stack)
            return false;
        RebuildComposite(*stack);
        return documents_.openDocumentWindow(std::move(stack), ProcessUntitledNames().next(kNewPictureBaseString));
    };
    panorama_ = new PanoramaWindow(&window_, std::move(photos), std::move(opener), hooks_);  // Qt parent owns it
    QObject::connect(panorama_.data(), &QDialog::finished, panorama_.data(), &QObject::deleteLater);
    panorama_->show();
}

}  // namespace lv::app
