#pragma once
// The help window: the HTML pages of the program folder's "help" in a browser of their own,
// which follows the pages' links.

#include <QTextBrowser>

#include <filesystem>
#include <string>

namespace lv::app {

inline constexpr char kHelpWindowClass[] = "help";

class HelpWindow final : public QTextBrowser {
public:
    explicit HelpWindow(std::filesystem::path folder);

    // Shows a page ("tela02.html", "caixas-de-dialogo.html#d593") and brings the window up.
    void showPage(const std::string& page);
    // The page shown, as `showPage` names it.
    std::string page() const;

private:
    std::filesystem::path folder_;
};

}  // namespace lv::app
