#include "app/skin/help_context.h"

#include "app/skin/screen_table.h"

#include <array>
#include <cstdio>

namespace lv::skin {
namespace {

constexpr int kScreenContextBase = 2000;

struct DialogContext {
    int dialog;
    int context;
};

// Dialogs that do not appear here open the contents.
constexpr auto kDialogContexts = std::to_array<DialogContext>({
    {kOpenDialog, 750},
    {kSaveAsDialog, 751},
    {kNewPictureDialog, 600},
    {kPrintDialog, 650},
    {kPhotoCdOptionsDialog, 760},
    {kSlideShowSettingsDialog, 1600},
    {kPropertiesDialog, 593},
    {kAboutDialog, 990},
    // The album's dialogs open the album's topic, as its menu's "Ajuda" does.
    {kAlbumDeleteOptionsDialog, kAlbumMenuHelpContext},
    {kAlbumPhotoPropertiesDialog, kAlbumMenuHelpContext},
    {kPreferencesDialog, 991},
    {kRecoveryDialog, 992},
});

struct ContextPage {
    int context;
    const char* page;
};

constexpr auto kContextPages = std::to_array<ContextPage>({
    {kImageWindowHelpContext, "janela-de-imagem.html"},
    {593, "caixas-de-dialogo.html#d593"},
    {600, "caixas-de-dialogo.html#d600"},
    {650, "caixas-de-dialogo.html#d650"},
    {750, "caixas-de-dialogo.html#d750"},
    {751, "caixas-de-dialogo.html#d751"},
    {760, "caixas-de-dialogo.html#d760"},
    {990, "caixas-de-dialogo.html#d990"},
    {991, "caixas-de-dialogo.html#preferencias"},
    {992, "caixas-de-dialogo.html#recuperacao"},
    {kImageMenuHelpContext, "janela-de-imagem.html#menu"},
    {kAlbumMenuHelpContext, "tela18.html#menu"},
    {1600, "caixas-de-dialogo.html#apresentacao"},
    {1710, "tela29.html"},
    {1720, "tela30.html"},
});

std::string ScreenPage(int screen)
{
    char name[32];  // room for any int, so the name is never cut
    std::snprintf(name, sizeof name, "tela%02d.html", screen);
    return name;
}

}  // namespace

std::optional<int> HelpContextForScreen(int screen)
{
    if (!IsValidScreen(screen) || screen == 0)
        return std::nullopt;
    switch (ScreenLayout(screen).panelAt(2)) {
    case 29: return 1710;
    case 30: return 1720;
    case 31: return 1730;
    default: return kScreenContextBase + screen;
    }
}

std::optional<int> HelpContextForDialog(int dialogId)
{
    for (const DialogContext& d : kDialogContexts)
        if (d.dialog == dialogId)
            return d.context;
    return std::nullopt;
}

std::optional<int>& CurrentHelpContext()
{
    static std::optional<int> context;
    return context;
}

std::string HelpPageForContext(int context)
{
    for (const ContextPage& c : kContextPages)
        if (c.context == context)
            return c.page;
    if (context == 1730)
        return ScreenPage(31);
    if (context > kScreenContextBase && IsValidScreen(context - kScreenContextBase))
        return ScreenPage(context - kScreenContextBase);
    return kHelpContentsPage;
}

}  // namespace lv::skin
