#pragma once
// The layer palette: a small floating window listing the active image window's layers, top
// layer first, with its own tool bar. It keeps no layer data: every change goes through the
// layer operations, and the host recomposites and records what changed.

#include "app/core/layer_palette_layout.h"
#include "app/shell/image_windows.h"
#include "edit/layer_palette_rules.h"
#include "edit/layer_stack.h"

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QScrollArea;

namespace lv::app {

// The frame's menu item for the palette, while it is hidden and while it is shown.

class LayerPaletteHost {
public:
    virtual ~LayerPaletteHost() = default;
    // The active image window's document, or null.
    virtual LayerStack* paletteDocument() = 0;
    // The palette changed the document (flags, current layer, opacity, name, order).
    virtual void paletteChangedDocument() = 0;
    // A tool bar button: 0 new, 1 duplicate, 2 delete, 3 merge down, 4 flatten, 5 up, 6 down.
    virtual void paletteCommand(int button) = 0;
    // The palette was shown or hidden, by the program or by the user closing it.
    virtual void paletteShownChanged(bool /*shown*/) {}
};

// The rows themselves, inside the palette's scrolling area.
class LayerRows final : public QWidget {
public:
    explicit LayerRows(LayerPaletteHost& host, QWidget* parent = nullptr);
    // Rebuilds the rows and their thumbnails from the host's document.
    void refresh();
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row {
        QString name;
        QImage thumbnail;
        bool visible = false, locked = false, linked = false, current = false;
        int opacity = 0;
    };
    RowLayout layout() const { return LayOutRow(width(), kPaletteRowHeight); }
    int rowAt(int y) const;
    void paintRow(class QPainter& painter, const Row& row, int index) const;
    void changed();
    void startRename(int index);
    void finishRename();

    LayerPaletteHost& host_;
    // The eye and the lock, skin pictures by resource id.
    QImage eyeShown_, eyeHidden_, maskLocked_, maskUnlocked_;
    std::vector<Row> rows_;
    std::optional<OpacityDrag> opacityDrag_;
    int opacityRow_ = -1;
    int reorderFrom_ = -1;
    int pressY_ = 0;
    bool reordering_ = false;
    QPointer<QLineEdit> renameField_;
    int renameRow_ = -1;
};

class LayerPalette final : public QWidget {
public:
    explicit LayerPalette(LayerPaletteHost& host, QWidget* parent = nullptr);
    void refresh() { rows_->refresh(); }
    LayerRows& rows() { return *rows_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    LayerPaletteHost& host_;
    LayerRows* rows_;
    QScrollArea* scroll_;
};

}  // namespace lv::app
