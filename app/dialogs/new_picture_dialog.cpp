#include "app/dialogs/new_picture_dialog.h"

#include "app/core/program_paths.h"
#include "app/dialogs/dialog_buttons.h"
#include "app/widgets/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kUnitWordString = 140;  // 140 "Pixel", 141 "Polegada", 142 "Cm"

}  // namespace

NewPictureDialog::NewPictureDialog(QWidget* parent, SettingsStore& store)
    : QDialog(parent)
    , store_(store)
{
    setWindowTitle(QStringLiteral("Nova imagem"));
    auto* form = new QFormLayout;
    width_ = new QDoubleSpinBox(this);
    height_ = new QDoubleSpinBox(this);
    for (QDoubleSpinBox* box : {width_, height_}) {
        box->setRange(0, 1e6);
        box->setDecimals(3);
    }
    width_->setValue(640);
    height_->setValue(480);
    unit_ = new QComboBox(this);
    for (int i = 0; i < 3; ++i)
        unit_->addItem(StringText(kUnitWordString + i), i + 1);
    dpi_ = new QSpinBox(this);
    dpi_->setRange(1, 9999);
    dpi_->setValue(200);
    form->addRow(QStringLiteral("Largura:"), width_);
    form->addRow(QStringLiteral("Altura:"), height_);
    form->addRow(QStringLiteral("Unidade:"), unit_);
    form->addRow(QStringLiteral("Resolução (dpi):"), dpi_);

    recent_ = new QListWidget(this);
    recentSizes_ = RecentSizes(store_).read();
    for (const PictureSize& size : recentSizes_)
        recent_->addItem(QString::fromStdString(SizeListText(size)));
    connect(recent_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < int(recentSizes_.size()))
            setSize(recentSizes_[std::size_t(row)]);
    });

    QDialogButtonBox* buttons = OkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(recent_);
    layout->addWidget(buttons);
}

void NewPictureDialog::setSize(const PictureSize& size)
{
    width_->setValue(size.width);
    height_->setValue(size.height);
    unit_->setCurrentIndex(int(size.unit) - 1);
}

void NewPictureDialog::accept()
{
    const auto unit = SizeUnit(unit_->currentData().toInt());
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
