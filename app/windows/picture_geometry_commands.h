#pragma once
// The whole-picture geometry buttons: the base panel's horizontal flip, and the image
// screen's quarter turns and vertical flip, on the active window's document.

#include <functional>

namespace lv {

class HandlerTable;
class ImageWindow;

void RegisterPictureGeometryCommands(HandlerTable& handlers, std::function<ImageWindow*()> activeWindow);

}  // namespace lv
