#pragma once
// The "colorrect" swatch: it fills itself with one colour and no frame. Which colour it asks
// its parent on every paint, with the swatch-colour request (1026) carrying its control id;
// the parent answers by setting the event's colour. Mouse presses go on to the parent.

#include <QColor>
#include <QEvent>
#include <QWidget>

namespace lv::app {

inline constexpr char kSwatchClass[] = "colorrect";
inline constexpr int kSwatchColourRequest = 1026;

class SwatchColourRequest final : public QEvent {
public:
    explicit SwatchColourRequest(int controlId)
        : QEvent(QEvent::Type(kSwatchColourRequest))
        , controlId_(controlId)
    {
    }
    int controlId() const { return controlId_; }
    void setColour(const QColor& colour) { colour_ = colour; }
    const QColor& colour() const { return colour_; }

private:
    int controlId_;
    QColor colour_{Qt::black};  // what a parent that does not answer gets
};

class ColourSwatch final : public QWidget {
public:
    ColourSwatch(QWidget& parent, int controlId);
    int controlId() const { return controlId_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int controlId_;
};

}  // namespace lv::app
