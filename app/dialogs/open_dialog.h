#pragma once
// The Open dialog: still images, or all images (Photo CD in place of FlashPix).

#include <QWidget>

#include <string>

namespace lv::app {

// The chosen file, or empty when cancelled. Starts in `folder` when it is given.
std::string RunOpenDialog(QWidget* parent, bool allImages, const std::string& folder);

}  // namespace lv::app
