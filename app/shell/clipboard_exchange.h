#pragma once
// Layers on the system clipboard: the text of a text layer, the flattened picture (other
// programs read it as PNG or BMP) and the layer itself under the program's private format,
// which a second running copy reads too.

#include "edit/clipboard_layer.h"

#include <QSize>
#include <QString>

#include <optional>

namespace lv::app {

// The name under which the copied layer goes to the clipboard, made from string 33100.
QString ClipboardMimeType();

// Replaces the clipboard's content with the piece.
void PutLayerOnClipboard(const ClipboardLayer& piece);

// The private format when the clipboard holds it, else a picture as an opaque 24-bit
// layer, else nothing (text alone pastes as nothing).
std::optional<ClipboardLayer> LayerFromClipboard();

// The size of the picture a paste would bring; empty when there is none.
QSize ClipboardPictureSize();

}  // namespace lv::app
