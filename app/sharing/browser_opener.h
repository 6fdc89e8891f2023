#pragma once
// Hands an address, a file or a folder to the desktop's opener ("xdg-open"), as a separate process
// with the target as its one argument (no shell). When there is no opener the user is told
// so, naming what was to be opened.

#include <QString>

namespace lv::app {

// True when the opener started; otherwise a message was shown.
bool OpenInBrowser(const QString& target);

}  // namespace lv::app
