#include "app/output/layout_page_dialog.h"

#include "album/album.h"
#include "common/beep.h"
#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_store.h"
#include "app/output/calibration_dialog.h"
#include "app/output/print_preview_dialog.h"
#include "app/output/printer_setup.h"
#include "app/widgets/dib_image.h"
#include "app/output/sheet_view.h"
#include "app/output/side_buttons.h"
#include "common/file_problem.h"
#include "common/ui_service.h"
#include "output/print/print_photo_loader.h"
#include "output/qt_print/qt_printer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kPageSide = 600;

QString sizeName(const print::PhotoSize& s)
{
    return QStringLiteral("%1 × %2 pol").arg(s.width).arg(s.height);
}

}  // namespace

// The sheet with its slots; a click makes a slot the current one.
class LayoutPageView final : public SheetView {
public:
    explicit LayoutPageView(LayoutPageDialog& dialog)
        : SheetView(&dialog, kPageSide)
        , dialog_(dialog)
    {
        setObjectName(QStringLiteral("layoutpage"));
    }
    void refresh()
    {
        render(dialog_.metrics(), [&](print::PrintSurface& s) {
            print::DrawLayoutPage(s, dialog_.page(), dialog_.margins(), true);
        });
    }

protected:
    void paintOverlay(QPainter& p) override
    {
        const auto& pageSlots = dialog_.page().slotList();
        if (pageSlots.empty())
            return;
        const print::PageMargins margins = dialog_.margins();
        const Rect r = pageSlots[std::size_t(dialog_.page().current())].rect.translated(margins.left, margins.top);
        p.setPen(QPen(QColor(230, 120, 20), 2));
        p.drawRect(onScreen(r));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        const QPointF at = toDevice(e->position());
        const print::PageMargins margins = dialog_.margins();
        const auto& pageSlots = dialog_.page().slotList();
        for (std::size_t i = 0; i < pageSlots.size(); ++i) {
            const Rect& r = pageSlots[i].rect;
            if (QRectF(r.left + margins.left, r.top + margins.top, r.width(), r.height()).contains(at)) {
                dialog_.page().setCurrent(int(i));
                dialog_.pageChanged();
                return;
            }
        }
    }

private:
    LayoutPageDialog& dialog_;
};

LayoutPageDialog::LayoutPageDialog(QWidget* parent, print::LayoutPage& page, int kind, LayoutPageSources sources)
    : QDialog(parent)
    , page_(page)
    , sources_(std::move(sources))
    , labelFile_(print::ReadLabelFile(ProgramFile(print::kLabelFileName)))
{
    setObjectName(QStringLiteral("layoutpagedialog"));
    setWindowTitle(QStringLiteral("Página de impressão"));
    brands_ = print::LabelBrands(labelFile_ ? &*labelFile_ : nullptr);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    view_ = new LayoutPageView(*this);
    left->addWidget(view_, 1);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    left->addWidget(status_);
    layout->addLayout(left, 1);

    auto* side = new QVBoxLayout;
    auto* form = new QFormLayout;
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("kind"));
    for (int k = 0; k <= 4; ++k)
        kind_->addItem(QString::fromStdString(print::LayoutKindName(k)));
    brand_ = new QComboBox(this);
    for (const print::LabelBrand& b : brands_)
        brand_->addItem(QString::fromStdString(b.name));
    product_ = new QComboBox(this);
    product_->setObjectName(QStringLiteral("product"));
    product_->setMinimumContentsLength(28);
    product_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lead_ = new QComboBox(this);
    lead_->setObjectName(QStringLiteral("lead"));
    zoom_ = new QSpinBox(this);
    zoom_->setRange(10, 100);
    zoom_->setSuffix(QStringLiteral(" %"));
    zoom_->setValue(page_.zoom());
    form->addRow(QStringLiteral("Tipo:"), kind_);
    form->addRow(QStringLiteral("Folhas:"), brand_);
    form->addRow(QStringLiteral("Modelo:"), product_);
    form->addRow(QStringLiteral("Tamanho principal:"), lead_);
    form->addRow(QStringLiteral("Zoom:"), zoom_);
    side->addLayout(form);

    side->addWidget(new QLabel(QStringLiteral("Fotos do álbum (clique duas vezes para pôr na moldura marcada):"), this));
    album_ = new QListWidget(this);
    album_->setViewMode(QListView::IconMode);
    album_->setIconSize(QSize(64, 64));
    album_->setMinimumHeight(170);
    album_->setResizeMode(QListView::Adjust);
    side->addWidget(album_, 1);
    album::Album album;
    if (!sources_.albumFile.empty() && (album.read(sources_.albumFile) || !album.empty()))
        for (std::size_t i = 0; i < album.count(); ++i) {
            auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(DibToImage(album.thumbnailCopy(int(i))))),
                                             QString::fromStdString(album.caption(int(i))), album_);
            item->setData(Qt::UserRole, QString::fromStdString(album.absolutePath(int(i), ProgramDir())));
        }

    auto* addFile = new QPushButton(QStringLiteral("Abrir foto…"), this);
    auto* openPicture = new QPushButton(QStringLiteral("Usar a imagem aberta"), this);
    openPicture->setEnabled(bool(sources_.openPicture));
    auto* fromAlbum = new QPushButton(QStringLiteral("Fotos escolhidas no álbum"), this);
    fromAlbum->setEnabled(sources_.album != nullptr);
    auto* fill = new QPushButton(QStringLiteral("Repetir em todas"), this);
    auto* clear = new QPushButton(QStringLiteral("Tirar a foto"), this);
    auto* calibration = new QPushButton(QStringLiteral("Calibração…"), this);
    auto* setup = new QPushButton(QStringLiteral("Configurar a impressora"), this);
    auto* print = new QPushButton(QStringLiteral("Visualizar e imprimir…"), this);
    print->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Fechar"), this);
    GiveButtonsRoom({addFile, openPicture, fromAlbum, fill, clear, calibration, setup, print, close});
    for (QWidget* w : std::initializer_list<QWidget*>{addFile, openPicture, fromAlbum, fill, clear, calibration, setup})
        side->addWidget(w);
    side->addWidget(print);
    side->addWidget(close);
    layout->addLayout(side);

    connect(kind_, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (!updating_)
            setKind(k);
    });
    connect(brand_, &QComboBox::currentIndexChanged, this, [this] {
        if (!updating_)
            setKind(print::kLabelLayout);
    });
    connect(product_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!updating_)
            chooseProduct(i);
    });
    connect(lead_, &QComboBox::currentIndexChanged, this, [this] {
        if (!updating_)
            layoutChanged();
    });
    connect(zoom_, &QSpinBox::valueChanged, this, [this](int z) {
        page_.setZoom(z);
        pageChanged();
    });
    connect(album_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        placePhoto(item->data(Qt::UserRole).toString().toStdString());
    });
    connect(addFile, &QPushButton::clicked, this, [this] {
        for (const QString& file : QFileDialog::getOpenFileNames(this, QStringLiteral("Abrir foto"), QString(),
                                                                 QStringLiteral("Imagens (*.jpg *.jpeg *.png *.bmp *.tif *.tiff *.gif *.pcx *.tga *.JPG *.PNG *.BMP *.TIF)")))
            placePhoto(file.toStdString());
    });
    connect(openPicture, &QPushButton::clicked, this, [this] {
        if (auto picture = sources_.openPicture ? sources_.openPicture() : nullptr) {
            page_.placeInCurrent(std::move(picture), sources_.openPictureTitle);
            pageChanged();
        } else {
            ui::Beep("picture not loaded");
        }
    });
    connect(fromAlbum, &QPushButton::clicked, this, [this] {
        for (const std::string& path : sources_.album->chosenPhotos())
            if (!placePhoto(path))
                break;
    });
    connect(fill, &QPushButton::clicked, this, [this] {
        const auto& pageSlots = page_.slotList();
        if (pageSlots.empty() || !pageSlots[std::size_t(page_.current())].picture)
            return ui::Beep("empty slot");
        const print::LayoutSlot chosen = pageSlots[std::size_t(page_.current())];
        page_.fillAll(chosen.picture, chosen.source);
        pageChanged();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        page_.clear(page_.current());
        pageChanged();
    });
    connect(calibration, &QPushButton::clicked, this, [this] {
        CalibrationDialog dialog(this);
        dialog.exec();
    });
    connect(setup, &QPushButton::clicked, this, [this] {
        if (SetUpPrinter(this))
            setKind(page_.kind());
    });
    connect(print, &QPushButton::clicked, this, [this] { printWithPreview(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    ProfileStore store(ConfigFilePath());
    const int savedProduct = Settings(store).get(setting::kLabels);
    setKind(kind);
    if (kind == print::kLabelLayout)
        chooseProduct(savedProduct);
}

print::PrinterMetrics LayoutPageDialog::metrics() const
{
    return print::ProcessPrinter().metrics(print::Orientation::Portrait);
}

print::PageMargins LayoutPageDialog::margins() const
{
    ProfileStore store(ConfigFilePath());
    const Settings settings(store);
    return print::MarginsFromSixtyFourths(settings.get(setting::kTopMargin), settings.get(setting::kLeftMargin), metrics());
}

void LayoutPageDialog::fillChoices()
{
    updating_ = true;
    const int kind = page_.kind();
    kind_->setCurrentIndex(kind);
    brand_->setEnabled(kind == print::kLabelLayout);
    product_->setEnabled(kind == print::kLabelLayout);
    lead_->setEnabled(kind != print::kLabelLayout);
    if (kind == print::kLabelLayout) {
        const std::string prefix = brands_[std::size_t(std::max(0, brand_->currentIndex()))].prefix;
        products_ = print::LabelProducts(labelFile_ ? &*labelFile_ : nullptr, prefix, metrics());
        product_->clear();
        for (const print::LabelProduct& p : products_)
            product_->addItem(p.name.empty() ? QStringLiteral("Página inteira") : QString::fromStdString(p.name));
    } else {
        const QString chosen = lead_->currentText();
        lead_->clear();
        lead_->addItem(QStringLiteral("Automático"));
        const auto sizes = kind == print::kOneSizePhotos
                               ? std::vector<print::PhotoSize>(print::kPhotoPrintSizes.begin(), print::kPhotoPrintSizes.end())
                               : print::AllowedSizes(print::RuleForLayoutKind(kind));
        for (const print::PhotoSize& s : sizes)
            lead_->addItem(sizeName(s), QVariant::fromValue(s.width * 100 + s.height));
        lead_->setCurrentIndex(std::max(0, lead_->findText(chosen)));
    }
    updating_ = false;
}

void LayoutPageDialog::setKind(int kind)
{
    if (kind == print::kLabelLayout) {
        page_.useLabels(print::LabelProducts(labelFile_ ? &*labelFile_ : nullptr,
                                             brands_[std::size_t(std::max(0, brand_->currentIndex()))].prefix, metrics())
                            .front());
    } else {
        page_.usePhotoSizes(kind, metrics(), std::nullopt);
    }
    fillChoices();
    layoutChanged();
}

void LayoutPageDialog::chooseProduct(int index)
{
    if (page_.kind() != print::kLabelLayout || products_.empty())
        return;
    index = std::clamp(index, 0, int(products_.size()) - 1);
    updating_ = true;
    product_->setCurrentIndex(index);
    updating_ = false;
    page_.useLabels(products_[std::size_t(index)]);
    pageChanged();
}

void LayoutPageDialog::layoutChanged()
{
    if (page_.kind() == print::kLabelLayout) {
        chooseProduct(product_->currentIndex());
        return;
    }
    std::optional<print::PhotoSize> lead;
    if (lead_->currentIndex() > 0) {
        const int code = lead_->currentData().toInt();
        lead = print::PhotoSize{code / 100, code % 100};
    }
    page_.usePhotoSizes(page_.kind(), metrics(), lead);
    pageChanged();
}

bool LayoutPageDialog::placePhoto(const std::string& path)
{
    const auto& pageSlots = page_.slotList();
    if (pageSlots.empty())
        return false;
    const Rect slot = pageSlots[std::size_t(page_.current())].rect;
    HDIB photo = print::LoadPhotoForPrint(path, slot.width(), slot.height());
    if (!photo) {
        ui::Current().showMessage(FileProblemMessage({FileProblem::UnknownFormat, {}}, path), ui::kWarningTitle,
                                  ui::Icon::Exclamation);
        return false;
    }
    page_.placeInCurrent(std::make_shared<const HDIB>(std::move(photo)), path);
    pageChanged();
    return true;
}

QString LayoutPageDialog::status() const
{
    return status_->text();
}

void LayoutPageDialog::pageChanged()
{
    status_->setText(QString::fromStdString(print::PhotoSizeStatus(page_, metrics())));
    view_->refresh();
}

bool LayoutPageDialog::printWithPreview()
{
    if (!page_.hasPictures()) {
        ui::Beep("empty page");
        return false;
    }
    const print::PageMargins m = margins();
    const std::optional<int> copies =
        ConfirmWithPreview(this, QStringLiteral("Visualizar impressão"), metrics(), 1,
                           [&](print::PrintSurface& s, int) { print::DrawLayoutPage(s, page_, m, false); });
    if (!copies)
        return false;
    return print::PrintLayoutPage(print::ProcessPrinter(), page_, m, *copies) == 1;
}

}  // namespace lv::app
