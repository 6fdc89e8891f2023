#pragma once

class QCoreApplication;

namespace lv::app {

// The program speaks Brazilian Portuguese whatever the desktop's language: Qt's own texts
// (the standard dialogs, context menus, button boxes) come from its Brazilian-Portuguese
// translations, and numbers use the Brazilian decimal comma. False when Qt's translations
// are not installed (its texts then stay in English).
bool UseBrazilianPortuguese(QCoreApplication& application);

}  // namespace lv::app
