// Checks the desktop icons the generator drew during the build: every size in the icon
// theme's layout, and a scalable drawing that is the same picture in vector form.

#include "tools/skin-generator/desktop_icons.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace lv::skingen {
namespace {

const QString kIcons = QStringLiteral(LV_DESKTOP_DIR "/icons/hicolor/");

QString IconPath(const DesktopIcon& icon, const QString& folder, const char* extension)
{
    return kIcons + folder + '/' + QString::fromLatin1(icon.context.data(), qsizetype(icon.context.size())) + '/'
           + QString::fromLatin1(icon.name.data(), qsizetype(icon.name.size())) + extension;
}

// The share of pixels that are mostly opaque.
double OpaqueShare(const QImage& image)
{
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128;
    return double(opaque) / (image.width() * image.height());
}

// The mean difference of two pictures of one size, over the four channels, in 0..255.
double MeanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q))
                   + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

TEST(DesktopIcons, EverySizeIsWrittenSquareWithATransparentGroundAndAFilledMiddle)
{
    for (const DesktopIcon& icon : kDesktopIcons)
        for (const int size : kDesktopIconSizes) {
            SCOPED_TRACE(::testing::Message() << icon.name << " at " << size);
            const QImage image(IconPath(icon, QStringLiteral("%1x%1").arg(size), ".png"));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.size(), QSize(size, size));
            EXPECT_TRUE(image.hasAlphaChannel());
            EXPECT_EQ(std::tuple(qAlpha(image.pixel(0, 0)), qAlpha(image.pixel(size - 1, size - 1)),
                                 qAlpha(image.pixel(size / 2, size / 2))),
                      std::tuple(0, 0, 255));
            const double share = OpaqueShare(image);
            EXPECT_TRUE(share > 0.3 && share < 0.95) << share;
        }
    // Three different pictures, not one drawn three times.
    const QImage program = RenderDesktopIcon(kDesktopIcons[0].name, 64);
    EXPECT_GT(MeanDifference(program, RenderDesktopIcon(kDesktopIcons[1].name, 64)), 20);
    EXPECT_GT(MeanDifference(RenderDesktopIcon(kDesktopIcons[1].name, 64), RenderDesktopIcon(kDesktopIcons[2].name, 64)), 20);
    EXPECT_TRUE(RenderDesktopIcon("unknown", 64).isNull());
}

TEST(DesktopIcons, TheScalableIconIsAVectorDrawingOfTheSamePicture)
{
    for (const DesktopIcon& icon : kDesktopIcons) {
        SCOPED_TRACE(icon.name.data());
        QFile file(IconPath(icon, QStringLiteral("scalable"), ".svg"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        EXPECT_TRUE(svg.contains("viewBox=\"0 0 256 256\""));
        EXPECT_FALSE(svg.contains("<image")) << "no embedded bitmap";
        EXPECT_TRUE(svg.contains("<path"));

        QSvgRenderer renderer(svg);
        ASSERT_TRUE(renderer.isValid());
        for (const int size : {32, 256}) {
            QImage drawn(size, size, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QPainter p(&drawn);
            renderer.render(&p);
            p.end();
            const QImage png(IconPath(icon, QStringLiteral("%1x%1").arg(size), ".png"));
            // Antialiasing differs a little between the two renderings; a shifted, scaled or
            // missing shape differs by far more.
            EXPECT_LT(MeanDifference(drawn.convertToFormat(QImage::Format_ARGB32), png), 4.0) << size;
        }
    }
}

}  // namespace
}  // namespace lv::skingen
