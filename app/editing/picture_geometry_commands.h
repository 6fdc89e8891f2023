#pragma once
// The whole-picture geometry buttons on the active window's document: the base panel's
// horizontal flip and "rotate all layers", and the image screen's quarter turns, vertical
// flip, image size and canvas size.

#include <functional>

namespace lv::app {

class HandlerTable;
class ImageWindow;

void RegisterPictureGeometryCommands(HandlerTable& handlers, std::function<ImageWindow*()> activeWindow);

}  // namespace lv::app
