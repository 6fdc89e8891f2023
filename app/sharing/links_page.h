#pragma once
// The links screen (29, panel 33): "Link 1"…"Link 5" open their addresses in the desktop's
// browser, "Abrir no navegador" the link opened last (the first that has an address to start
// with), "Editar links" edits the five. A link without an address opens the editor. The
// screen's address box lists the five by name and address; activating a row opens it.

#include "app/shell/screen_features.h"
#include "app/shell/test_hooks.h"
#include "common/settings_store.h"

#include <QListWidget>
#include <QPointer>

namespace lv::app {

class MainWindow;

class LinksPage final : private ScreenCode {
public:
    LinksPage(MainWindow& window, const TestHooks& hooks);
    ~LinksPage() override;

private:
    void shown(int screen) override;
    void leaving(int screen) override;
    void open(int index);
    void edit();
    // Fills the address box from the settings and shows it.
    void showList();

    MainWindow& window_;
    const TestHooks& hooks_;
    ProfileStore store_;
    int current_ = -1;
    QPointer<QListWidget> list_;
};

}  // namespace lv::app
