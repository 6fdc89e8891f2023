#pragma once
// "Tela inteira": the active document's picture alone on the screen, fitted and centred,
// until a key or a click.

#include "imagelib/dib.h"

namespace lv::app {

void ShowFullScreenView(const HDIB& composite);

}  // namespace lv::app
