#pragma once
// "Preferências": the program's own settings that the original screens have no place for,
// for now the recovery copies: on or off, and the seconds between them.

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace lv::app {

class PreferencesDialog final : public QDialog {
public:
    // `autoSaveSeconds` 0 shows the copies switched off (with the usual interval offered).
    PreferencesDialog(QWidget* parent, int autoSaveSeconds);

    // The interval chosen; 0 when the copies are switched off.
    int autoSaveSeconds() const;

    QCheckBox* autoSave() const { return autoSave_; }
    QSpinBox* interval() const { return interval_; }

private:
    QCheckBox* autoSave_;
    QSpinBox* interval_;
};

}  // namespace lv::app
