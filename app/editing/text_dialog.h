#pragma once
// The text tool's dialog: the text (up to 1023 bytes), the font, smooth edges, alignment,
// line and letter spacing, and the drop shadow with its settings. Ctrl+Return accepts it,
// since Return starts a new line.

#include "app/editing/drop_shadow_dialog.h"
#include "edit/tools/text/text_tool.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace lv::app {

// The family a font is drawn with (the stored name may stand for another: "Arial").
using DrawnFace = std::function<QString(const LogFont&)>;

class TextDialog final : public QDialog {
public:
    TextDialog(QWidget* parent, const TextToolChoice& choice, bool editing, DrawnFace drawnFace = {});

    // The choice as the dialog shows it (colour and place as given).
    TextToolChoice choice() const;

private:
    void chooseFont();
    void showFont();
    void limitText();

    TextToolChoice choice_;
    DrawnFace drawnFace_;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* font_ = nullptr;
    QCheckBox* smooth_ = nullptr;
    QComboBox* alignment_ = nullptr;
    QSpinBox* lineSpacing_ = nullptr;
    QSpinBox* letterSpacing_ = nullptr;
    QGroupBox* shadow_ = nullptr;
    std::unique_ptr<DropShadowFields> shadowFields_;
};

// The program's font dialog for a text layer's font, opened on the face it is drawn with;
// the stored name stays when that face is kept. False when cancelled.
bool ChooseTextFont(QWidget* parent, LogFont& font, const DrawnFace& drawnFace = {});

}  // namespace lv::app
