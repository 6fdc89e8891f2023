#pragma once
// A document's window inside the workspace: a caption strip naming the picture, its size and
// zoom over the view, which shows the composite at the zoom level with optional rulers and the
// skin's scroll controls; it scrolls, hands the mouse to the current tool in document
// coordinates and asks before a changed or new document closes.

#include "app/core/view/display_colours.h"
#include "app/core/view/image_view.h"
#include "app/core/tools.h"
#include "app/core/undo/undo_table.h"
#include "app/core/documents/untitled_names.h"
#include "app/core/view/window_placement.h"
#include "edit/layer_stack.h"
#include "imagelib/codecs/picture_facts.h"
#include "edit/selection/selection_outline.h"
#include "edit/tools/tool.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <string>

namespace lv::app {

inline constexpr char kImageWindowClass[] = "Lumivista2000MDI";
inline constexpr int kCaptionHeight = 20;
inline constexpr int kCaptionMinimumWidth = 160;
inline constexpr int kRulersCommand = 40106;  // the context menu's rulers switch

class DocumentWindows;
class ScrollControl;

class ImageWindow final : public QWidget, private ToolContext {
public:
    ImageWindow(DocumentWindows& owner, int id, std::unique_ptr<LayerStack> document, std::string title, int zoom,
                QWidget* parent);
    ~ImageWindow() override;

    int id() const { return id_; }
    LayerStack& document() override { return *document_; }
    const LayerStack& document() const override { return *document_; }
    const std::string& title() const { return title_; }
    // What the file the document came from said beside its pixels: the colour profile they
    // are in, used to show them and written back on save.
    const PictureFacts& pictureFacts() const { return facts_; }
    void setPictureFacts(PictureFacts facts);
    void setTitle(std::string title);
    const ImageView& view() const { return view_; }
    int zoom() const { return view_.zoom(); }
    ModifiedState modifiedState() const;
    // A tool's drag is going on (undo and redo wait for its end).
    bool dragging() const;
    // The caption strip's text.
    QString caption() const;

    // What the frame holds besides the picture: the caption strip and the ruler band.
    FrameChrome chrome() const;
    // Moves and sizes the window; the view follows at once, shown or not.
    void place(const QRect& frame);

    // The area the window may take (the workspace, or its half beside another window).
    void setArea(const QRect& area) { area_ = area; }
    const QRect& area() const { return area_; }
    // Takes a new area: fitted into it (or at 100 % without "FitInWindow") and centred.
    void fitInto(const QRect& area);

    // "Mais zoom" / "Menos zoom": the window takes the document's new size within its area
    // and keeps the centre; a refused step beeps. True when the level changed.
    bool zoomStep(int step);
    // Zoom-set commands: the window keeps its size.
    void setZoomLevel(int zoom);
    // Zooms one step about a document point (the zoom tool).
    void zoomAt(int step, Point point) override;

    // The rulers along the top and left edges, kept in the document's view words.
    bool rulersShown() const { return document_->view.rulers != 0; }
    void showRulers(bool shown);

    // After the document changed wholesale (undo, redo, layer operations): composite,
    // scroll ranges and picture. A new size fits the window anew unless the user zoomed.
    void documentChanged();

    // The periodic tick: a tool that keeps acting while the button is held still gets the
    // last mouse move again; otherwise the selection outline marches while a selection
    // tool is current, and the tool gets its own tick.
    void tick();

    // The current tool, handed this window's document and view.
    ToolContext& toolContext() { return *this; }
    // What a tool's handling of an event asks: recomposite, repaint, tell the owner.
    void apply(const ToolResult& result);
    // Another tool was chosen or another window became active: the tool drops what it had
    // under way here. Then the window shows the new tool's state.
    void cancelTool();
    void activateTool();

    // The close request: the question for a changed or new document. False when the
    // window stays open (Cancel, or saving failed).
    bool requestClose();
    // Closes without the question: the user has already chosen to drop the changes.
    void discard();

    // A project page outlines its current layer, the placeholder being filled.
    void outlineCurrentLayer(bool outlined);

    // Draws the view's client (the window below the caption) into the backing picture.
    void renderInto(const QRect& exposed);
    const QImage& backing() const { return backing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void syncZoomWord();
    void viewChanged();
    void scroll(Axis axis, ScrollAction action, int thumb = 0);
    void showContextMenu(const QPoint& global);
    void paintCaption(QPainter& painter) const;
    void paintRulers(QPainter& painter) const;
    void layOutScrollControls();
    int rulerBand() const;
    QPoint clientPoint(QPoint at) const { return at - QPoint(0, kCaptionHeight); }
    // Without layers only the tools that need none take the mouse.
    bool toolNeedsLayers() const;
    enum class MouseMessage { Move, Press, Release, DoubleClick };
    // True when the tool took the event.
    bool sendToTool(MouseMessage message, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    bool dispatchToTool(MouseMessage message, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at);
    bool sendKeyToTool(QKeyEvent* event);
    void updateCursor(QPoint at);
    void paintOverlays(const QRect& exposed);

    // ToolContext
    ViewMapping mapping() const override;
    RgbTriple activeColour() const override;
    RgbTriple secondaryColour() const override;
    void setActiveColour(RgbTriple colour) override;
    void setSecondaryColour(RgbTriple colour) override;
    ToolSettings& settings() override;
    const ToolSettings& settings() const override;
    ui::Service& ui() override;
    Point scrollPosition() const override;
    void scrollTo(Point position) override;

    DocumentWindows& owner_;
    int id_;
    std::unique_ptr<LayerStack> document_;
    std::string title_;
    ImageView view_;
    WindowUndoRecorder recorder_;
    QRect area_;
    QImage backing_;
    PictureFacts facts_;
    DisplayColours displayColours_;  // the document's rows converted for the display, kept between paints
    ScrollControl* horizontalBar_;  // children of the window
    ScrollControl* verticalBar_;
    bool closing_ = false;
    bool zoomedByHand_ = false;
    bool outlineCurrentLayer_ = false;
    // The last mouse move, for a tool that keeps acting while the button is held still.
    QPoint lastMouse_;
    Qt::KeyboardModifiers lastModifiers_;
    Qt::MouseButton heldButton_ = Qt::NoButton;
    // The selection tool a Ctrl press handed over to the layer resize tool until the release.
    int temporaryFrom_ = 0;
    SelectionOutlineCache outline_;
    int outlinePhase_ = 0;
    // The selection as the owner last heard of it.
    struct SelectionSeen {
        std::uint32_t active = 0;
        Rect rect;
        PictureStamp mask;
    } selectionSeen_;
};

}  // namespace lv::app
