// Gradients and textures: whole-picture fills, the textures tiling seamlessly.

#include "canvas.h"
#include "noise.h"
#include "system_albums.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kGradientWidth = 256, kGradientHeight = 192;
constexpr int kTextureSide = 256;
constexpr int kPeriod = 8;  // noise cells across a texture, so it wraps at the edges
constexpr float kCell = float(kTextureSide) / kPeriod;

HDIB gradient(Point from, Point to, std::vector<std::pair<float, Colour>> stops)
{
    Canvas c(kGradientWidth, kGradientHeight, Rgb(0, 0, 0));
    c.each(LinearStops(from, to, std::move(stops)));
    return c.picture();
}

HDIB sunset()
{
    return gradient({128, 0}, {128, 192}, {{0, Rgb(40, 30, 110)}, {0.45f, Rgb(220, 80, 120)}, {0.75f, Rgb(250, 160, 70)}, {1, Rgb(255, 230, 150)}});
}
HDIB ocean()
{
    return gradient({0, 0}, {256, 192}, {{0, Rgb(120, 230, 240)}, {0.5f, Rgb(30, 140, 200)}, {1, Rgb(10, 40, 110)}});
}
HDIB forest()
{
    return gradient({128, 0}, {128, 192}, {{0, Rgb(200, 240, 150)}, {0.5f, Rgb(70, 160, 70)}, {1, Rgb(20, 70, 40)}});
}
HDIB spectrum()
{
    return gradient({0, 96}, {256, 96}, {{0, Rgb(230, 40, 50)}, {0.2f, Rgb(250, 150, 30)}, {0.4f, Rgb(245, 230, 50)},
                                         {0.6f, Rgb(60, 190, 80)}, {0.8f, Rgb(40, 110, 230)}, {1, Rgb(140, 60, 200)}});
}
HDIB pastel()
{
    return gradient({0, 0}, {256, 192}, {{0, Rgb(255, 210, 225)}, {0.5f, Rgb(225, 215, 255)}, {1, Rgb(200, 240, 255)}});
}
HDIB silver()
{
    return gradient({128, 0}, {128, 192}, {{0, Rgb(245, 245, 248)}, {0.5f, Rgb(160, 165, 175)}, {0.55f, Rgb(200, 204, 212)}, {1, Rgb(110, 115, 125)}});
}
HDIB glow()
{
    Canvas c(kGradientWidth, kGradientHeight, Rgb(0, 0, 0));
    c.each(Radial({128, 96}, 150, Rgb(255, 250, 200), Rgb(200, 60, 20)));
    return c.picture();
}
HDIB night()
{
    Canvas c(kGradientWidth, kGradientHeight, Rgb(0, 0, 0));
    c.each(Radial({128, 220}, 260, Rgb(90, 70, 170), Rgb(5, 10, 40)));
    return c.picture();
}

// A texture from a function of the point; noise coordinates in cells.
HDIB texture(const std::function<Colour(float x, float y)>& at)
{
    Canvas c(kTextureSide, kTextureSide, Rgb(0, 0, 0));
    c.each([&](Point p) { return at(p.x / kCell, p.y / kCell); });
    return c.picture();
}

float fractal(float x, float y, int octaves, std::uint32_t seed)
{
    return TiledFractal(x, y, octaves, kPeriod, seed);
}

HDIB wood()
{
    return texture([](float x, float y) {
        // Rings across the plank, bent by noise; whole periods across the picture keep it tiling.
        const float warp = fractal(x, y, 4, 11) * 1.5f;
        const float rings = 0.5f + 0.5f * std::sin((y * 2.0f + warp) * kPi);
        const float grain = fractal(x * 4, y, 3, 12);
        const float t = std::clamp(rings * 0.7f + grain * 0.3f, 0.0f, 1.0f);
        return Mix(Rgb(190, 135, 80), Rgb(110, 65, 30), t);
    });
}

HDIB marble()
{
    return texture([](float x, float y) {
        const float turbulence = fractal(x, y, 5, 21) * 6.0f;
        const float veins = std::pow(std::fabs(std::sin((x + y) * kPi / 4 + turbulence)), 0.35f);
        const Colour base = Mix(Rgb(235, 232, 228), Rgb(250, 250, 248), fractal(x * 2, y * 2, 3, 22));
        return Mix(Rgb(120, 120, 130), base, veins);
    });
}

HDIB paper()
{
    return texture([](float x, float y) {
        const float blotches = fractal(x, y, 3, 31);
        const float fibres = fractal(x * 16, y * 2, 2, 32);
        const float shade = 0.85f + blotches * 0.1f + fibres * 0.05f;
        return Scale(Rgb(252, 246, 228), shade);
    });
}

HDIB canvasWeave()
{
    return texture([](float x, float y) {
        const float threadX = 0.5f + 0.5f * std::sin(x * kCell * kPi / 2);
        const float threadY = 0.5f + 0.5f * std::sin(y * kCell * kPi / 2);
        const float weave = (threadX + threadY) / 2;
        const float dirt = fractal(x, y, 3, 41);
        return Scale(Rgb(225, 210, 180), 0.78f + weave * 0.15f + dirt * 0.07f);
    });
}

HDIB stone()
{
    return texture([](float x, float y) {
        const float body = fractal(x, y, 6, 51);
        const float speck = ValueNoise(x * kCell * 0.7f, y * kCell * 0.7f, 52) > 0.93f ? 0.25f : 0.0f;
        const Colour c = Mix(Rgb(95, 95, 100), Rgb(185, 180, 170), body);
        return Mix(c, Rgb(40, 40, 45), speck);
    });
}

HDIB fabric()
{
    return texture([](float x, float y) {
        // A twill: diagonal ribs one thread apart, blue like denim.
        const float px = x * kCell, py = y * kCell;
        const float rib = 0.5f + 0.5f * std::sin((px + py) * kPi / 4);
        const float fleck = fractal(x * 8, y * 8, 2, 61);
        return Mix(Rgb(40, 65, 120), Rgb(110, 140, 190), rib * 0.6f + fleck * 0.4f);
    });
}

HDIB sand()
{
    return texture([](float x, float y) {
        const float dunes = 0.5f + 0.5f * std::sin((y + fractal(x, y, 3, 71) * 2) * kPi);
        const float grains = ValueNoise(x * kCell, y * kCell, 72);
        return Mix(Rgb(225, 195, 140), Rgb(245, 225, 180), dunes * 0.7f + grains * 0.3f);
    });
}

HDIB bricks()
{
    return texture([](float x, float y) {
        const float px = x * kCell, py = y * kCell;
        const int row = int(py / 32);
        const float shift = row % 2 ? 32.0f : 0.0f;
        const float bx = std::fmod(px + shift, 64.0f), by = std::fmod(py, 32.0f);
        const bool mortar = bx < 3 || by < 3;
        const float tone = fractal(x * 3, y * 3, 3, 81);
        if (mortar)
            return Mix(Rgb(200, 195, 185), Rgb(170, 165, 155), tone);
        const float brick = ValueNoise(std::floor((px + shift) / 64), float(row), 82);
        return Mix(Mix(Rgb(175, 70, 50), Rgb(140, 50, 40), brick), Rgb(120, 60, 45), tone * 0.5f);
    });
}

}  // namespace

std::vector<SystemAlbum> GradientAlbums()
{
    const auto item = [](const char* name, HDIB (*paint)(), int number) {
        return SystemAlbumItem("gradient", name, paint, number);
    };
    return {{11, "gradient1.abm", "Gradientes",
             {item("sunset", sunset, 1), item("ocean", ocean, 2), item("forest", forest, 3),
              item("spectrum", spectrum, 4), item("pastel", pastel, 5), item("silver", silver, 6),
              item("glow", glow, 7), item("night", night, 8)}}};
}

std::vector<SystemAlbum> TextureAlbums()
{
    const auto item = [](const char* name, HDIB (*paint)(), int number) {
        return SystemAlbumItem("texture", name, paint, number);
    };
    return {{12, "texture1.abm", "Texturas",
             {item("wood", wood, 1), item("marble", marble, 2), item("paper", paper, 3),
              item("canvas", canvasWeave, 4), item("stone", stone, 5), item("fabric", fabric, 6),
              item("sand", sand, 7), item("bricks", bricks, 8)}}};
}

}  // namespace lv::artwork
