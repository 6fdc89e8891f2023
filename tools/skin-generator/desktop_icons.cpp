#include "desktop_icons.h"

#include "common/byte_sink.h"
#include "panel_painter.h"
#include "theme.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace lv::skingen {
namespace {

// Every icon is drawn on a 256-unit square; the painter scales it to the size asked for.
constexpr qreal kGrid = 256;

const QColor kOutline{0x39, 0x40, 0x4C};

// The mark on the night-blue ground of the splash, so the opening reads on any panel colour.
void DrawProgramIcon(QPainter& p)
{
    QLinearGradient night(0, 0, kGrid, kGrid);
    night.setColorAt(0, QColor(0x2A, 0x36, 0x55));
    night.setColorAt(1, QColor(0x12, 0x14, 0x1A));
    p.setPen(QPen(QColor(0x0B, 0x0D, 0x12), 4));
    p.setBrush(night);
    p.drawEllipse(QRectF(8, 8, kGrid - 16, kGrid - 16));
    DrawLogoMark(p, QRectF(34, 34, kGrid - 68, kGrid - 68));
}

// A sheet of paper with its top-right corner folded over.
void DrawPage(QPainter& p)
{
    const qreal left = 36, top = 12, right = 220, bottom = 244, fold = 52;
    QPainterPath sheet;
    sheet.moveTo(left, top);
    sheet.lineTo(right - fold, top);
    sheet.lineTo(right, top + fold);
    sheet.lineTo(right, bottom);
    sheet.lineTo(left, bottom);
    sheet.closeSubpath();
    QLinearGradient paper(0, top, 0, bottom);
    paper.setColorAt(0, QColor(0xFB, 0xFC, 0xFD));
    paper.setColorAt(1, QColor(0xE2, 0xE6, 0xEC));
    p.setPen(QPen(kOutline, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper);
    p.drawPath(sheet);

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    p.setBrush(QColor(0xC4, 0xCB, 0xD5));
    p.drawPath(corner);
}

// A layer seen from above at an angle: a flat diamond.
void DrawLayer(QPainter& p, qreal centreY, const QColor& colour)
{
    const qreal cx = 128, halfWidth = 70, halfHeight = 36;
    QPainterPath diamond;
    diamond.moveTo(cx, centreY - halfHeight);
    diamond.lineTo(cx + halfWidth, centreY);
    diamond.lineTo(cx, centreY + halfHeight);
    diamond.lineTo(cx - halfWidth, centreY);
    diamond.closeSubpath();
    QLinearGradient shade(cx - halfWidth, centreY, cx + halfWidth, centreY);
    shade.setColorAt(0, colour.lighter(125));
    shade.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(170), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(shade);
    p.drawPath(diamond);
}

void DrawLayeredDocumentIcon(QPainter& p)
{
    DrawPage(p);
    DrawLayer(p, 190, AreaColour(skin::ScreenArea::Projects));
    DrawLayer(p, 156, AreaColour(skin::ScreenArea::Acquire));
    DrawLayer(p, 122, AreaColour(skin::ScreenArea::Edit));
    DrawLogoMark(p, QRectF(58, 34, 52, 52));
}

// A small photo: a white frame around sky, sun and a hill.
void DrawPhoto(QPainter& p, const QRectF& frame, const QColor& sky)
{
    p.setPen(QPen(QColor(0, 0, 0, 90), 3));
    p.setBrush(QColor(0xFA, 0xFA, 0xF7));
    p.drawRoundedRect(frame, 4, 4);
    const QRectF picture = frame.adjusted(7, 7, -7, -7);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(picture);
    p.setBrush(QColor(0xFF, 0xE0, 0x6A));
    p.drawEllipse(QPointF(picture.right() - picture.width() * 0.28, picture.top() + picture.height() * 0.3),
                  picture.width() * 0.11, picture.width() * 0.11);
    QPainterPath hill;
    hill.moveTo(picture.bottomLeft());
    hill.lineTo(picture.left(), picture.bottom() - picture.height() * 0.3);
    hill.quadTo(picture.center().x() - picture.width() * 0.1, picture.top() + picture.height() * 0.3, picture.right(),
                picture.bottom() - picture.height() * 0.2);
    hill.lineTo(picture.bottomRight());
    hill.closeSubpath();
    p.setBrush(QColor(0x3E, 0xA0, 0x55));
    p.drawPath(hill);
}

void DrawAlbumIcon(QPainter& p)
{
    const QColor cover = AreaColour(skin::ScreenArea::Album);
    const QRectF book(30, 24, 196, 212);
    // The pages' edge shows below and to the right of the cover.
    p.setPen(QPen(kOutline, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xF4, 0xF1, 0xE8));
    p.drawRoundedRect(book.adjusted(10, 10, 0, 0), 12, 12);
    QLinearGradient leather(book.topLeft(), book.bottomRight());
    leather.setColorAt(0, cover.lighter(118));
    leather.setColorAt(1, cover.darker(125));
    p.setBrush(leather);
    p.drawRoundedRect(book.adjusted(0, 0, -10, -10), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(cover.darker(150));
    p.drawRoundedRect(QRectF(book.left() + 3, book.top() + 3, 28, book.height() - 16), 8, 8);

    const QColor skies[] = {QColor(0x8C, 0xC8, 0xFF), QColor(0xFF, 0xB4, 0x8C), QColor(0xA8, 0xE0, 0xFF),
                            QColor(0xC9, 0xB6, 0xFF)};
    for (int i = 0; i < 4; ++i) {
        const QRectF tile(74 + (i % 2) * 70, 52 + (i / 2) * 76, 62, 66);
        DrawPhoto(p, tile, skies[i]);
    }
}

using DrawFunction = void (*)(QPainter&);

DrawFunction DrawingOf(std::string_view name)
{
    if (name == kDesktopIcons[0].name)
        return DrawProgramIcon;
    if (name == kDesktopIcons[1].name)
        return DrawLayeredDocumentIcon;
    if (name == kDesktopIcons[2].name)
        return DrawAlbumIcon;
    return nullptr;
}

bool WriteBytes(const std::filesystem::path& path, const QByteArray& bytes)
{
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    if (bytes.isEmpty() || !WriteWholeFile(path.string(), std::vector<std::uint8_t>(bytes.begin(), bytes.end()))) {
        std::fprintf(stderr, "skin-generator: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

QByteArray PngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

}  // namespace

QImage RenderDesktopIcon(std::string_view name, int size)
{
    const DrawFunction draw = DrawingOf(name);
    if (!draw || size <= 0)
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    draw(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray DesktopIconSvg(std::string_view name)
{
    const DrawFunction draw = DrawingOf(name);
    if (!draw)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(int(kGrid), int(kGrid)));
    svg.setViewBox(QRectF(0, 0, kGrid, kGrid));
    svg.setTitle(QString::fromUtf8(name.data(), qsizetype(name.size())));
    QPainter p(&svg);
    draw(p);
    p.end();
    // The generator states the size in millimetres at its own resolution; icon loaders take
    // the intrinsic size in pixels.
    const qsizetype header = bytes.indexOf("viewBox=");
    if (header > 0) {
        const qsizetype width = bytes.indexOf("width=\"");
        if (width >= 0 && width < header)
            bytes.replace(width, header - width, "width=\"256\" height=\"256\"\n ");
    }
    return bytes;
}

bool WriteDesktopIcons(const std::string& iconsDir)
{
    const std::filesystem::path theme = std::filesystem::path(iconsDir) / "hicolor";
    for (const DesktopIcon& icon : kDesktopIcons) {
        const std::string file(icon.name);
        for (const int size : kDesktopIconSizes) {
            const std::string folder = std::to_string(size) + "x" + std::to_string(size);
            if (!WriteBytes(theme / folder / icon.context / (file + ".png"), PngBytes(RenderDesktopIcon(icon.name, size))))
                return false;
        }
        if (!WriteBytes(theme / "scalable" / icon.context / (file + ".svg"), DesktopIconSvg(icon.name)))
            return false;
    }
    return true;
}

}  // namespace lv::skingen
