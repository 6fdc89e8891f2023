#pragma once
// The text fields the main window places on its own screens: "Para", "Assunto" and
// "Mensagem" of the e-mail page (156, 157, 158) and the photo-store login (160 user, 102
// password) of screens 6 and 24. They sit in their frames on the panel, in the shared font
// and colours, and keep what was typed when the screen changes.

#include <QString>
#include <QWidget>

#include <functional>
#include <map>

namespace lv::app {

class SkinPanelWidget;

class SkinFields {
public:
    using ChangeHandler = std::function<void(int controlId, const QString& text)>;

    explicit SkinFields(ChangeHandler onChange)
        : onChange_(std::move(onChange))
    {
    }

    // Creates the fields the panel hosts, once per panel window.
    void attach(SkinPanelWidget& panel);

    // The text a field starts with when its panel is next shown (the remembered login).
    void preset(int controlId, const QString& text) { texts_[controlId] = text; }

    // The control id of a field widget, 0 for any other widget.
    static int ControlOf(const QWidget* widget);
    // Empties the field `controlId` wherever it shows below `root`, telling the change as typing would.
    static void Clear(QWidget& root, int controlId);

private:
    ChangeHandler onChange_;
    std::map<int, QString> texts_;
};

}  // namespace lv::app
