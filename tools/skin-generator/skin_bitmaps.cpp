#include "skin_bitmaps.h"

#include "app/skin/skin_bitmaps.h"
#include "theme.h"

#include <QPainter>
#include <QPainterPath>

namespace lv::skingen {
namespace {

const QColor kInk(0x2A, 0x30, 0x3A);
const QColor kIris(0x3D, 0x7E, 0xE8);
const QColor kBrass(0xE0, 0xA8, 0x30);

void DrawEye(QPainter& p, const QRectF& box, bool open)
{
    const QPointF c = box.center();
    const qreal w = box.width() - 4, h = box.height() * 0.56;
    QPainterPath lids;
    lids.moveTo(c.x() - w / 2, c.y());
    lids.quadTo(c.x(), c.y() - h, c.x() + w / 2, c.y());
    lids.quadTo(c.x(), c.y() + h, c.x() - w / 2, c.y());
    p.setPen(QPen(kInk, 1.4));
    if (open) {
        p.setBrush(Qt::white);
        p.drawPath(lids);
        p.setPen(Qt::NoPen);
        p.setBrush(kIris);
        p.drawEllipse(c, 3.6, 3.6);
        p.setBrush(kInk);
        p.drawEllipse(c, 1.6, 1.6);
        return;
    }
    // Closed: the lower lid and its lashes, faded.
    QPainterPath lower;
    lower.moveTo(c.x() - w / 2, c.y());
    lower.quadTo(c.x(), c.y() + h, c.x() + w / 2, c.y());
    p.setPen(QPen(Mix(kInk, palette::kLayerRowFace, 0.45), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lower);
    for (const qreal dx : {-5.0, 0.0, 5.0})
        p.drawLine(QPointF(c.x() + dx, c.y() + h / 2 - 0.5), QPointF(c.x() + dx * 1.3, c.y() + h / 2 + 3));
}

void DrawLock(QPainter& p, const QRectF& box, bool locked)
{
    const QRectF body(box.left() + 4, box.top() + box.height() * 0.45, box.width() - 8, box.height() * 0.5);
    const qreal arm = body.width() / 2 - 2.5;
    const QPointF top(body.center().x() + (locked ? 0 : 4), body.top());
    QPainterPath shackle;
    shackle.moveTo(top.x() - arm, locked ? body.top() : body.top() - 3);
    shackle.lineTo(top.x() - arm, box.top() + 6);
    shackle.arcTo(QRectF(top.x() - arm, box.top() + 2, 2 * arm, 8), 180, -180);
    shackle.lineTo(top.x() + arm, body.top());
    p.setPen(QPen(kInk, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shackle);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(locked ? kBrass : QColor(Qt::white));
    p.drawRoundedRect(body, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(body.center(), 1.4, 1.4);
}

}  // namespace

QImage PaintSkinBitmap(int id)
{
    for (const skin::SkinBitmap& b : skin::kSkinBitmaps) {
        if (b.id != id)
            continue;
        QImage image(b.width, b.height, QImage::Format_RGB32);
        image.fill(palette::kLayerRowFace);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF box(0, 0, b.width, b.height);
        if (id == skin::kEyeShownBitmap || id == skin::kEyeHiddenBitmap)
            DrawEye(p, box, id == skin::kEyeShownBitmap);
        else
            DrawLock(p, box, id == skin::kMaskLockedBitmap);
        return image;
    }
    return {};
}

}  // namespace lv::skingen
