#include "app/editing/paint_picture_dialog.h"

#include "common/beep.h"
#include "album/catalogue.h"
#include "album/catalogue_store.h"
#include "common/program_paths.h"
#include "app/widgets/dialog_buttons.h"
#include "app/widgets/album_browser.h"

#include <QApplication>
#include <QFileDialog>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kShapesCategory = 5;
constexpr int kTexturesCategory = 12;

struct KindText {
    const char* name;   // the dialog's object name: the browser keeps its place per name
    const char* title;
};

KindText TextOf(PaintPictureKind kind)
{
    switch (kind) {
    case PaintPictureKind::Stamp: return {"stamps", "Carimbos"};
    case PaintPictureKind::Texture: return {"textures", "Texturas"};
    case PaintPictureKind::BrushShape: return {"brush shapes", "Figura da ponta"};
    }
    return {"", ""};
}

}  // namespace

PaintPictureDialog::PaintPictureDialog(QWidget* parent, PaintPictureKind kind, const std::string& albumPath)
    : QDialog(parent)
{
    const KindText text = TextOf(kind);
    setObjectName(QString::fromLatin1(text.name));
    setWindowTitle(QString::fromUtf8(text.title));
    browser_ = new AlbumBrowser(*this, ProgramFile("sysalbum"), ProgramDir());  // owned by the dialog
    browser_->openAlbum(albumPath);
    browser_->setMinimumSize(browser_->sizeHint());
    browser_->onChosen([this](int) { accept(); });

    QDialogButtonBox* buttons = OkCancelButtons(*this);
    QPushButton* other = buttons->addButton(QStringLiteral("Outro arquivo..."), QDialogButtonBox::ActionRole);
    connect(other, &QPushButton::clicked, this, [this] { chooseFile(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
}

void PaintPictureDialog::accept()
{
    const int photo = browser_->current();
    if (photo < 0) {
        ui::Beep("no photo chosen");
        return;
    }
    chosen_ = browser_->album().absolutePath(photo, ProgramDir());
    browser_->keepState();
    QDialog::accept();
}

void PaintPictureDialog::chooseFile()
{
    const QString file = QFileDialog::getOpenFileName(this, windowTitle(), QString::fromStdString(ProgramDir().string()),
                                                      QStringLiteral("*.bmp *.BMP *.png *.PNG *.jpg *.JPG"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (file.isEmpty())
        return;
    chosen_ = file.toStdString();
    browser_->keepState();
    QDialog::accept();
}

std::string PaintPictureAlbum(PaintPictureKind kind)
{
    const int category = kind == PaintPictureKind::Texture ? kTexturesCategory : kShapesCategory;
    album::ProfileCatalogueStore store(ConfigFilePath(), ProgramFile(album::kSystemCatalogueFile));
    const album::AlbumCatalogue catalogue(store, ProgramDir(), WritableProgramDir(album::kUserAlbumsFolder));
    const int count = catalogue.count(category);
    if (count == 0)
        return {};
    // A current album the catalogue no longer lists gives way to its first.
    const int current = catalogue.current(category);
    return catalogue.albumPath(category, current < count ? current : 0);
}

std::string RunPaintPictureDialog(QWidget* parent, PaintPictureKind kind)
{
    PaintPictureDialog dialog(parent, kind, PaintPictureAlbum(kind));
    return dialog.exec() == QDialog::Accepted ? dialog.chosen() : std::string();
}

}  // namespace lv::app
