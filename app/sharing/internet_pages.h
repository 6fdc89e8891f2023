#pragma once
// The Internet window's building pages: the web album (30) and the animations (31), with
// the strip (panel 34) they share. Test commands (test builds): "webalbum add F|F",
// "webalbum publish DIR", "webalbum publish service", "animation add F|F", "animation save FILE".

#include "app/sharing/animation_page.h"
#include "app/sharing/web_album_page.h"
#include "app/shell/screen_features.h"

namespace lv::app {

class DocumentWindows;
class MainWindow;
class OpenAlbum;

class InternetPages final : private ScreenCode {
public:
    InternetPages(MainWindow& window, DocumentWindows& documents, OpenAlbum& album, const TestHooks& hooks,
                  QLibrary* storeLibrary, std::function<sharing::StoreCredentials()> storeLogin);
    ~InternetPages() override;

    bool handleTestCommand(const QString& command);

private:
    void shown(int screen) override;
    void leaving(int screen) override;
    bool filesDropped(const std::vector<std::string>& files) override;
    void registerHandlers();
    // The list of the page showing, or null on another screen.
    PhotoList* shownList();

    MainWindow& window_;
    WebAlbumPage webAlbum_;
    AnimationPage animation_;
};

}  // namespace lv::app
