#pragma once
// The help window: the HTML pages of the program folder's "help" in a browser of their own,
// which follows the pages' links. Esc and Ctrl+W close it.

#include <QTextBrowser>

#include <filesystem>
#include <string>

namespace lv::app {

inline constexpr char kHelpWindowClass[] = "help";

class HelpWindow final : public QTextBrowser {
public:
    explicit HelpWindow(std::filesystem::path folder);

    // Shows a page ("tela02.html", "caixas-de-dialogo.html#d593") and brings the window up.
    // Over an open dialog it takes the input until it closes (the dialog would block it).
    void showPage(const std::string& page, bool overDialog = false);
    // The page shown, as `showPage` names it.
    std::string page() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    std::filesystem::path folder_;
};

// The window's title for a page's own title: the pages' titles name the help already.
QString HelpWindowTitle(const QString& pageTitle);

}  // namespace lv::app
