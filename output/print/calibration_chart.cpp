#include "output/print/calibration_chart.h"

#include "imagelib/dib_alloc.h"

#include <algorithm>
#include <cmath>

namespace lv::print {
namespace {

struct Canvas {
    HDIB& dib;
    void set(int x, int y, int r, int g, int b)
    {
        std::uint8_t* p = dib.row(dib.height() - 1 - y) + 3 * x;
        p[0] = std::uint8_t(std::clamp(b, 0, 255));
        p[1] = std::uint8_t(std::clamp(g, 0, 255));
        p[2] = std::uint8_t(std::clamp(r, 0, 255));
    }
};

void landscape(Canvas& c, int left, int top, int w, int h)
{
    const double sunX = left + w * 0.72, sunY = top + h * 0.28, sunR = h * 0.11;
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x) {
            const double u = double(x - left) / w, v = double(y - top) / h;
            const double hill = 0.55 + 0.08 * std::sin(u * 9.0) + 0.05 * std::sin(u * 23.0 + 1.0);
            const double far = 0.48 + 0.06 * std::sin(u * 5.0 + 2.0);
            if (v < far) {
                const double d = std::hypot(x - sunX, y - sunY);
                if (d < sunR)
                    c.set(x, y, 255, 236, 150);
                else
                    c.set(x, y, int(120 + 120 * v), int(170 + 70 * v), int(235 + 20 * v) - int(d < sunR * 1.8 ? 20 : 0));
            } else if (v < hill) {
                c.set(x, y, int(70 + 40 * u), int(95 + 30 * v), int(130 + 20 * u));  // distant blue hills
            } else if (v < 0.82) {
                const int shade = int(40 * std::sin(u * 40.0 + v * 30.0));
                c.set(x, y, 60 + shade / 2, int(140 - 60 * (v - hill)) + shade, 50);
            } else {
                const double ripple = std::sin(u * 60.0 + v * 90.0);
                c.set(x, y, int(40 + 20 * ripple), int(90 + 25 * ripple), int(150 + 30 * ripple));  // lake
            }
        }
}

}  // namespace

HDIB MakeCalibrationChart(int width, int height)
{
    width = std::max(width, 300);
    height = std::max(height, 200);
    HDIB dib = AllocatePicture(width, height, 24, 0);
    if (!dib)
        return dib;
    dib.header().biXPelsPerMeter = dib.header().biYPelsPerMeter = 11811;  // 300 dpi
    Canvas c{dib};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            c.set(x, y, 255, 255, 255);

    const int margin = width / 40;
    const int rampWidth = width * 6 / 10 - 2 * margin;
    const int band = (height - 2 * margin) / 8;
    // Grey ramp, then 11 grey steps (0, 10 % ... 100 %), then the three colour ramps.
    for (int y = 0; y < band; ++y)
        for (int x = 0; x < rampWidth; ++x) {
            const int v = x * 255 / std::max(rampWidth - 1, 1);
            c.set(margin + x, margin + y, v, v, v);
            const int step = (x * 11 / rampWidth) * 255 / 10;
            c.set(margin + x, margin + band + y, step, step, step);
            c.set(margin + x, margin + 2 * band + y, v, 0, 0);
            c.set(margin + x, margin + 3 * band + y, 0, v, 0);
            c.set(margin + x, margin + 4 * band + y, 0, 0, v);
        }
    // Skin tones, two rows of three.
    const int skinTop = margin + 5 * band + band / 3;
    const int skinW = rampWidth / 3, skinH = (height - margin - skinTop) / 2;
    for (int i = 0; i < 6; ++i)
        for (int y = 2; y < skinH - 2; ++y)
            for (int x = 2; x < skinW - 2; ++x)
                c.set(margin + (i % 3) * skinW + x, skinTop + (i / 3) * skinH + y, kSkinTones[i][0], kSkinTones[i][1],
                      kSkinTones[i][2]);
    // The photo, on the right.
    const int photoLeft = margin + rampWidth + margin;
    landscape(c, photoLeft, margin, width - photoLeft - margin, height - 2 * margin);
    return dib;
}

}  // namespace lv::print
