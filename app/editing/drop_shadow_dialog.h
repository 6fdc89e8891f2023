#pragma once
// The drop shadow's settings (blur radius, intensity, offset): a small dialog of their own
// for the text screen's "Sombra projetada", and the same fields inside the text dialog.

#include "edit/layer_stack.h"
#include "edit/text_layer/drop_shadow.h"

#include <QDialog>

#include <memory>

class QFormLayout;
class QSpinBox;
class QWidget;

namespace lv::app {

// The four spin boxes, added as rows of `form`; their parent is `parent`.
class DropShadowFields {
public:
    DropShadowFields(QWidget* parent, QFormLayout& form, const DropShadowSettings& settings);
    DropShadowSettings settings() const;

private:
    QSpinBox* radius_ = nullptr;
    QSpinBox* intensity_ = nullptr;
    QSpinBox* dx_ = nullptr;
    QSpinBox* dy_ = nullptr;
};

class DropShadowDialog final : public QDialog {
public:
    DropShadowDialog(QWidget* parent, const DropShadowSettings& settings);
    DropShadowSettings settings() const;

private:
    std::unique_ptr<DropShadowFields> fields_;
};

// Asks for the shadow of the current text layer, starting from `last`, and adds it. False
// when the user cancels or the shadow could not be made (with a beep); `last` keeps what
// was accepted.
bool AskAndAddDropShadow(QWidget* parent, LayerStack& document, DropShadowSettings& last);

}  // namespace lv::app
