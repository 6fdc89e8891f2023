#pragma once
// The links screen (29, panel 33): "Link 1"…"Link 5" open their addresses in the desktop's
// browser, "Abrir no navegador" the link opened last (the first that has an address to start
// with), "Editar links" edits the five. A link without an address opens the editor.

#include "app/shell/test_hooks.h"
#include "common/settings_store.h"

namespace lv::app {

class MainWindow;

class LinksPage {
public:
    LinksPage(MainWindow& window, const TestHooks& hooks);

private:
    void open(int index);
    void edit();

    MainWindow& window_;
    const TestHooks& hooks_;
    ProfileStore store_;
    int current_ = -1;
};

}  // namespace lv::app
