#include "app/recovery/preferences_dialog.h"

#include "app/core/recovery/recovery_autosave.h"
#include "common/settings_keys.h"
#include "app/widgets/dialog_buttons.h"
#include "app/shell/dialog_help.h"
#include "app/widgets/qt_text.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

constexpr int kTitle = 36210;
constexpr int kAutoSaveLabel = 36211;
constexpr int kIntervalLabel = 36212;
constexpr int kSecondsSuffix = 36213;
constexpr int kExplanation = 36214;

}  // namespace

PreferencesDialog::PreferencesDialog(QWidget* parent, int autoSaveSeconds)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("preferences"));
    setWindowTitle(StringText(kTitle));
    UseDialogHelp(*this, skin::kPreferencesDialog);
    auto* layout = new QVBoxLayout(this);

    autoSave_ = new QCheckBox(StringText(kAutoSaveLabel), this);
    autoSave_->setChecked(autoSaveSeconds > 0);
    layout->addWidget(autoSave_);

    interval_ = new QSpinBox(this);
    interval_->setRange(1, kMaxAutoSaveSeconds);
    interval_->setSuffix(StringText(kSecondsSuffix));
    interval_->setValue(autoSaveSeconds > 0 ? autoSaveSeconds : setting::kAutoSaveSeconds.def);
    interval_->setEnabled(autoSave_->isChecked());
    auto* form = new QFormLayout;
    auto* label = new QLabel(StringText(kIntervalLabel), this);
    label->setBuddy(interval_);
    form->addRow(label, interval_);
    layout->addLayout(form);
    connect(autoSave_, &QCheckBox::toggled, interval_, &QSpinBox::setEnabled);

    auto* explanation = new QLabel(StringText(kExplanation), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    QDialogButtonBox* buttons = OkCancelButtons(*this);
    layout->addWidget(buttons);
}

int PreferencesDialog::autoSaveSeconds() const
{
    return autoSave_->isChecked() ? interval_->value() : 0;
}

}  // namespace lv::app
