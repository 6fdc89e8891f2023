#include "app/widgets/skin_fields.h"

#include "app/widgets/qt_geometry.h"
#include "app/widgets/shared_style.h"
#include "app/widgets/skin_panel_widget.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>
#include <array>

namespace lv::app {
namespace {

enum class FieldKind { Line, Password, Text };

struct ShellField {
    int control;
    FieldKind kind;
};

constexpr std::array<ShellField, 8> kFields = {{
    {156, FieldKind::Line},      // Para
    {157, FieldKind::Line},      // Assunto
    {158, FieldKind::Text},      // Mensagem
    {160, FieldKind::Line},      // user
    {102, FieldKind::Password},  // password
    {230, FieldKind::Line},      // the wand's red, green and blue tolerances
    {231, FieldKind::Line},
    {232, FieldKind::Line},
}};

constexpr char kControlProperty[] = "controlId";
constexpr int kInset = 2;  // inside the frame the skin draws around the field

// The edit-colour request's answer: the shared font, black text on the shared brush.
void StyleField(QWidget& field)
{
    QPalette palette = field.palette();
    palette.setColor(QPalette::Base, SharedBrushColour());
    palette.setColor(QPalette::Text, Qt::black);
    field.setPalette(palette);
    field.setFont(SharedFont());
}

}  // namespace

int SkinFields::ControlOf(const QWidget* widget)
{
    return widget ? widget->property(kControlProperty).toInt() : 0;
}

void SkinFields::Clear(QWidget& root, int controlId)
{
    for (QWidget* widget : root.findChildren<QWidget*>())
        if (ControlOf(widget) == controlId) {
            if (auto* line = qobject_cast<QLineEdit*>(widget))
                line->clear();
            else if (auto* text = qobject_cast<QPlainTextEdit*>(widget))
                text->clear();
        }
}

void SkinFields::attach(SkinPanelWidget& panel)
{
    const skin::PanelInput& buttons = panel.input();
    for (int i = 0; i < int(buttons.size()); ++i) {
        const skin::PanelControl& c = buttons.control(i);
        const auto shell = std::find_if(kFields.begin(), kFields.end(),
                                        [&](const ShellField& f) { return f.control == c.definition.controlId; });
        // The same ids name host areas elsewhere: only the frames drawn as fields take one.
        if (shell == kFields.end() || c.definition.art.style != skin::ButtonStyle::Field || c.rect.empty())
            continue;
        const QRect frame = ToQRect(c.rect);
        const int control = shell->control;
        QWidget* field = nullptr;
        if (shell->kind == FieldKind::Text) {
            auto* edit = new QPlainTextEdit(&panel);  // owned by the panel window
            edit->setPlainText(texts_[control]);
            edit->setFrameShape(QFrame::NoFrame);
            QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit, control] {
                texts_[control] = edit->toPlainText();
                onChange_(control, texts_[control]);
            });
            field = edit;
        } else {
            auto* edit = new QLineEdit(texts_[control], &panel);
            edit->setFrame(false);
            if (shell->kind == FieldKind::Password)
                edit->setEchoMode(QLineEdit::Password);
            QObject::connect(edit, &QLineEdit::textChanged, edit, [this, control](const QString& text) {
                texts_[control] = text;
                onChange_(control, text);
            });
            field = edit;
        }
        field->setProperty(kControlProperty, control);
        field->setObjectName(QStringLiteral("field %1").arg(control));
        StyleField(*field);
        field->setGeometry(frame.adjusted(kInset, kInset, -kInset, -kInset));
        field->show();
    }
}

}  // namespace lv::app
