#include "app/sharing/web_album_page.h"

#include "album/album_file.h"
#include "app/sharing/browser_opener.h"
#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/widgets/qt_text.h"
#include "common/program_paths.h"
#include "common/settings_store.h"
#include "common/text_encoding.h"
#include "sharing/links/favourite_links.h"
#include "common/ui_service.h"
#include "output/web_album/web_album.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QFormLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QHBoxLayout>
#include <QPalette>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
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

WebAlbumPage::WebAlbumPage(MainWindow& window, OpenAlbum& album, const TestHooks& hooks, QLibrary* storeLibrary,
                           std::function<sharing::StoreCredentials()> login)
    : window_(window)
    , album_(album)
    , hooks_(hooks)
    , login_(std::move(login))
    , service_(window, storeLibrary, hooks)
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
        address_ = new QLabel(page_);
        address_->setTextInteractionFlags(Qt::TextBrowserInteraction);
        QObject::connect(address_, &QLabel::linkActivated, page_, [](const QString& link) { OpenInBrowser(link); });
        address_->hide();
        layout->addWidget(address_);
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

std::vector<web::WebAlbumPhoto> WebAlbumPage::photos()
{
    std::vector<web::WebAlbumPhoto> photos;
    for (const ListedPhoto& p : list().photos())
        photos.push_back({p.path, p.caption});
    if (photos.empty())
        ui::Current().showMessage("O álbum na Web ainda não tem fotos: use \"Adicionar fotos\" ou arraste fotos para cá.",
                                  ui::kProductTitle, ui::Icon::Information);
    return photos;
}

web::WebAlbumOptions WebAlbumPage::options() const
{
    web::WebAlbumOptions options;
    options.title = title_->text().trimmed().isEmpty() ? options.title : title_->text().trimmed().toStdString();
    options.size = size_->currentData().toInt();
    return options;
}

bool WebAlbumPage::publishInto(const QString& folder, bool tellWhenDone)
{
    const std::vector<web::WebAlbumPhoto> photos = this->photos();
    if (photos.empty())
        return false;
    const web::WebAlbumOptions options = this->options();
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
    if (!folder) {
        QMessageBox where(QMessageBox::Question, QStringLiteral("Publicar o álbum na Web"),
                          QStringLiteral("Onde publicar o álbum na Web?"), QMessageBox::NoButton, &window_);
        QPushButton* service = where.addButton(QStringLiteral("No serviço de fotos"), QMessageBox::AcceptRole);
        QPushButton* inFolder = where.addButton(QStringLiteral("Numa pasta…"), QMessageBox::AcceptRole);
        where.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        where.setDefaultButton(service);
        if (hooks_.answersDialogs())
            QTimer::singleShot(0, service, &QPushButton::click);
        where.exec();
        LV_TEST_LOG(hooks_, QStringLiteral("webalbum where %1").arg(where.clickedButton() == service ? "service" : "other"));
        if (where.clickedButton() == service)
            return publishToService();
        if (where.clickedButton() != inFolder)
            return;
        folder = QFileDialog::getExistingDirectory(&window_, QStringLiteral("Publicar o álbum na Web em"), QDir::homePath());
    }
    if (!folder->isEmpty())
        publishInto(*folder, true);
}

void WebAlbumPage::publishToService()
{
    if (service_.busy()) {
        ui::Current().showMessage("O álbum na Web ainda está sendo enviado ao serviço de fotos.", ui::kProductTitle,
                                  ui::Icon::Information);
        return;
    }
    std::vector<web::WebAlbumPhoto> photos = this->photos();
    if (photos.empty())
        return;
    sharing::StoreCredentials login = login_ ? login_() : sharing::StoreCredentials{};
    if (login.user.empty() || login.password.empty()) {
        // The photo-store page's login, asked here when it was not typed there.
        bool ok = false;
        const QString user = QInputDialog::getText(&window_, QStringLiteral("Entrar no serviço de fotos"),
                                                   QStringLiteral("Identificação:"), QLineEdit::Normal,
                                                   QtText(login.user), &ok);
        if (!ok)
            return;
        const QString password = QInputDialog::getText(&window_, QStringLiteral("Entrar no serviço de fotos"),
                                                       QStringLiteral("Senha de %1:").arg(user), QLineEdit::Password,
                                                       {}, &ok);
        if (!ok)
            return;
        login = {user.trimmed().toStdString(), password.toStdString()};
        if (login.user.empty() || login.password.empty()) {
            ui::Current().showMessage("Para publicar no serviço de fotos, digite a identificação e a senha.",
                                      ui::kProductTitle, ui::Icon::Information);
            return;
        }
    }
    const web::WebAlbumOptions options = this->options();
    service_.publish(
        login, options.title,
        [photos = std::move(photos), options](const std::filesystem::path& folder, sharing::ProgressReport& report,
                                              const std::function<bool()>& cancelled) {
            // The photo readers' cursor and messages must not reach the window's toolkit from here.
            ui::SilentService silent;
            const ui::ScopedThreadService quiet(silent);
            const web::WebAlbumOutcome made =
                web::PublishWebAlbum(photos, folder, options, [&report, &cancelled](int done, int total) {
                    report.set(total ? done * 20 / total : 0, QStringLiteral("Preparando as fotos: %1 de %2").arg(done).arg(total));
                    return !cancelled();
                });
            return made.ok ? std::string() : made.error;
        },
        [this, title = options.title](const sharing::StoreCalls& calls, const sharing::GalleryRun& run) {
            published(calls, run, title);
        });
}

void WebAlbumPage::published(const sharing::StoreCalls& calls, const sharing::GalleryRun& run, const std::string& title)
{
    if (run.loginCode != 0)
        return sharing::ShowStoreMessage(calls, run.loginCode);
    if (run.code != 0)
        return ui::Current().showMessage(sharing::PublishFailure(calls, run), ui::kWarningTitle, ui::Icon::Exclamation);
    // The address joins the favourite links in the first free place, named by the title.
    ProfileStore store(ConfigFilePath());
    sharing::FavouriteLinks links = sharing::ReadFavouriteLinks(store);
    std::string linkNote;
    int linkIndex = -1;
    if (std::any_of(links.begin(), links.end(), [&run](const sharing::FavouriteLink& l) { return l.address == run.address; })) {
        linkNote = "O endereço já está em \"Meus links\".";
    } else if (const auto refused = sharing::RefusedLinkAddress(run.address)) {
        linkNote = "Não foi posto em \"Meus links\": " + *refused;
    } else {
        const auto free = std::find_if(links.begin(), links.end(), [](const sharing::FavouriteLink& l) { return l.address.empty(); });
        if (free == links.end()) {
            linkNote = "Não foi posto em \"Meus links\": os cinco links já estão em uso (\"Editar links\" libera um).";
        } else {
            *free = {title, run.address};
            linkIndex = int(free - links.begin());
            linkNote = sharing::WriteFavouriteLinks(store, links)
                           ? "Foi posto em \"Meus links\" como Link " + std::to_string(linkIndex + 1) + "."
                           : "Não foi possível guardar o link em " + store.file().string() + ".";
        }
    }
    const QString address = QtText(run.address);
    // A long address is shortened in the middle to fit the page; the link and tooltip keep it whole.
    const QString prefix = QStringLiteral("Publicado no serviço de fotos: ");
    const QFontMetrics metrics(address_->font());
    const QString shown = metrics.elidedText(address, Qt::ElideMiddle,
                                             std::max(120, page_->width() - metrics.horizontalAdvance(prefix) - 8));
    address_->setText(QStringLiteral("%1<a href=\"%2\" style=\"color: #8cc8ff\">%3</a>")
                          .arg(prefix, address.toHtmlEscaped(), shown.toHtmlEscaped()));
    address_->setToolTip(address);
    address_->show();
    LV_TEST_LOG(hooks_, QStringLiteral("webalbum address %1 link %2 shown %3")
                            .arg(address)
                            .arg(linkIndex + 1)
                            .arg(int(address_->isVisibleTo(page_) && address_->text().contains("\"" + address.toHtmlEscaped() + "\""))));
    if (ui::Current().ask("O álbum na Web foi publicado no serviço de fotos:\n" + run.address + "\n\n" + linkNote +
                              "\n\nAbrir o álbum no navegador agora?",
                          ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Information) == ui::Answer::Yes)
        OpenInBrowser(QtText(run.address));
}

}  // namespace lv::app
