#include "app/album/photo_search_dialog.h"

#include "app/album/date_section_click.h"
#include "app/widgets/painter_surface.h"
#include "app/widgets/shared_style.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <filesystem>

namespace lv::search {
namespace {

constexpr int kPreviewWidth = 240;
constexpr int kPreviewHeight = 180;
constexpr char kResultsFile[] = "resultados-da-pesquisa.tmp";

QString FileName(const std::string& path)
{
    return QString::fromStdString(path).section('/', -1);
}

QSpinBox* Spin(QWidget* parent, const char* name, int maximum, const QString& none)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(0, maximum);
    spin->setSpecialValueText(none);
    return spin;
}

QDateEdit* DateField(QWidget* parent, const char* name)
{
    auto* date = new QDateEdit(QDate::currentDate(), parent);
    date->setObjectName(QString::fromLatin1(name));
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    date->setEnabled(false);
    SelectSectionOnClick(*date);
    return date;
}

}  // namespace

PhotoSearchDialog::PhotoSearchDialog(QWidget* owner, SearchProcs procs, std::vector<std::string> types,
                                     std::string albumsFolder, int thumbWidth, int thumbHeight)
    : QDialog(owner)
    , procs_(procs)
    , albumsFolder_(std::move(albumsFolder))
    , thumbWidth_(thumbWidth)
    , thumbHeight_(thumbHeight)
{
    setObjectName(QStringLiteral("search"));
    setWindowTitle(QStringLiteral("Pesquisar fotos"));
    auto* columns = new QHBoxLayout(this);  // the dialog owns its children

    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setPlaceholderText(QStringLiteral("parte do nome ou *.jpg"));
    form->addRow(QStringLiteral("&Nome do arquivo:"), name_);
    caption_ = new QLineEdit(this);
    caption_->setObjectName(QStringLiteral("caption"));
    form->addRow(QStringLiteral("&Legenda:"), caption_);
    useAfter_ = new QCheckBox(QStringLiteral("&Desde"), this);
    useAfter_->setObjectName(QStringLiteral("useafter"));
    after_ = DateField(this, "after");
    after_->setDate(QDate::currentDate().addYears(-1));
    form->addRow(useAfter_, after_);
    useBefore_ = new QCheckBox(QStringLiteral("A&té"), this);
    useBefore_->setObjectName(QStringLiteral("usebefore"));
    before_ = DateField(this, "before");
    form->addRow(useBefore_, before_);
    connect(useAfter_, &QCheckBox::toggled, after_, &QWidget::setEnabled);
    connect(useBefore_, &QCheckBox::toggled, before_, &QWidget::setEnabled);
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("type"));
    type_->addItem(QStringLiteral("Todos os tipos"));
    for (const std::string& t : types)
        type_->addItem(QString::fromStdString(t));
    form->addRow(QStringLiteral("&Tipo:"), type_);
    auto* sizes = new QHBoxLayout;
    minKb_ = Spin(this, "minkb", 10'000'000, QStringLiteral("qualquer"));
    maxKb_ = Spin(this, "maxkb", 10'000'000, QStringLiteral("qualquer"));
    minKb_->setSuffix(QStringLiteral(" KB"));
    maxKb_->setSuffix(QStringLiteral(" KB"));
    sizes->addWidget(minKb_);
    sizes->addWidget(new QLabel(QStringLiteral("a"), this));
    sizes->addWidget(maxKb_);
    form->addRow(QStringLiteral("Tamanho do arquivo:"), sizes);
    auto* dimensions = new QHBoxLayout;
    minWidth_ = Spin(this, "minwidth", 65535, QStringLiteral("qualquer"));
    minHeight_ = Spin(this, "minheight", 65535, QStringLiteral("qualquer"));
    dimensions->addWidget(minWidth_);
    dimensions->addWidget(new QLabel(QStringLiteral("×"), this));
    dimensions->addWidget(minHeight_);
    form->addRow(QStringLiteral("Imagem de pelo menos:"), dimensions);
    onDisk_ = new QCheckBox(QStringLiteral("Procurar também na &pasta:"), this);
    onDisk_->setObjectName(QStringLiteral("ondisk"));
    folder_ = new QLineEdit(QDir::homePath(), this);
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setEnabled(false);
    form->addRow(onDisk_, folder_);
    subfolders_ = new QCheckBox(QStringLiteral("Incluir &subpastas"), this);
    subfolders_->setObjectName(QStringLiteral("subfolders"));
    subfolders_->setChecked(true);
    subfolders_->setEnabled(false);
    form->addRow(QString(), subfolders_);
    connect(onDisk_, &QCheckBox::toggled, folder_, &QWidget::setEnabled);
    connect(onDisk_, &QCheckBox::toggled, subfolders_, &QWidget::setEnabled);
    searchButton_ = new QPushButton(QStringLiteral("&Pesquisar"), this);
    searchButton_->setObjectName(QStringLiteral("searchbutton"));
    searchButton_->setDefault(true);
    connect(searchButton_, &QPushButton::clicked, this, [this] { startSearch(); });
    form->addRow(QString(), searchButton_);
    columns->addLayout(form);

    auto* right = new QVBoxLayout;
    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("results"));
    results_->setViewMode(QListView::IconMode);
    results_->setIconSize(QSize(thumbWidth_, thumbHeight_));
    results_->setGridSize(QSize(thumbWidth_ + 24, thumbHeight_ + 34));
    results_->setResizeMode(QListView::Adjust);
    results_->setMovement(QListView::Static);
    results_->setMinimumSize(4 * (thumbWidth_ + 24) + 24, 2 * (thumbHeight_ + 34) + 8);
    connect(results_, &QListWidget::currentRowChanged, this, [this](int row) {
        showPreview(row);
        updateButtons();
    });
    connect(results_, &QListWidget::itemDoubleClicked, this, [this] { openChosen(); });
    right->addWidget(results_, 1);
    auto* below = new QHBoxLayout;
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    preview_->setAlignment(Qt::AlignCenter);
    below->addWidget(preview_);
    auto* actions = new QVBoxLayout;
    status_ = new QLabel(QStringLiteral("Escolha o que procurar e clique em Pesquisar."), this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    actions->addWidget(status_);
    actions->addStretch();
    openButton_ = new QPushButton(QStringLiteral("&Abrir foto"), this);
    openButton_->setObjectName(QStringLiteral("open"));
    connect(openButton_, &QPushButton::clicked, this, [this] { openChosen(); });
    albumButton_ = new QPushButton(QStringLiteral("&Criar álbum com os resultados"), this);
    albumButton_->setObjectName(QStringLiteral("album"));
    connect(albumButton_, &QPushButton::clicked, this, [this] { makeResultsAlbum(); });
    auto* close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, [this] { done(kSearchCancelled); });
    actions->addWidget(openButton_);
    actions->addWidget(albumButton_);
    actions->addWidget(close);
    below->addLayout(actions, 1);
    right->addLayout(below);
    columns->addLayout(right, 1);
    updateButtons();
}

PhotoSearchDialog::~PhotoSearchDialog()
{
    worker_.request_stop();
}

album::SearchCriteria PhotoSearchDialog::criteria() const
{
    album::SearchCriteria c;
    c.name = name_->text().trimmed().toStdString();
    c.caption = caption_->text().trimmed().toStdString();
    if (useAfter_->isChecked())
        c.after = QDateTime(after_->date(), QTime(0, 0)).toSecsSinceEpoch();
    if (useBefore_->isChecked())
        c.before = QDateTime(before_->date().addDays(1), QTime(0, 0)).toSecsSinceEpoch();
    if (type_->currentIndex() > 0)
        c.types = {type_->currentText().toStdString()};
    if (minKb_->value() > 0)
        c.minBytes = std::uint64_t(minKb_->value()) * 1024;
    if (maxKb_->value() > 0)
        c.maxBytes = std::uint64_t(maxKb_->value()) * 1024 + 1023;
    c.minWidth = minWidth_->value();
    c.minHeight = minHeight_->value();
    return c;
}

void PhotoSearchDialog::startSearch()
{
    if (searching_)
        return;
    searching_ = true;
    status_->setText(QStringLiteral("Pesquisando..."));
    updateButtons();
    const album::SearchCriteria c = criteria();
    const std::string folder = onDisk_->isChecked() ? folder_->text().toStdString() : std::string();
    const bool recursive = subfolders_->isChecked();
    worker_ = std::jthread([this, c, folder, recursive, albums = albumsFolder_](std::stop_token stop) {
        const album::StopRequest stopped = [&stop] { return stop.stop_requested(); };
        auto hits = std::make_shared<std::vector<album::SearchHit>>(album::SearchAlbumFolder(albums, c, {}, stopped));
        if (!folder.empty() && !stop.stop_requested())
            for (album::SearchHit& hit : album::SearchPhotoFolder(folder, c, recursive, 0, stopped))
                hits->push_back(std::move(hit));
        const bool halted = stop.stop_requested();
        QMetaObject::invokeMethod(this, [this, hits, halted] { showHits(std::move(*hits), halted); }, Qt::QueuedConnection);
    });
}

void PhotoSearchDialog::showHits(std::vector<album::SearchHit> hits, bool stopped)
{
    searching_ = false;
    hits_ = std::move(hits);
    results_->clear();
    for (const album::SearchHit& hit : hits_) {
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(thumbnailOf(hit))), FileName(hit.path), results_);
        item->setToolTip(QString::fromStdString(hit.path));
    }
    status_->setText(stopped ? QStringLiteral("Pesquisa interrompida.")
                             : hits_.size() == 1 ? QStringLiteral("1 foto encontrada.")
                                                 : QStringLiteral("%1 fotos encontradas.").arg(hits_.size()));
    if (!hits_.empty())
        results_->setCurrentRow(0);
    updateButtons();
}

QImage PhotoSearchDialog::thumbnailOf(const album::SearchHit& hit) const
{
    QImage canvas(thumbWidth_, thumbHeight_, QImage::Format_RGB32);
    canvas.fill(app::SharedBrushColour());
    if (!hit.entry || !procs_.fit || !procs_.draw)
        return canvas;
    const HDIB thumbnail = hit.entry->thumbnailCopy();
    const HDIB fitted = thumbnail ? procs_.fit(&thumbnail, std::uint16_t(thumbWidth_), std::uint16_t(thumbHeight_)) : HDIB();
    if (!fitted)
        return canvas;
    QPainter painter(&canvas);
    app::PainterSurface surface(painter);
    const Rect whole{0, 0, thumbWidth_, thumbHeight_};
    procs_.draw(&surface, &whole, &fitted);
    return canvas;
}

void PhotoSearchDialog::showPreview(int row)
{
    preview_->clear();
    if (row < 0 || row >= int(hits_.size()) || !procs_.load || !procs_.draw)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const HDIB photo = procs_.load(hits_[std::size_t(row)].path.c_str());
    QApplication::restoreOverrideCursor();
    QImage canvas(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    canvas.fill(palette().color(QPalette::Window));
    if (photo) {
        QPainter painter(&canvas);
        app::PainterSurface surface(painter);
        const Rect whole{0, 0, kPreviewWidth, kPreviewHeight};
        procs_.draw(&surface, &whole, &photo);
    }
    preview_->setPixmap(QPixmap::fromImage(canvas));
}

void PhotoSearchDialog::updateButtons()
{
    searchButton_->setEnabled(!searching_);
    openButton_->setEnabled(!searching_ && results_->currentRow() >= 0);
    albumButton_->setEnabled(!searching_ && !hits_.empty());
}

void PhotoSearchDialog::openChosen()
{
    const int row = results_->currentRow();
    if (searching_ || row < 0 || row >= int(hits_.size()))
        return;
    answer_ = hits_[std::size_t(row)].path;
    done(kSearchOpenPhoto);
}

void PhotoSearchDialog::makeResultsAlbum()
{
    if (searching_ || hits_.empty())
        return;
    const std::string path = (std::filesystem::path(albumsFolder_) / kResultsFile).string();
    if (!album::WriteResultsAlbum(hits_, path))
        return;  // the album writer has told the user
    answer_ = path;
    done(kSearchResultsAlbum);
}

}  // namespace lv::search
