#include "app/sharing/internet_pages.h"

#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "common/beep.h"

namespace lv::app {
namespace {

constexpr int kWebAlbumScreen = 30;
constexpr int kAnimationScreen = 31;

std::vector<std::string> SplitFiles(const QString& text)
{
    std::vector<std::string> files;
    for (const QString& f : text.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        files.push_back(f.toStdString());
    return files;
}

}  // namespace

InternetPages::InternetPages(MainWindow& window, DocumentWindows& documents, OpenAlbum& album, const TestHooks& hooks,
                             QLibrary* storeLibrary, std::function<sharing::StoreCredentials()> storeLogin)
    : window_(window)
    , webAlbum_(window, album, hooks, storeLibrary, std::move(storeLogin))
    , animation_(window, documents, hooks)
{
    window.setScreenCode(kWebAlbumScreen, this);
    window.setScreenCode(kAnimationScreen, this);
    registerHandlers();
}

InternetPages::~InternetPages()
{
    window_.setScreenCode(kWebAlbumScreen, nullptr);
    window_.setScreenCode(kAnimationScreen, nullptr);
}

void InternetPages::registerHandlers()
{
    using skin::Handler;
    HandlerTable& h = window_.handlers();
    h.set(Handler::WebAlbumAddPhotos, [this](const HandlerCall&) { webAlbum_.addPhotos(); });
    h.set(Handler::WebAlbumPreview, [this](const HandlerCall&) { webAlbum_.preview(); });
    h.set(Handler::WebAlbumPublish, [this](const HandlerCall&) { webAlbum_.publish(); });
    h.set(Handler::WebAlbumRemovePhoto, [this](const HandlerCall&) {
        PhotoList* list = shownList();
        if (list && list->count() == 0)
            ui::Current().showMessage("Não há fotos para remover.", ui::kProductTitle, ui::Icon::Information);
        else if (!list || !list->removeSelected())
            ui::Beep("no photo selected");
    });
    h.set(Handler::AnimationAddPhotos, [this](const HandlerCall&) { animation_.addPhotos(); });
    h.set(Handler::AnimationFromLayers, [this](const HandlerCall&) { animation_.fromLayers(); });
    h.set(Handler::PlayAnimation, [this](const HandlerCall&) { animation_.play(); });
    h.set(Handler::StopAnimation, [this](const HandlerCall&) { animation_.stop(); });
    h.set(Handler::SaveAnimation, [this](const HandlerCall&) { animation_.save(); });
    for (const auto& [handler, step] : {std::pair{Handler::StripPrevious, -1}, std::pair{Handler::StripNext, 1}})
        h.set(handler, [this, step = step](const HandlerCall&) {
            PhotoList* list = shownList();
            if (!list || !list->step(step))
                ui::Beep(step < 0 ? "first photo" : "last photo");
        });
    h.set(Handler::StripClear, [this](const HandlerCall&) {
        if (PhotoList* list = shownList(); list && list->count() && ui::Current().ask(
            "Tirar todas as fotos da lista? As fotos continuam no disco.", ui::kProductTitle, ui::Buttons::YesNo,
            ui::Icon::Question) == ui::Answer::Yes)
            list->clear();
    });
}

PhotoList* InternetPages::shownList()
{
    switch (window_.screen()) {
    case kWebAlbumScreen: return &webAlbum_.list();
    case kAnimationScreen: return &animation_.list();
    default: return nullptr;
    }
}

void InternetPages::shown(int screen)
{
    if (screen == kWebAlbumScreen)
        webAlbum_.show();
    if (screen == kAnimationScreen)
        animation_.show();
}

void InternetPages::leaving(int screen)
{
    if (screen == kWebAlbumScreen)
        webAlbum_.hide();
    if (screen == kAnimationScreen)
        animation_.hide();
}

bool InternetPages::filesDropped(const std::vector<std::string>& files)
{
    if (window_.screen() != kWebAlbumScreen)
        return false;
    webAlbum_.addFiles(files);
    return true;
}

bool InternetPages::handleTestCommand(const QString& command)
{
    const QString verb = command.section(QLatin1Char(' '), 0, 1), rest = command.section(QLatin1Char(' '), 2);
    if (verb == QLatin1String("webalbum add"))
        webAlbum_.addFiles(SplitFiles(rest));
    else if (verb == QLatin1String("webalbum publish") && rest == QLatin1String("service"))
        webAlbum_.publishToService();
    else if (verb == QLatin1String("webalbum publish"))
        webAlbum_.publish(rest);
    else if (verb == QLatin1String("animation add"))
        animation_.addFiles(SplitFiles(rest));
    else if (verb == QLatin1String("animation save"))
        animation_.save(rest);
    else
        return false;
    return true;
}

}  // namespace lv::app
