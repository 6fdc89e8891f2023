#include "app/editing/full_screen_view.h"

#include "app/core/view/display_colours.h"
#include "app/core/view/view_painter.h"
#include "app/core/view/window_placement.h"
#include "imagelib/dib_alloc.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace lv::app {
namespace {

class FullScreenView final : public QWidget {
public:
    FullScreenView(const HDIB& composite, std::span<const std::uint8_t> iccProfile)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , composite_(DibDuplicate(composite))
    {
        if (composite_)
            ConvertForDisplay(composite_, iccProfile);
        setObjectName(QStringLiteral("fullview"));
        setAttribute(Qt::WA_DeleteOnClose);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    // The fitted picture is drawn once per window size; repaints only copy it.
    void resizeEvent(QResizeEvent*) override
    {
        frame_ = QImage(size(), QImage::Format_RGB32);
        const Size document{composite_.width(), composite_.height()};
        const auto zoom = ZoomForCommand(kZoomFitCommand, 0, document, {width(), height()});
        ImageView view(document, zoom ? zoom->zoom : 0);
        const Size scaled = view.scaledDocument();
        view.setClient({std::min(scaled.width, width()), std::min(scaled.height, height())});
        const Rect placed = CentredIn({0, 0, width(), height()}, view.client());
        frame_.fill(Qt::black);
        // The view paints from its own origin: offset the buffer to the centred rectangle.
        const PixelBuffer buffer{reinterpret_cast<std::uint32_t*>(frame_.scanLine(placed.top)) + placed.left,
                                 int(frame_.bytesPerLine() / 4), {0, 0, placed.width(), placed.height()}};
        PaintView(composite_, view, buffer.area, buffer, DisplayContext{});
    }
    void paintEvent(QPaintEvent* event) override { QPainter(this).drawImage(event->rect(), frame_, event->rect()); }
    void keyPressEvent(QKeyEvent*) override { close(); }
    void mousePressEvent(QMouseEvent*) override { close(); }

private:
    HDIB composite_;  // a copy in the display's colours: the document may close meanwhile
    QImage frame_;
};

}  // namespace

void ShowFullScreenView(const HDIB& composite, std::span<const std::uint8_t> iccProfile)
{
    if (!composite)
        return;
    auto* view = new FullScreenView(composite, iccProfile);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        view->setGeometry(screen->geometry());
    view->showFullScreen();
    view->activateWindow();
}

}  // namespace lv::app
