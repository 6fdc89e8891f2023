#pragma once
// The picture preview beside the file list of the Open and Save-as dialogs.

class QFileDialog;

namespace lv::app {

class PicturePreview;

// Puts a preview to the right of the dialog's list; it follows the file chosen.
PicturePreview& AddPicturePreview(QFileDialog& dialog);

}  // namespace lv::app
