#pragma once
// An album file named on the command line, as the file manager hands it over when the user
// opens one: the album page shows it.

#include "app/shell/main_window.h"
#include "app/shell/open_album.h"
#include "app/shell/test_hooks.h"

#include <string>

namespace lv::app {

// The album page that shows the user's albums.
inline constexpr int kAlbumScreen = 18;

// Publishes the album as the open album (its absolute path, so it is found again from any
// folder) and switches to the album page, which shows that file. False when the switch did
// not happen.
bool OpenAlbumFromCommandLine(MainWindow& window, OpenAlbum* openAlbum, const std::string& path,
                              const TestHooks& hooks);

}  // namespace lv::app
