#pragma once
// What the main window asks of the image windows inside it.

#include <QPoint>

class QWidget;

namespace lv::app {

// The frame's menu item for the layer palette, as the palette's own menu names it.
inline constexpr char kShowLayerPaletteItem[] = "Show &Layer Palette\tCtrl+P";
inline constexpr char kHideLayerPaletteItem[] = "Hide &Layer Palette\tCtrl+P";

class ImageWindows {
public:
    virtual ~ImageWindows() = default;
    // A document is open (the splash shows only while none is).
    virtual bool anyOpen() const = 0;
    // Closing the main window: asks every open image window to close, in order, each
    // possibly asking to save. False when one stayed open; the main window then stays.
    virtual bool closeAll() = 0;
    // Radio group 7's test: an active image window exists and can scroll in a direction.
    virtual bool activeScrollable() const = 0;
    // Timer 100, every 500 ms: message 1027 to the active image window.
    virtual void tick() = 0;
    // A left-button release at `point` (main-window coordinates) inside the workspace
    // (control 100): of two windows side by side the one on the pointer's side of the
    // divider becomes active, otherwise the active one is activated.
    virtual void activateAt(QPoint point) = 0;
    // A screen switch: the active window's tool drops what it had under way.
    virtual void hideToolState() {}
    // The screen shown has a workspace (control 100): the image windows show only while it has.
    virtual void workspaceShown(bool shown) = 0;
    // The layer palette is shown (the frame's menu names what its item will do).
    virtual bool layerPaletteShown() const { return false; }
    // The widget is one of the image windows (the keyboard's editing keys reach the document).
    virtual bool isImageWindow(const QWidget*) const { return false; }
};

}  // namespace lv::app
