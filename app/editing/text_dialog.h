#pragma once
// The text tool's dialog: the text (up to 1023 bytes), the font, smooth edges, alignment,
// line and letter spacing, and the drop shadow with its settings. Ctrl+Return accepts it,
// since Return starts a new line.

#include "app/editing/drop_shadow_dialog.h"
#include "edit/tools/text/text_tool.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace lv::app {

class TextDialog final : public QDialog {
public:
    TextDialog(QWidget* parent, const TextToolChoice& choice, bool editing);

    // The choice as the dialog shows it (colour and place as given).
    TextToolChoice choice() const;

private:
    void chooseFont();
    void showFont();
    void limitText();

    TextToolChoice choice_;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* font_ = nullptr;
    QCheckBox* smooth_ = nullptr;
    QComboBox* alignment_ = nullptr;
    QSpinBox* lineSpacing_ = nullptr;
    QSpinBox* letterSpacing_ = nullptr;
    QGroupBox* shadow_ = nullptr;
    std::unique_ptr<DropShadowFields> shadowFields_;
};

// The program's font dialog for a text layer's font; false when cancelled.
bool ChooseTextFont(QWidget* parent, LogFont& font);

}  // namespace lv::app
