#pragma once
// The window of one skin panel ("UI Window"): paints the panel's background and each
// button's picture for its state, and feeds its mouse and timer events to the panel's state
// machine, carrying out what it answers. What reaches beyond the panel goes to its host.

#include "app/skin/panel_input.h"
#include "app/skin/panel_loader.h"
#include "app/skin/toggle_memory.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lv::app {

inline constexpr char kPanelWindowClass[] = "UI Window";
// The property naming the slider (its thumb's index + 1) a child readout shows.
inline constexpr char kSliderOfReadout[] = "lvSliderOfReadout";

class SkinPanelWidget;

// What a panel asks of the main window.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    virtual void fire(SkinPanelWidget& panel, const skin::effect::Fire& fire) = 0;
    virtual void showStatus(int stringId) = 0;
    virtual void showTooltip(SkinPanelWidget& panel, int stringId, QPoint at) = 0;
    virtual void hideTooltip() = 0;
    virtual void playSound(std::string_view file) = 0;
    // Notification 1225: a slider released outside its capture zone.
    virtual void sliderReleased(SkinPanelWidget& panel, int button, int value) = 0;
    virtual void toggleMirrored(SkinPanelWidget& panel, const skin::effect::MirrorToggle& toggle) = 0;
    // The main window's own part of the mouse handling, after the panel's.
    virtual void leftPressed(SkinPanelWidget& panel) = 0;
    virtual void leftReleased(SkinPanelWidget& panel, QPoint at, int controlId) = 0;
    virtual void rightPressed(SkinPanelWidget& panel, QPoint at, int button) = 0;
};

class SkinPanelWidget final : public QWidget {
public:
    SkinPanelWidget(QWidget& parent, PanelHost& host, const skin::ButtonEnvironment& environment,
                    const skin::LoadedPanel& loaded);

    int panel() const { return panel_; }
    const std::string& skinFile() const { return skinFile_; }
    QSize backgroundSize() const { return background_.size(); }

    // Starts the panel afresh for a screen: the table's buttons with these selection flags
    // and the remembered toggles, nothing pressed or hovered, no timer running.
    void start(const std::vector<int>& selection, const skin::ToggleMemory& toggles);

    const skin::PanelInput& input() const { return *input_; }
    void carryOut(const skin::Effects& effects);
    // Toggles take the state remembered for them.
    void applyToggles(const skin::ToggleMemory& toggles) { carryOut(toggles.apply(skinFile_, *input_)); }

    // The rectangle of a control in panel coordinates.
    std::optional<QRect> controlRect(int controlId) const;
    // Shows a control with one of its pictures (the attention blink); false without it.
    bool showControlImage(int controlId, skin::ImageState image);
    // A slider (by its thumb's control id): range, value and page step. False without it.
    bool setSlider(int controlId, int minimum, int maximum, int value, int page);
    // Shows a check or radio button (by control id) selected or not. False without it.
    bool setSelected(int controlId, bool selected);
    // The same by the button's index in the panel.
    void setButtonSelected(int button, bool selected);
    // Sets the selection of every grouped button to these flags again.
    void restoreGroupSelection(const std::vector<int>& selection);
    skin::ImageState shownImage(int button) const { return shown_[std::size_t(button)]; }

    // Hides a button (drawn as the background, deaf to the mouse) or shows it again; a slider
    // is hidden by its thumb, which takes its track and readout along.
    void setButtonHidden(int button, bool hidden);

    // Painted over the buttons (the main window's splash, indicator and status text).
    void setOverlay(std::function<void(QPainter&)> overlay) { overlay_ = std::move(overlay); }

    // A button whose text the program supplies (the zoom readout): drawn over its picture in
    // every state; an empty text leaves the picture as the skin drew it.
    void setControlText(int controlId, const QString& text);
    QString controlText(int controlId) const;

    // Told of every slider thumb's value: when the panel starts, while it is dragged and
    // when the program sets it.
    using SliderObserver = std::function<void(int button, int value)>;
    void setSliderObserver(SliderObserver observer) { sliderObserver_ = std::move(observer); }
    const SliderObserver& sliderObserver() const { return sliderObserver_; }
    // The label drawn over a slider (by its thumb's index), hidden with the slider; the empty
    // text for none, or while the slider is hidden.
    void setSliderLabel(int thumb, const QString& text);
    QString shownSliderLabel(int thumb) const;

    // The program sets a slider's range and value by its thumb's index in the panel.
    void setButtonSlider(int button, int minimum, int maximum, int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QTimer* timer(int timerId);
    void paintControlText(QPainter& p, int button, const QImage& picture, const QString& text) const;
    void paintFieldText(QPainter& p, int button, const QString& text) const;
    QRect buttonArea(int button) const;
    int buttonOfControl(int controlId) const;

    PanelHost& host_;
    const skin::ButtonEnvironment& environment_;
    int panel_;
    std::string skinFile_;
    QImage background_;
    std::vector<skin::PanelControl> table_;
    std::vector<std::array<QImage, 3>> pictures_;  // normal, pressed, hover
    std::optional<skin::PanelInput> input_;
    std::vector<skin::ImageState> shown_;
    QTimer repeatTimer_;
    QTimer tooltipTimer_;
    std::function<void(QPainter&)> overlay_;
    std::map<int, QString> texts_;  // by button index
    std::map<int, QString> sliderLabels_;  // by thumb index
    void paintSliderLabels(QPainter& p, const QRect& exposed) const;
    SliderObserver sliderObserver_;
};

}  // namespace lv::app
