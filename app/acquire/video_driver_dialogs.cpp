#include "app/acquire/video_driver_dialogs.h"

#include "app/widgets/qt_text.h"
#include "common/beep.h"
#include "common/ui_service.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace lv::app {
namespace {

// The dialog's name and title, a form for its rows and OK and Cancelar below it (the dialog
// owns them all).
QFormLayout* FormWithButtons(QDialog& dialog, const QString& name, const QString& title)
{
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return form;
}

QString ControlName(std::uint32_t id)
{
    return QStringLiteral("control %1").arg(id);
}

}  // namespace

VideoSourceDialog::VideoSourceDialog(QWidget* parent, video::CaptureDriver& driver)
    : QDialog(parent)
    , driver_(driver)
    , original_(driver.controls())
{
    QFormLayout* form = FormWithButtons(*this, QStringLiteral("video source"), QStringLiteral("Origem do vídeo"));
    for (const video::VideoControl& control : original_) {
        const QString label = QtText(control.name);
        switch (control.kind) {
        case video::VideoControl::Kind::Boolean: {
            auto* box = new QCheckBox(label, this);
            box->setObjectName(ControlName(control.id));
            box->setChecked(control.value != 0);
            connect(box, &QCheckBox::toggled, this, [this, id = control.id](bool on) { set(id, on ? 1 : 0); });
            form->addRow(box);
            break;
        }
        case video::VideoControl::Kind::Menu: {
            auto* menu = new QComboBox(this);
            menu->setObjectName(ControlName(control.id));
            for (const auto& [value, text] : control.menu) {
                menu->addItem(QtText(text), value);
                if (value == control.value)
                    menu->setCurrentIndex(menu->count() - 1);
            }
            connect(menu, &QComboBox::activated, this,
                    [this, menu, id = control.id](int index) { set(id, menu->itemData(index).toInt()); });
            form->addRow(label, menu);
            break;
        }
        case video::VideoControl::Kind::Integer: {
            auto* slider = new QSlider(Qt::Horizontal, this);
            slider->setObjectName(ControlName(control.id));
            slider->setRange(control.minimum, control.maximum);
            slider->setSingleStep(control.step);
            slider->setPageStep(std::max(control.step, (control.maximum - control.minimum) / 10));
            slider->setValue(control.value);
            auto* value = new QLabel(QString::number(control.value), this);
            value->setMinimumWidth(40);
            connect(slider, &QSlider::valueChanged, this, [this, value, id = control.id](int v) {
                value->setNum(v);
                set(id, v);
            });
            auto* row = new QHBoxLayout;
            row->addWidget(slider);
            row->addWidget(value);
            form->addRow(label, row);
            break;
        }
        }
    }
}

void VideoSourceDialog::set(std::uint32_t id, int value)
{
    driver_.setControl(id, value);
}

bool VideoSourceDialog::changed() const
{
    const auto now = driver_.controls();
    for (const video::VideoControl& before : original_) {
        const auto it = std::find_if(now.begin(), now.end(), [&](const auto& c) { return c.id == before.id; });
        if (it != now.end() && it->value != before.value)
            return true;
    }
    return false;
}

void VideoSourceDialog::reject()
{
    for (const video::VideoControl& before : original_)
        driver_.setControl(before.id, before.value);
    QDialog::reject();
}

VideoFormatDialog::VideoFormatDialog(QWidget* parent, video::CaptureDriver& driver)
    : QDialog(parent)
    , driver_(driver)
    , options_(driver.formatOptions())
{
    QFormLayout* form = FormWithButtons(*this, QStringLiteral("video format"), QStringLiteral("Formato do vídeo"));
    coding_ = new QComboBox(this);
    coding_->setObjectName(QStringLiteral("coding"));
    size_ = new QComboBox(this);
    size_->setObjectName(QStringLiteral("size"));
    form->addRow(QStringLiteral("Formato:"), coding_);
    form->addRow(QStringLiteral("Tamanho:"), size_);
    const video::DeviceLayout current = driver.layout();
    for (const video::FormatOption& option : options_) {
        coding_->addItem(QtText(option.name.empty() ? video::PixelCodingName(option.coding) : option.name));
        if (option.coding == current.coding)
            coding_->setCurrentIndex(coding_->count() - 1);
    }
    fillSizes();
    const int currentSize = size_->findText(QStringLiteral("%1 × %2").arg(current.width).arg(current.height));
    if (currentSize >= 0)
        size_->setCurrentIndex(currentSize);
    connect(coding_, &QComboBox::currentIndexChanged, this, [this] { fillSizes(); });
}

void VideoFormatDialog::fillSizes()
{
    size_->clear();
    const int index = coding_->currentIndex();
    if (index < 0 || index >= int(options_.size()))
        return;
    for (const Size& size : options_[std::size_t(index)].sizes)
        size_->addItem(QStringLiteral("%1 × %2").arg(size.width).arg(size.height), QSize(size.width, size.height));
    size_->setCurrentIndex(size_->count() - 1);
}

void VideoFormatDialog::accept()
{
    const int index = coding_->currentIndex();
    const QSize size = size_->currentData().toSize();
    if (index < 0 || index >= int(options_.size()) || size.isEmpty())
        return;
    if (!driver_.setFormat(options_[std::size_t(index)].coding, {size.width(), size.height()})) {
        ui::Beep("format refused");
        return;
    }
    QDialog::accept();
}

bool QtDriverDialogs::videoSource(video::CaptureDriver& driver)
{
    VideoSourceDialog dialog(parent_, driver);
    return dialog.exec() == QDialog::Accepted && dialog.changed();
}

bool QtDriverDialogs::videoFormat(video::CaptureDriver& driver)
{
    VideoFormatDialog dialog(parent_, driver);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace lv::app
