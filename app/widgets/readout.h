#pragma once
// The "SuperStatic" readout: its text in green on black, in the font all readouts share.
// Setting the text repaints it; the mouse passes through it to the widget beneath.

#include "app/skin/readout.h"

#include <QString>
#include <QWidget>

namespace lv::app {

inline constexpr char kReadoutClass[] = "SuperStatic";

class Readout final : public QWidget {
public:
    // `style`: the alignment flags of its low byte (0 left, 1 centre, 2 right).
    explicit Readout(QWidget& parent, unsigned style = 1);
    ~Readout() override;

    void setText(const QString& text);
    QString text() const { return text_; }

    // The shared font's cell height now (0 before the first paint).
    static int SharedFontHeight();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    unsigned style_;
};

}  // namespace lv::app
