#include "app/projects/panorama_window.h"

#include "app/widgets/dib_image.h"
#include "imagelib/dib_geometry.h"
#include "projects/panorama/covered_crop.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

QPushButton* Button(const QString& text, const QString& name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

// The preview takes the main window's width (the screen's without one) and a third of its
// height, less the window's frame, so the whole window stays over the program.
QSize PreviewSize(const QWidget* parent)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = parent ? parent->size() : screen ? screen->availableSize() : QSize(1024, 768);
    return {std::max(320, available.width() - 80), std::max(160, available.height() / 3)};
}

}  // namespace

PanoramaWindow::PanoramaWindow(QWidget* parent, std::vector<std::string> photos, Opener open, const TestHooks& hooks)
    : QDialog(parent)
    , hooks_(hooks)
    , open_(std::move(open))
{
    setObjectName(QStringLiteral("stitchwnd"));
    setWindowTitle(QStringLiteral("Panorama"));
    setWindowModality(Qt::ApplicationModal);

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("photos"));
    for (const std::string& path : photos) {
        const QString name = QString::fromStdString(path);
        auto* item = new QListWidgetItem(QFileInfo(name).fileName(), list_);
        item->setToolTip(name);
        item->setData(Qt::UserRole, name);
    }
    list_->setCurrentRow(0);
    list_->setMaximumHeight(140);
    up_ = Button(QStringLiteral("Para cima"), QStringLiteral("up"));
    down_ = Button(QStringLiteral("Para baixo"), QStringLiteral("down"));
    remove_ = Button(QStringLiteral("Remover"), QStringLiteral("remove"));
    auto* order = new QVBoxLayout;
    order->addWidget(up_);
    order->addWidget(down_);
    order->addWidget(remove_);
    order->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(list_, 1);
    listRow->addLayout(order);

    preview_ = new QLabel(QStringLiteral("Escolha a ordem das fotos, da esquerda para a direita, e clique em \"Juntar fotos\"."));
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setWordWrap(true);
    preview_->setMinimumSize(PreviewSize(parent));
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    progress_ = new QProgressBar;
    progress_->setRange(0, 100);
    progress_->setVisible(false);
    crop_ = new QCheckBox(QStringLiteral("Cortar as bordas irregulares"));
    crop_->setObjectName(QStringLiteral("crop"));

    stitch_ = Button(QStringLiteral("Juntar fotos"), QStringLiteral("stitch"));
    openButton_ = Button(QStringLiteral("Abrir como nova imagem"), QStringLiteral("open"));
    auto* close = Button(QStringLiteral("Fechar"), QStringLiteral("close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(crop_);
    buttons->addStretch();
    buttons->addWidget(stitch_);
    buttons->addWidget(openButton_);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addWidget(preview_, 1);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(up_, &QPushButton::clicked, this, [this] { moveCurrent(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveCurrent(1); });
    connect(remove_, &QPushButton::clicked, this, [this] { removeCurrent(); });
    connect(stitch_, &QPushButton::clicked, this, [this] { stitch(); });
    connect(openButton_, &QPushButton::clicked, this, [this] { openResult(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    connect(crop_, &QCheckBox::toggled, this, [this] { showPreview(); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    updateButtons();
    stitch_->setFocus();
    LV_TEST_LOG(hooks_, QStringLiteral("panorama window %1 photos").arg(list_->count()));
}

PanoramaWindow::~PanoramaWindow() = default;

std::vector<std::string> PanoramaWindow::photos() const
{
    std::vector<std::string> paths;
    for (int i = 0; i < list_->count(); ++i)
        paths.push_back(list_->item(i)->data(Qt::UserRole).toString().toStdString());
    return paths;
}

void PanoramaWindow::moveCurrent(int step)
{
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count())
        return;
    list_->insertItem(target, list_->takeItem(row));
    list_->setCurrentRow(target);
}

void PanoramaWindow::removeCurrent()
{
    const int row = list_->currentRow();
    if (row >= 0)
        delete list_->takeItem(row);  // the list hands the item back to its caller to delete
    updateButtons();
}

void PanoramaWindow::stitch()
{
    if (job_)
        return;
    whole_.reset();
    cropped_.reset();
    status_->clear();
    progress_->setValue(0);
    progress_->setVisible(true);
    setCursor(Qt::BusyCursor);
    LV_TEST_LOG(hooks_, QStringLiteral("panorama stitching %1").arg(list_->count()));
    job_ = std::make_unique<PanoramaJob>(
        *this, photos(), [this](int percent) { progress_->setValue(percent); },
        [this](panorama::Panorama result) { stitched(std::move(result)); });
    updateButtons();
}

void PanoramaWindow::stitched(panorama::Panorama result)
{
    job_.reset();
    unsetCursor();
    progress_->setVisible(false);
    if (closeWhenDone_) {
        deleteLater();
        return;
    }
    if (!result.ok()) {
        status_->setText(QString::fromStdString(result.failure));
        LV_TEST_LOG(hooks_, QStringLiteral("panorama failed %1").arg(QString::fromStdString(result.failure)));
    } else {
        LV_TEST_LOG(hooks_, QStringLiteral("panorama stitched %1 %2").arg(result.picture.width()).arg(result.picture.height()));
        whole_ = std::move(result);
    }
    showPreview();
    updateButtons();
    if (whole_)
        openButton_->setFocus();
}

void PanoramaWindow::showPreview()
{
    if (!whole_)
        return;
    if (crop_->isChecked() && !cropped_)
        cropped_ = panorama::CropToCovered(*whole_);
    const panorama::Panorama& shown = crop_->isChecked() ? *cropped_ : *whole_;
    if (!shown.ok()) {
        status_->setText(QString::fromStdString(shown.failure));
        preview_->clear();
        return;
    }
    const QSize box = preview_->size();
    const HDIB small = DibScaledCopy(shown.picture, box.width(), box.height(), true);
    preview_->setPixmap(QPixmap::fromImage(DibToImage(small)));
    status_->setText(QStringLiteral("%1 × %2 pixels").arg(shown.picture.width()).arg(shown.picture.height()));
    LV_TEST_LOG(hooks_, QStringLiteral("panorama preview %1 %2").arg(shown.picture.width()).arg(shown.picture.height()));
    updateButtons();
}

void PanoramaWindow::openResult()
{
    const std::optional<panorama::Panorama>& chosen = crop_->isChecked() ? cropped_ : whole_;
    if (!chosen || !chosen->ok())
        return;
    // The document gets its own copy: the window may stitch again.
    HDIB picture = DibCropPicture(chosen->picture, Rect::fromSize(0, 0, chosen->picture.width(), chosen->picture.height()));
    if (!picture || !open_(std::move(picture))) {
        status_->setText(QStringLiteral("Não foi possível abrir o panorama: faltou memória."));
        return;
    }
    LV_TEST_LOG(hooks_, QStringLiteral("panorama opened"));
    accept();
}

void PanoramaWindow::updateButtons()
{
    const bool idle = !job_;
    const int row = list_->currentRow();
    up_->setEnabled(idle && row > 0);
    down_->setEnabled(idle && row >= 0 && row + 1 < list_->count());
    remove_->setEnabled(idle && row >= 0);
    list_->setEnabled(idle);
    stitch_->setEnabled(idle && list_->count() >= panorama::kMinPhotos);
    crop_->setEnabled(idle);
    const std::optional<panorama::Panorama>& chosen = crop_->isChecked() ? cropped_ : whole_;
    openButton_->setEnabled(idle && chosen && chosen->ok());
}

// Closing during a stitch hides the window; it goes once the worker has finished, so the
// user never waits on a frozen window for the thread to end.
void PanoramaWindow::closeEvent(QCloseEvent* event)
{
    if (job_) {
        closeWhenDone_ = true;
        hide();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void PanoramaWindow::reject()
{
    if (job_) {
        closeWhenDone_ = true;
        hide();
        return;
    }
    QDialog::reject();
}

}  // namespace lv::app
