#include "app/projects/orientation_dialog.h"

#include "album/album.h"
#include "app/widgets/dib_image.h"
#include "common/program_paths.h"
#include "common/ui_service.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

namespace lv::app {
namespace {

constexpr int kThumbnailSide = 96;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

OrientationDialog::OrientationDialog(QWidget* parent, std::string albumPath, std::string albumName,
                                     std::vector<std::string> selected, const TestHooks& hooks)
    : QDialog(parent)
    , albumPath_(std::move(albumPath))
    , albumName_(std::move(albumName))
    , selected_(std::move(selected))
    , hooks_(hooks)
{
    setObjectName(QStringLiteral("orientationdialog"));
    setWindowTitle(QStringLiteral("Orientação das fotos"));
    auto* layout = new QVBoxLayout(this);
    counts_ = new QLabel(this);
    counts_->setWordWrap(true);
    layout->addWidget(counts_);

    list_ = new QListWidget(this);
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    list_->setGridSize(QSize(kThumbnailSide + 24, kThumbnailSide + 36));
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setMinimumSize(560, 300);
    layout->addWidget(list_, 1);
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] { updateCounts(); });

    auto* turns = new QHBoxLayout;
    const std::pair<QString, orientation::Turn> buttons[] = {
        {QStringLiteral("↺  Girar à esquerda"), orientation::Turn::Left},
        {QStringLiteral("↻  Girar à direita"), orientation::Turn::Right},
        {QStringLiteral("Automático (pela orientação da câmera)"), orientation::Turn::Upright}};
    for (const auto& [caption, kind] : buttons) {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, kind = kind] { turn(kind); });
        turns->addWidget(button);
    }
    layout->addLayout(turns);

    auto* jpeg = new QGroupBox(QStringLiteral("Fotos JPEG (giradas sem perda de qualidade)"), this);
    auto* jpegLayout = new QVBoxLayout(jpeg);
    perfect_ = new QRadioButton(QStringLiteral("Perfeito: recusar a foto cujo tamanho não é múltiplo do bloco de compressão"), jpeg);
    trim_ = new QRadioButton(QStringLiteral("Aparar: descartar as poucas linhas da borda que formam um bloco incompleto"), jpeg);
    perfect_->setChecked(true);
    losslessOnly_ = new QCheckBox(QStringLiteral("Só girar sem perda (recusar fotos que precisariam ser comprimidas de novo)"), jpeg);
    jpegLayout->addWidget(perfect_);
    jpegLayout->addWidget(trim_);
    jpegLayout->addWidget(losslessOnly_);
    layout->addWidget(jpeg);

    report_ = new QPlainTextEdit(this);
    report_->setReadOnly(true);
    report_->setPlaceholderText(QStringLiteral("O resultado aparece aqui."));
    report_->setMaximumHeight(110);
    layout->addWidget(report_);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fechar"));
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(close);
    fillList();
}

void OrientationDialog::fillList()
{
    photos_ = orientation::AlbumPhotos(albumPath_, selected_);
    album::Album album;
    album.read(albumPath_);
    list_->clear();
    for (std::size_t i = 0; i < photos_.size(); ++i) {
        const std::string name = std::filesystem::path(photos_[i].path).filename().string();
        auto* item = new QListWidgetItem(Text(photos_[i].caption.empty() ? name : photos_[i].caption), list_);
        item->setToolTip(Text(photos_[i].path));
        if (const HDIB thumbnail = album.thumbnailCopy(int(i)))
            item->setIcon(QIcon(QPixmap::fromImage(DibToImage(thumbnail))));
        item->setSelected(photos_[i].selected);
    }
    updateCounts();
}

std::vector<std::string> OrientationDialog::chosenPhotos() const
{
    std::vector<std::string> chosen;
    for (int i = 0; i < list_->count() && i < int(photos_.size()); ++i)
        if (list_->item(i)->isSelected())
            chosen.push_back(photos_[std::size_t(i)].path);
    if (chosen.empty())
        for (const orientation::AlbumPhoto& photo : photos_)
            chosen.push_back(photo.path);
    return chosen;
}

void OrientationDialog::updateCounts()
{
    const int chosen = int(list_->selectedItems().size());
    const QString album = QStringLiteral("Álbum \"%1\": %2 fotos. ").arg(Text(albumName_)).arg(photos_.size());
    counts_->setText(album + (chosen ? QStringLiteral("As ações valem para as %1 fotos escolhidas.").arg(chosen)
                                     : QStringLiteral("Nenhuma foto escolhida: as ações valem para todas.")));
}

void OrientationDialog::chooseNone()
{
    list_->clearSelection();
}

void OrientationDialog::setTrim(bool trim)
{
    (trim ? trim_ : perfect_)->setChecked(true);
}

void OrientationDialog::turn(orientation::Turn turn)
{
    const std::vector<std::string> photos = chosenPhotos();
    if (photos.empty()) {
        ui::Current().showMessage("O álbum aberto não tem fotos para girar.", ui::kProductTitle, ui::Icon::Information);
        return;
    }
    const orientation::TurnRequest request{turn, trim_->isChecked() ? orientation::EdgeBlocks::Trim
                                                                     : orientation::EdgeBlocks::Refuse,
                                           losslessOnly_->isChecked()};
    orientation::TurnReport report;
    {
        ui::BusyCursor busy;
        report = orientation::TurnPhotos(photos, request, albumPath_, [](int done, int total) {
            ui::ReportProgress("Girando as fotos", total ? done * 100 / total : 0);
            return !ui::EscapeHeld();
        });
        ui::ReportProgress("Girando as fotos", 100);
    }
    report_->setPlainText(Text(report.text()));
    if (turned_ && !report.turnedPaths.empty())
        turned_(report.turnedPaths);
    LV_TEST_LOG(hooks_, QStringLiteral("orientation turned %1 upright %2 failed %3")
                            .arg(report.turned).arg(report.upright).arg(report.failures.size()));
    selected_.clear();
    for (const QListWidgetItem* item : list_->selectedItems())
        if (const int row = list_->row(item); row >= 0 && row < int(photos_.size()))
            selected_.push_back(photos_[std::size_t(row)].path);
    fillList();  // the thumbnails made again
}

}  // namespace lv::app
