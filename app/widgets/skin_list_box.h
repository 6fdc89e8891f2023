#pragma once
// The skinned list box on screen: its popup panel (a panel of the skin file) draws the frame,
// the rows' area and the slider; the rows are drawn over it from the skin's row pictures,
// the selected one pressed and the one under the pointer hovered. A press on a row picks it,
// the slider and the wheel scroll.

#include "app/skin/list_box.h"
#include "app/skin/list_box_registry.h"
#include "app/skin/panel_loader.h"
#include "app/widgets/skin_panel_widget.h"

#include <QImage>
#include <QWheelEvent>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace lv::app {

inline constexpr char kListBoxClass[] = "TSLISTBOX";

class SkinListBox final : public QWidget, private PanelHost {
public:
    using Notify = std::function<void(const skin::ListNotification&)>;

    // `popup`: the loaded popup panel of the list's registry entry.
    SkinListBox(QWidget& parent, skin::ListBox& list, const skin::LoadedPanel& popup, Notify notify);
    ~SkinListBox() override;

    skin::ListBox& list() const { return list_; }
    SkinPanelWidget& popup() const { return *popup_; }
    // The row under a point of the list box, −1 for none.
    int rowAt(QPoint point) const;
    QRect rowRect(int row) const;

    // A small picture at the left of each item's row (the effects list shows each effect on
    // the current picture); a null image leaves that place empty. Set, the text moves right.
    using RowPicture = std::function<QImage(int item)>;
    void setRowPicture(RowPicture picture);
    QImage rowPicture(int item) const { return rowPicture_ ? rowPicture_(item) : QImage(); }
    // The box the row pictures are fitted into.
    QSize rowPictureBox() const;
    QRect rowPictureRect(int row) const;
    // Repaints an item's row when it is shown.
    void updateItem(int item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // PanelHost: only the rows' presses and the slider reach the list box.
    void fire(SkinPanelWidget& panel, const skin::effect::Fire& fire) override;
    void showStatus(int) override {}
    void showTooltip(SkinPanelWidget&, int, QPoint) override {}
    void hideTooltip() override {}
    void playSound(std::string_view) override {}
    void sliderReleased(SkinPanelWidget&, int, int) override {}
    void toggleMirrored(SkinPanelWidget&, const skin::effect::MirrorToggle&) override {}
    void leftPressed(SkinPanelWidget&) override {}
    void leftReleased(SkinPanelWidget&, QPoint, int) override {}
    void rightPressed(SkinPanelWidget&, QPoint, int) override {}

    void listChanged();
    void paintRows(QPainter& painter) const;
    void setHoverRow(int row);
    bool scroll(QWheelEvent& event);

    skin::ListBox& list_;
    skin::ListBoxLayout layout_;
    std::array<QImage, 3> rowPictures_;  // normal, selected, hovered
    Notify notify_;
    RowPicture rowPicture_;
    SkinPanelWidget* popup_ = nullptr;  // a child
    int hoverRow_ = -1;
};

}  // namespace lv::app
