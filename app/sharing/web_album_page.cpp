#include "app/sharing/web_album_page.h"

#include "album/album_file.h"
#include "app/sharing/browser_opener.h"
#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/widgets/qt_text.h"
#include "common/text_encoding.h"
#include "common/ui_service.h"
#include "output/web_album/web_album.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <QLabel>
#include <QVBoxLayout>

#include <filesystem>

namespace lv::app {
namespace {

constexpr int kContentPage = 197;
constexpr int kSizes[] = {640, 800, 1024, 1600, 2048};

std::string SameFile(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

}  // namespace

WebAlbumPage::WebAlbumPage(MainWindow& window, OpenAlbum& album, const TestHooks& hooks)
    : window_(window)
    , album_(album)
    , hooks_(hooks)
{
}

WebAlbumPage::~WebAlbumPage()
{
    delete page_.data();
}

PhotoList& WebAlbumPage::list()
{
    if (!page_) {
        page_ = new QWidget(&window_);
        page_->setObjectName(QStringLiteral("webalbumpage"));
        page_->setStyleSheet(QStringLiteral("QLabel { color: #e6e6e6; }"));  // on the panel's dark ground
        page_->setAutoFillBackground(true);  // the panel's own hint must not show through
        page_->setPalette(QPalette(QColor(0x23, 0x26, 0x2d)));
        auto* layout = new QVBoxLayout(page_);
        layout->setContentsMargins(0, 0, 0, 0);
        list_ = new PhotoList(page_);
        layout->addWidget(list_, 1);
        auto* row = new QHBoxLayout;
        title_ = new QLineEdit(QStringLiteral("Álbum de fotos"), page_);
        size_ = new QComboBox(page_);
        for (const int size : kSizes)
            size_->addItem(QStringLiteral("%1 pixels").arg(size), size);
        size_->setCurrentIndex(2);
        row->addWidget(new QLabel(QStringLiteral("Título:"), page_));
        row->addWidget(title_, 1);
        row->addWidget(new QLabel(QStringLiteral("Tamanho das fotos:"), page_));
        row->addWidget(size_);
        layout->addLayout(row);
        page_->hide();
    }
    return *list_;
}

void WebAlbumPage::show()
{
    list();
    if (const auto area = window_.controlRect(kContentPage))
        page_->setGeometry(area->x() + 10, area->y() + 10, area->width() - 20, 300);
    page_->show();
    page_->raise();
}

void WebAlbumPage::hide()
{
    if (page_)
        page_->hide();
}

std::string WebAlbumPage::captionInOpenAlbum(const std::string& path) const
{
    const std::string wanted = SameFile(path);
    for (const album::AlbumEntry& entry : album::ReadAlbumContents(album_.file()).entries)
        if (SameFile(entry.path()) == wanted)
            return ToUtf8(entry.caption());
    return {};
}

void WebAlbumPage::addFiles(const std::vector<std::string>& files)
{
    for (const std::string& file : files)
        list().add({file, captionInOpenAlbum(file)});
    LV_TEST_LOG(hooks_, QStringLiteral("webalbum %1 photos").arg(list().count()));
}

void WebAlbumPage::addPhotos()
{
    const auto entries = album::ReadAlbumContents(album_.file()).entries;
    if (!entries.empty() &&
        ui::Current().ask("Adicionar as " + std::to_string(entries.size()) + " fotos do álbum aberto (" +
                              album_.name() + ")? Escolha \"Não\" para escolher arquivos.",
                          ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes) {
        for (const album::AlbumEntry& entry : entries)
            list().add({entry.path(), ToUtf8(entry.caption())});
        LV_TEST_LOG(hooks_, QStringLiteral("webalbum %1 photos").arg(list().count()));
        return;
    }
    const QStringList chosen = QFileDialog::getOpenFileNames(
        &window_, QStringLiteral("Adicionar fotos ao álbum na Web"), QDir::homePath(),
        QStringLiteral("Imagens (*.jpg *.jpeg *.png *.bmp *.gif *.tif *.tiff *.webp *.pcx *.tga);;Todos os arquivos (*)"));
    std::vector<std::string> files;
    for (const QString& file : chosen)
        files.push_back(file.toStdString());
    addFiles(files);
}

bool WebAlbumPage::publishInto(const QString& folder, bool tellWhenDone)
{
    std::vector<web::WebAlbumPhoto> photos;
    for (const ListedPhoto& p : list().photos())
        photos.push_back({p.path, p.caption});
    if (photos.empty()) {
        ui::Current().showMessage("O álbum na Web ainda não tem fotos: use \"Adicionar fotos\" ou arraste fotos para cá.",
                                  ui::kProductTitle, ui::Icon::Information);
        return false;
    }
    web::WebAlbumOptions options;
    options.title = title_->text().trimmed().isEmpty() ? options.title : title_->text().trimmed().toStdString();
    options.size = size_->currentData().toInt();
    web::WebAlbumOutcome outcome;
    {
        ui::BusyCursor busy;
        outcome = web::PublishWebAlbum(photos, folder.toStdString(), options, [](int done, int total) {
            ui::ReportProgress("Publicando o álbum na Web", total ? done * 100 / total : 0);
            return !ui::EscapeHeld();
        });
    }
    std::string skipped;
    for (const std::string& s : outcome.skipped)
        skipped += "\n" + s;
    if (!outcome.ok) {
        ui::Current().showMessage(outcome.error + skipped, ui::kWarningTitle, ui::Icon::Exclamation);
        return false;
    }
    LV_TEST_LOG(hooks_, QStringLiteral("webalbum published %1").arg(outcome.published));
    if (tellWhenDone || !skipped.empty())
        ui::Current().showMessage("O álbum na Web foi publicado em " + folder.toStdString() + " com " +
                                      std::to_string(outcome.published) + " fotos." +
                                      (skipped.empty() ? "" : "\nFicaram de fora:" + skipped),
                                  ui::kProductTitle, ui::Icon::Information);
    return true;
}

void WebAlbumPage::preview()
{
    previewFolder_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/lumivista-album-XXXXXX"));
    if (!previewFolder_->isValid()) {
        ui::Current().showMessage("Não foi possível criar uma pasta temporária para visualizar o álbum (" +
                                      previewFolder_->errorString().toStdString() + ").",
                                  ui::kWarningTitle, ui::Icon::Exclamation);
        return;
    }
    if (publishInto(previewFolder_->path(), false))
        OpenInBrowser(QDir(previewFolder_->path()).filePath(QStringLiteral("index.html")));
}

void WebAlbumPage::publish(std::optional<QString> folder)
{
    if (list().count() == 0)
        return void(publishInto({}, false));  // says there is nothing to publish
    if (!folder)
        folder = QFileDialog::getExistingDirectory(&window_, QStringLiteral("Publicar o álbum na Web em"), QDir::homePath());
    if (!folder->isEmpty())
        publishInto(*folder, true);
}

}  // namespace lv::app
