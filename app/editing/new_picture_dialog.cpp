#include "app/editing/new_picture_dialog.h"

#include "common/program_paths.h"
#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"
#include "app/shell/clipboard_exchange.h"
#include "app/widgets/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kUnitWordString = 140;  // 140 "Pixel", 141 "Polegada", 142 "Cm"
constexpr double kLargestLength = 1e6;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

}  // namespace

NewPictureDialog::NewPictureDialog(QWidget* parent, SettingsStore& store)
    : QDialog(parent)
    , store_(store)
{
    setObjectName(QStringLiteral("new"));
    setWindowTitle(QStringLiteral("Nova imagem"));
    UseDialogHelp(*this, skin::kNewPictureDialog);
    auto* form = new QFormLayout;
    width_ = new QDoubleSpinBox(this);
    height_ = new QDoubleSpinBox(this);
    width_->setObjectName(QStringLiteral("width"));
    height_->setObjectName(QStringLiteral("height"));
    for (QDoubleSpinBox* box : {width_, height_})
        box->setRange(0, kLargestLength);
    unit_ = new QComboBox(this);
    for (int i = 0; i < 3; ++i)
        unit_->addItem(StringText(kUnitWordString + i), i + 1);
    dpi_ = new QSpinBox(this);
    dpi_->setRange(1, 9999);
    dpi_->setValue(200);
    form->addRow(QStringLiteral("&Largura:"), width_);
    form->addRow(QStringLiteral("A&ltura:"), height_);
    form->addRow(QStringLiteral("&Unidade:"), unit_);
    form->addRow(QStringLiteral("&Resolução (dpi):"), dpi_);
    showUnit(SizeUnit::Pixel);
    // A picture on the clipboard is most likely what the new one is for.
    const QSize clipboard = ClipboardPictureSize();
    const bool fromClipboard = clipboard.width() > 0 && clipboard.height() > 0;
    width_->setValue(fromClipboard ? clipboard.width() : kDefaultWidth);
    height_->setValue(fromClipboard ? clipboard.height() : kDefaultHeight);
    connect(unit_, &QComboBox::currentIndexChanged, this, [this] { unitChosen(); });

    auto* recentLabel = new QLabel(QStringLiteral("&Tamanhos recentes:"), this);
    recent_ = new QListWidget(this);
    recent_->setObjectName(QStringLiteral("recent"));
    recentLabel->setBuddy(recent_);
    recentSizes_ = RecentSizes(store_).read();
    for (const PictureSize& size : recentSizes_)
        recent_->addItem(QString::fromStdString(SizeListText(size)));
    const auto choose = [this](int row) {
        if (row >= 0 && row < int(recentSizes_.size()))
            setSize(recentSizes_[std::size_t(row)]);
    };
    connect(recent_, &QListWidget::currentRowChanged, this, choose);
    connect(recent_, &QListWidget::itemClicked, this, [this, choose](QListWidgetItem* item) { choose(recent_->row(item)); });

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(recentLabel);
    layout->addWidget(recent_);
    layout->addWidget(buttons);
}

SizeUnit NewPictureDialog::unit() const
{
    return SizeUnit(unit_->currentData().toInt());
}

// Whole pixels, or hundredths of inches and centimetres.
void NewPictureDialog::showUnit(SizeUnit unit)
{
    for (QDoubleSpinBox* box : {width_, height_}) {
        box->setDecimals(UnitDecimals(unit));
        box->setSingleStep(unit == SizeUnit::Pixel ? 1.0 : 0.1);
    }
    shownUnit_ = unit;
}

void NewPictureDialog::unitChosen()
{
    const SizeUnit from = shownUnit_;
    const SizeUnit to = unit();
    const double width = ConvertLength(width_->value(), from, to, dpi_->value());
    const double height = ConvertLength(height_->value(), from, to, dpi_->value());
    showUnit(to);
    width_->setValue(width);
    height_->setValue(height);
}

void NewPictureDialog::setSize(const PictureSize& size)
{
    {
        const QSignalBlocker quiet(unit_);  // the size is in its unit already
        unit_->setCurrentIndex(int(size.unit) - 1);
    }
    showUnit(size.unit);
    width_->setValue(size.width);
    height_->setValue(size.height);
}

void NewPictureDialog::accept()
{
    const SizeUnit unit = this->unit();
    const int dpi = dpi_->value();
    const auto checked = CheckNewPictureSize(
        {LengthInPixels(width_->value(), unit, dpi), LengthInPixels(height_->value(), unit, dpi), dpi, unit});
    if (!checked)
        return;
    request_ = checked;
    RecentSizes(store_).remember(RememberedSize(*checked));
    QDialog::accept();
}

std::optional<NewPictureRequest> RunNewPictureDialog(QWidget* parent)
{
    ProfileStore store(ConfigFilePath());
    NewPictureDialog dialog(parent, store);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

}  // namespace lv::app
