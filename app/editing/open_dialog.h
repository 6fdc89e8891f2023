#pragma once
// The Open dialog: still images, or all images (Photo CD in place of FlashPix), with a
// preview of the picture chosen.

#include <QFileDialog>

#include <string>

namespace lv::app {

class OpenDialog final : public QFileDialog {
public:
    OpenDialog(QWidget* parent, bool allImages, const std::string& folder);
};

// The chosen file, or empty when cancelled. Starts in `folder` when it is given.
std::string RunOpenDialog(QWidget* parent, bool allImages, const std::string& folder);

}  // namespace lv::app
