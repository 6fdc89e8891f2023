#pragma once
// Help: the context each screen and dialog opens, and the page of the HTML help that
// shows a context. Pages live in the program folder under "help/".

#include <optional>
#include <string>

namespace lv::skin {

inline constexpr int kImageWindowHelpContext = 10;
inline constexpr int kImageMenuHelpContext = 1200;
inline constexpr int kAlbumMenuHelpContext = 1310;

// F1 on a screen: 1710, 1720 or 1730 on screens whose second panel is 29, 30 or 31, the
// screen's own context otherwise; none (the contents open) for the start screen.
std::optional<int> HelpContextForScreen(int screen);

// Dialog resource numbers of the program's dialogs.
inline constexpr int kOpenDialog = 1001;
inline constexpr int kSaveAsDialog = 1002;
inline constexpr int kNewPictureDialog = 1013;
inline constexpr int kPrintDialog = 1026;
inline constexpr int kPhotoCdOptionsDialog = 1040;
inline constexpr int kSlideShowSettingsDialog = 1090;
inline constexpr int kPropertiesDialog = 1093;
inline constexpr int kAboutDialog = 1097;
// The album page's: delete options and a photo's properties.
inline constexpr int kAlbumDeleteOptionsDialog = 123;
inline constexpr int kAlbumPhotoPropertiesDialog = 804;
// The program's own dialogs, numbered after those.
inline constexpr int kPreferencesDialog = 1098;
inline constexpr int kRecoveryDialog = 1099;

// The context a dialog sets while it is open (dialog ids 1001–1099), if it has one.
std::optional<int> HelpContextForDialog(int dialogId);

// The help context of the dialog open now, set while it shows and put back when it closes;
// nothing while no dialog with a context is open.
std::optional<int>& CurrentHelpContext();

inline constexpr const char* kHelpFolder = "help";
inline constexpr const char* kHelpContentsPage = "index.html";

// The page (with an anchor when the context is a part of a page) showing a context;
// the contents page for a context without a page of its own.
std::string HelpPageForContext(int context);

}  // namespace lv::skin
