#pragma once
// The questions the whole-picture geometry commands ask: the angle to spin every layer by,
// the new image size and the new canvas size with its anchor.

#include "edit/placement/document_geometry.h"

#include <optional>

class QWidget;

namespace lv::app {

// Whole degrees clockwise, from the angle dial or typed; nothing when cancelled.
std::optional<int> RunSpinLayersDialog(QWidget* parent);

struct ImageSizeRequest {
    int width = 0;
    int height = 0;
};
// The new size in pixels, asked in pixels, percent, inches or centimetres at a resolution,
// with the sides locked to the picture's shape unless unticked. Here and in the canvas size,
// OK with a side of 10001 pixels or more shows string 2348 and keeps the dialog open.
std::optional<ImageSizeRequest> RunImageSizeDialog(QWidget* parent, int width, int height, int dpi);

struct CanvasRequest {
    int width = 0;
    int height = 0;
    CanvasAnchor anchor = CanvasAnchor::Centre;
};
std::optional<CanvasRequest> RunCanvasSizeDialog(QWidget* parent, int width, int height);

}  // namespace lv::app
