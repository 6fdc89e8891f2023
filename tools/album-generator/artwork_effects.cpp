// The effects sample albums: one made-up landscape shown through each effect, so the user
// sees what an effect does before choosing it. The caption names the effect.

#include "canvas.h"
#include "noise.h"
#include "shapes.h"
#include "system_albums.h"

#include <algorithm>
#include <cmath>

namespace lv::artwork {
namespace {

constexpr int kWidth = 240, kHeight = 180;

Canvas landscape()
{
    Canvas c(kWidth, kHeight, Rgb(0, 0, 0));
    c.each(LinearStops({120, 0}, {120, 110}, {{0, Rgb(70, 130, 220)}, {0.7f, Rgb(170, 205, 240)}, {1, Rgb(250, 220, 170)}}));
    c.paint(Circle({178, 52}, 18), Radial({174, 48}, 22, Rgb(255, 252, 220), Rgb(255, 210, 90)));
    const auto hill = [](float base, float amplitude, float wave, std::uint32_t seed) {
        return Shape([=](Point p) { return (base - amplitude * Fractal(p.x / wave, 0.5f, 3, seed)) - p.y; });
    };
    c.paint(hill(118, 50, 60, 3), Linear({0, 60}, Rgb(120, 150, 170), {0, 120}, Rgb(90, 120, 140)));
    c.paint(hill(134, 36, 40, 5), Linear({0, 90}, Rgb(90, 160, 80), {0, 140}, Rgb(50, 110, 50)));
    c.paint([](Point p) { return 132 - p.y; }, Linear({0, 132}, Rgb(60, 120, 180), {0, 180}, Rgb(30, 70, 130)));
    for (int i = 0; i < 5; ++i) {  // pines on the near shore
        const float x = 24.0f + float(i) * 17, base = 140;
        c.paint(Polygon({{x - 9, base}, {x + 9, base}, {x, base - 34}}), Linear({x, base - 34}, Rgb(40, 110, 50), {x, base}, Rgb(20, 60, 30)));
    }
    c.paint(RoundedBox({168, 150}, 22, 3, 2), Solid(Rgb(250, 240, 200)), 0.5f);  // the sun on the water
    return c;
}

using PixelRule = Colour (*)(Colour);

HDIB withRule(PixelRule rule)
{
    Canvas c = landscape();
    c.each([&](Point p) { return rule(c.at(int(p.x), int(p.y))); });
    return c.picture();
}

float lum(Colour c)
{
    return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
}

Colour none(Colour c) { return c; }
Colour grey(Colour c) { const float l = lum(c); return {l, l, l}; }
Colour sepia(Colour c) { const float l = lum(c); return {l * 1.07f + 20, l * 0.95f + 8, l * 0.75f}; }
Colour brighter(Colour c) { return {c.r * 1.25f + 10, c.g * 1.25f + 10, c.b * 1.25f + 10}; }
Colour contrast(Colour c) { const auto s = [](float v) { return (v - 128) * 1.5f + 128; }; return {s(c.r), s(c.g), s(c.b)}; }
Colour warm(Colour c) { return {c.r * 1.12f + 8, c.g * 1.02f, c.b * 0.85f}; }
Colour cool(Colour c) { return {c.r * 0.85f, c.g * 1.0f, c.b * 1.15f + 8}; }
Colour negative(Colour c) { return {255 - c.r, 255 - c.g, 255 - c.b}; }
Colour posterize(Colour c) { const auto s = [](float v) { return std::floor(v / 64) * 85; }; return {s(c.r), s(c.g), s(c.b)}; }
Colour solarize(Colour c) { const auto s = [](float v) { return v > 128 ? 255 - v : v; }; return {s(c.r) * 1.6f, s(c.g) * 1.6f, s(c.b) * 1.6f}; }

HDIB emboss()
{
    const Canvas source = landscape();
    Canvas c(kWidth, kHeight, Rgb(128, 128, 128));
    for (int y = 1; y < kHeight - 1; ++y)
        for (int x = 1; x < kWidth - 1; ++x) {
            const float v = 128 + (lum(source.at(x + 1, y + 1)) - lum(source.at(x - 1, y - 1))) * 1.5f;
            c.set(x, y, {v, v, v});
        }
    return c.picture();
}

HDIB blur()
{
    const Canvas source = landscape();
    Canvas c(kWidth, kHeight, Rgb(0, 0, 0));
    constexpr int r = 3;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            Colour sum{};
            int n = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int sx = std::clamp(x + dx, 0, kWidth - 1), sy = std::clamp(y + dy, 0, kHeight - 1);
                    const Colour s = source.at(sx, sy);
                    sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b};
                    ++n;
                }
            c.set(x, y, Scale(sum, 1.0f / float(n)));
        }
    return c.picture();
}

HDIB pixelate()
{
    const Canvas source = landscape();
    Canvas c(kWidth, kHeight, Rgb(0, 0, 0));
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            c.set(x, y, source.at(x / 10 * 10 + 5, std::min(kHeight - 1, y / 10 * 10 + 5)));
    return c.picture();
}

template<PixelRule Rule>
HDIB ruled()
{
    return withRule(Rule);
}

}  // namespace

std::vector<SystemAlbum> EffectSampleAlbums()
{
    const auto item = [](const char* name, HDIB (*paint)(), int number) {
        return SystemAlbumItem("effects", name, paint, number);
    };
    return {{1, "effects1.abm", "Ajustes de cor",
             {item("original", ruled<none>, 1), item("grey", ruled<grey>, 2), item("sepia", ruled<sepia>, 3),
              item("brighter", ruled<brighter>, 4), item("contrast", ruled<contrast>, 5), item("warm", ruled<warm>, 6),
              item("cool", ruled<cool>, 7)}},
            {2, "effects2.abm", "Efeitos especiais",
             {item("negative", ruled<negative>, 8), item("posterize", ruled<posterize>, 9),
              item("solarize", ruled<solarize>, 10), item("emboss", emboss, 11), item("blur", blur, 12),
              item("pixelate", pixelate, 13)}}};
}

}  // namespace lv::artwork
