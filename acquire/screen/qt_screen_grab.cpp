#include "acquire/screen/qt_screen_grab.h"

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace lv::screen {
namespace {

int DisplayDotsPerInch(const QScreen& screen)
{
    return int(std::lround(screen.logicalDotsPerInchX()));
}

}  // namespace

Rect ScreenBounds()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return {0, 0, size.width(), size.height()};
}

HDIB PictureFromScreenImage(const QImage& image)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (image.isNull() || !screen)
        return nullptr;
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    return PictureFromScreenPixels(reinterpret_cast<const std::uint32_t*>(pixels.constBits()),
                                   std::size_t(pixels.bytesPerLine()) / 4, pixels.width(), pixels.height(),
                                   PictureDepthForDisplay(1, screen->depth()), DisplayDotsPerInch(*screen));
}

HDIB GrabScreenRect(const Rect& rect)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    const Rect bounds = ScreenBounds();
    const auto clipped = ClipToScreen(rect, bounds.width(), bounds.height());
    if (!screen || !clipped)
        return nullptr;
    const qreal ratio = screen->devicePixelRatio();
    const QPixmap shot = screen->grabWindow(0, int(clipped->left / ratio), int(clipped->top / ratio),
                                            int(clipped->width() / ratio), int(clipped->height() / ratio));
    return PictureFromScreenImage(shot.toImage());
}

bool IsWaylandSession()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

}  // namespace lv::screen
