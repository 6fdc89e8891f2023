// The frame templates: a border with a see-through window ("Moldura//x//1") over the page's
// "background" placeholder, which the user's photo fills.

#include "noise.h"
#include "ornaments.h"
#include "project_templates.h"
#include "sample_photos.h"
#include "shapes.h"

#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr int kWidth = 1000, kHeight = 750;
constexpr float kW = kWidth, kH = kHeight;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr Point kCentre{kW / 2, kH / 2};

struct FrameDesign {
    const char* stem;
    const char* name;
    SampleScene scene;
    void (*draw)(LayerArt& art);  // the border on a transparent layer, its window cut out
};

// The border's body: the whole page less a window, with a light and a dark bevel at the
// window's edge.
void bevelled(LayerArt& art, const Fill& body, const Shape& window, Colour light, Colour dark, float bevel)
{
    art.paint(Outside(window), body);
    const Shape lip = Subtract(Outside(window), [window, bevel](Point p) { return bevel - window(p); });
    art.paint(lip, LinearStops({0, 0}, {kW, kH}, {{0, dark}, {0.5f, Mix(dark, light, 0.5f)}, {1, light}}));
}

Shape windowRect(float inset, float radius = 0)
{
    return RoundedBox(kCentre, kW / 2 - inset, kH / 2 - inset, radius);
}

// The point a fraction `t` of the way round a rectangle `inset` from the page's edge,
// clockwise from the top-left corner: ornaments spaced evenly along a border.
Point alongBorder(float t, float inset)
{
    const float across = kW - 2 * inset, down = kH - 2 * inset;
    float d = (t - std::floor(t)) * 2 * (across + down);
    if (d < across)
        return {inset + d, inset};
    if ((d -= across) < down)
        return {kW - inset, inset + d};
    if ((d -= down) < across)
        return {kW - inset - d, kH - inset};
    return {inset, kH - inset - (d - across)};
}

void wood(LayerArt& art)
{
    const Fill grain = [](Point p) {
        const float rings = std::sin((p.x * 0.02f + p.y * 0.35f + 6 * Fractal(p.x / 200, p.y / 30, 3, 5)) * 1.3f);
        return Mix(Rgb(150, 95, 50), Rgb(105, 60, 30), 0.5f + 0.5f * rings);
    };
    bevelled(art, grain, windowRect(70), Rgb(200, 150, 100), Rgb(60, 35, 20), 10);
    art.outline(RoundedBox(kCentre, kW / 2 - 2, kH / 2 - 2, 0), Rgb(70, 40, 20), 4);
}

void gold(LayerArt& art)
{
    const Fill metal = LinearStops({0, 0}, {kW * 0.3f, kH}, {{0, Rgb(250, 225, 140)}, {0.3f, Rgb(190, 140, 40)}, {0.55f, Rgb(245, 210, 110)},
                                                            {0.8f, Rgb(160, 110, 30)}, {1, Rgb(230, 190, 90)}});
    bevelled(art, metal, windowRect(85), Rgb(255, 240, 180), Rgb(120, 80, 20), 12);
    // Beads along the middle of the border.
    for (int i = 0; i < 40; ++i) {
        const Point c = alongBorder(float(i) / 40, 42);
        art.paint(Circle(c, 9), Radial({c.x - 3, c.y - 3}, 12, Rgb(255, 245, 200), Rgb(150, 100, 20)), 1, Around(c, 10, 10));
    }
}

void mat(LayerArt& art)
{
    const Shape window = windowRect(110);
    art.paint(Outside(window), Solid(Rgb(250, 248, 242)));
    art.outline(window, Rgb(200, 195, 185), 6);  // the mat's cut bevel
    art.outline(RoundedBox(kCentre, kW / 2 - 9, kH / 2 - 9, 0), Rgb(25, 25, 25), 18);
}

void oval(LayerArt& art)
{
    const Shape window = Ellipse(kCentre, kW / 2 - 90, kH / 2 - 70);
    art.paint(Outside(window), [](Point p) {
        const float sheen = Fractal(p.x / 30, p.y / 30, 2, 9);
        return Mix(Rgb(24, 80, 50), Rgb(14, 55, 34), sheen);
    });
    art.outline(Ellipse(kCentre, kW / 2 - 84, kH / 2 - 64), Rgb(215, 175, 80), 8);
    art.outline(Ellipse(kCentre, kW / 2 - 72, kH / 2 - 52), Rgb(215, 175, 80), 2);
}

void heart(LayerArt& art)
{
    const Shape window = Heart({kCentre.x, kCentre.y - 30}, 300);
    art.paint(Outside(window), Radial(kCentre, 600, Rgb(255, 215, 230), Rgb(240, 140, 180)));
    art.outline(window, Rgb(255, 255, 255), 8);
    for (int i = 0; i < 16; ++i) {
        const float a = float(i) / 16 * 2 * kPi;
        const Point c{kCentre.x + std::cos(a) * kW * 0.45f, kCentre.y + std::sin(a) * kH * 0.44f};
        HeartOrnament(art, c, 14 + float(i % 3) * 5, Rgb(225, 60, 110));
    }
}

void stars(LayerArt& art)
{
    const Shape window = windowRect(75, 30);
    art.paint(Outside(window), Linear({0, 0}, Rgb(25, 35, 90), {0, kH}, Rgb(10, 15, 50)));
    art.outline(window, Rgb(250, 220, 120), 4);
    for (int i = 0; i < 34; ++i) {
        const float t = float(i) * 0.61803f;
        const float along = t - std::floor(t);
        Point c = i % 2 ? Point{along * kW, i % 4 == 1 ? 36.0f : kH - 36} : Point{i % 4 == 0 ? 36.0f : kW - 36, along * kH};
        StarOrnament(art, c, 8 + float(i % 3) * 4, Rgb(255, 225, 120), float(i));
    }
}

void flowers(LayerArt& art)
{
    const Shape window = windowRect(95, 40);
    art.paint(Outside(window), Solid(Rgb(255, 255, 255)), 0.92f);
    art.erase(window, 25);  // a soft inner edge
    const Colour colours[] = {Rgb(240, 110, 140), Rgb(250, 190, 60), Rgb(170, 120, 230), Rgb(250, 140, 100)};
    for (int i = 0; i < 30; ++i) {
        const Point c = alongBorder(float(i) / 30, 44);
        Leaf(art, {c.x + 18, c.y + 14}, 30, float(i), Rgb(90, 160, 80));
        Flower(art, c, 26 + float(i % 3) * 5, colours[i % 4]);
    }
}

void film(LayerArt& art)
{
    const Shape window = windowRect(90, 6);
    art.paint(Outside(window), Solid(Rgb(18, 18, 20)));
    // Sprocket holes along the top and bottom, see-through like the window.
    for (int i = 0; i < 22; ++i) {
        const float x = 26 + float(i) * (kW - 52) / 21;
        for (const float y : {40.0f, kH - 40})
            art.erase(RoundedBox({x, y}, 12, 16, 3), 1, Around({x, y}, 14, 18));
    }
}

void instant(LayerArt& art)
{
    const Shape window = RoundedBox({kCentre.x, kCentre.y - 55}, kW / 2 - 60, kH / 2 - 115, 2);
    art.paint(Outside(window), Linear({0, 0}, Rgb(252, 252, 250), {0, kH}, Rgb(236, 236, 232)));
    art.outline(window, Rgb(210, 210, 205), 2);
}

void christmas(LayerArt& art)
{
    const Shape window = windowRect(85, 24);
    art.paint(Outside(window), Linear({0, 0}, Rgb(190, 30, 40), {0, kH}, Rgb(130, 15, 25)));
    art.outline(window, Rgb(240, 210, 120), 5);
    for (int i = 0; i < 24; ++i) {
        const Point c = alongBorder((float(i) + 0.5f) / 24, 42);
        if (i % 3 == 0) {
            Snowflake(art, c, 20, Rgb(255, 255, 255));
        } else {
            Leaf(art, {c.x - 12, c.y}, 36, 0.8f, Rgb(30, 130, 60));
            Leaf(art, {c.x + 12, c.y}, 36, -0.8f, Rgb(30, 130, 60));
            art.paint(Circle(c, 7), Solid(Rgb(230, 30, 40)), 1, Around(c, 8, 8));
        }
    }
}

void tiles(LayerArt& art)
{
    // Blue and white glazed tiles, as on old Portuguese houses.
    constexpr float tile = 62.5f;
    const Fill glaze = [](Point p) {
        const float u = std::fmod(p.x, tile) / tile - 0.5f, v = std::fmod(p.y, tile) / tile - 0.5f;
        const float r = std::hypot(u, v);
        const float petal = std::fabs(std::cos(std::atan2(v, u) * 2));
        const bool blue = (r < 0.42f * petal && r > 0.08f) || std::fabs(std::fabs(u) - std::fabs(v)) < 0.03f || r < 0.05f ||
                          std::max(std::fabs(u), std::fabs(v)) > 0.47f;
        return blue ? Rgb(30, 70, 160) : Rgb(245, 245, 240);
    };
    const Shape window = windowRect(tile * 1.5f);
    art.paint(Outside(window), glaze);
    art.outline(window, Rgb(20, 50, 120), 6);
}

void soft(LayerArt& art)
{
    art.paint([](Point) { return -1.0f; }, Solid(Rgb(255, 255, 255)));
    art.erase(Ellipse(kCentre, kW / 2 - 150, kH / 2 - 120), 90);
}

const FrameDesign kDesigns[] = {
    {"madeira", "Madeira", SampleScene::Hills, wood},
    {"dourada", "Dourada", SampleScene::Garden, gold},
    {"passe-partout", "Passe-partout", SampleScene::Beach, mat},
    {"oval", "Oval", SampleScene::Garden, oval},
    {"coracao", "Coração", SampleScene::Beach, heart},
    {"estrelas", "Estrelas", SampleScene::Hills, stars},
    {"flores", "Flores", SampleScene::Garden, flowers},
    {"filme", "Filme", SampleScene::Beach, film},
    {"instantanea", "Foto instantânea", SampleScene::Hills, instant},
    {"natal", "Natal", SampleScene::Hills, christmas},
    {"azulejos", "Azulejos", SampleScene::Beach, tiles},
    {"suave", "Bordas suaves", SampleScene::Garden, soft},
};

Page drawFrame(const FrameDesign& design)
{
    Page page(kWidth, kHeight);
    page.add(kBackgroundLayer, SamplePhoto(design.scene, kWidth, kHeight), 0, 0);
    LayerArt border(kWidth, kHeight, Rgb(255, 255, 255));
    design.draw(border);
    page.add("Moldura//x//1", border, 0, 0);
    page.makeCurrent(kBackgroundLayer);
    return page;
}

}  // namespace

std::vector<ProjectTemplate> FrameTemplates()
{
    std::vector<ProjectTemplate> out;
    for (const FrameDesign& design : kDesigns)
        out.push_back({kFrameFolder, design.stem, design.name, 1, [&design](FontLibrary&) { return drawFrame(design); }});
    return out;
}

}  // namespace lv::artwork
