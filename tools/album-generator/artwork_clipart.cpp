// The "fantasy" and "cools" clip art: bigger pieces built from the same shapes.

#include "shapes.h"
#include "system_albums.h"

#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSide = 160;

Canvas blank()
{
    return Canvas(kSide, kSide, Rgb(255, 255, 255));
}

void body(Canvas& c, const Shape& s, Colour light, Colour dark, Point lightAt, float reach)
{
    c.shadow(s, 3, 4, 3, 0.22f);
    c.paint(s, Radial(lightAt, reach, light, dark));
    c.outline(s, Scale(dark, 0.65f), 2.0f, 0.85f);
}

HDIB crown()
{
    Canvas c = blank();
    const Shape band = Polygon({{22, 120}, {138, 120}, {146, 52}, {112, 86}, {80, 36}, {48, 86}, {14, 52}});
    body(c, band, Rgb(255, 230, 120), Rgb(200, 130, 20), {60, 60}, 120);
    c.paint(RoundedBox({80, 124}, 60, 9, 4), Linear({80, 115}, Rgb(240, 190, 60), {80, 133}, Rgb(170, 100, 10)));
    const Colour gems[] = {Rgb(220, 30, 60), Rgb(40, 120, 230), Rgb(40, 180, 90)};
    for (int i = 0; i < 3; ++i) {
        const Point at{50.0f + float(i) * 30, 100};
        c.paint(Circle(at, 7), Radial({at.x - 2, at.y - 2}, 9, Scale(gems[i], 1.3f), gems[i]));
    }
    for (const Point tip : {Point{14, 52}, Point{80, 36}, Point{146, 52}})
        c.paint(Circle(tip, 6), Radial({tip.x - 2, tip.y - 2}, 8, Rgb(255, 255, 230), Rgb(240, 200, 80)));
    return c.picture();
}

HDIB wand()
{
    Canvas c = blank();
    c.shadow(Capsule({36, 132}, {96, 70}, 9), 3, 4, 3, 0.22f);
    c.paint(Capsule({36, 132}, {96, 70}, 9), Linear({30, 120}, Rgb(90, 50, 120), {100, 80}, Rgb(40, 20, 60)));
    const Shape s = Star({104, 58}, 5, 36, 15, 0.2f);
    body(c, s, Rgb(255, 245, 150), Rgb(230, 160, 20), {96, 48}, 50);
    for (const auto& [x, y, r] : {std::tuple{40.0f, 40.0f, 5.0f}, {140.0f, 110.0f, 6.0f}, {60.0f, 80.0f, 3.5f}, {130.0f, 24.0f, 4.0f}})
        c.paint(Star({x, y}, 4, r * 2, r * 0.5f), Solid(Rgb(250, 200, 60)));
    return c.picture();
}

HDIB rainbow()
{
    Canvas c = blank();
    const Colour bands[] = {Rgb(230, 40, 40), Rgb(245, 140, 30), Rgb(250, 220, 40), Rgb(60, 180, 70),
                            Rgb(40, 120, 220), Rgb(110, 60, 180)};
    for (int i = 0; i < 6; ++i)
        c.paint(Arc({80, 120}, 66.0f - float(i) * 9, 9.5f, kPi, 2 * kPi), Solid(bands[i]));
    for (const float x : {22.0f, 138.0f}) {
        const Shape cloud = Union({Circle({x - 12, 122}, 13), Circle({x + 4, 114}, 16), Circle({x + 16, 124}, 11)});
        c.paint(cloud, Linear({x, 100}, Rgb(250, 252, 254), {x, 135}, Rgb(200, 215, 235)));
        c.outline(cloud, Rgb(160, 175, 200), 1.5f);
    }
    return c.picture();
}

HDIB nightSky()
{
    Canvas c = blank();
    const Shape sky = RoundedBox({80, 80}, 72, 72, 18);
    c.paint(sky, Linear({80, 8}, Rgb(15, 20, 70), {80, 152}, Rgb(70, 50, 140)));
    c.paint(Subtract(Circle({96, 62}, 34), Circle({114, 50}, 30)), Radial({80, 60}, 40, Rgb(255, 250, 210), Rgb(230, 200, 90)));
    for (const auto& [x, y, r] : {std::tuple{34.0f, 36.0f, 6.0f}, {50.0f, 100.0f, 4.0f}, {126.0f, 120.0f, 5.0f},
                                {30.0f, 130.0f, 3.0f}, {70.0f, 30.0f, 3.5f}, {130.0f, 24.0f, 4.0f}, {100.0f, 130.0f, 3.0f}})
        c.paint(Star({x, y}, 5, r * 1.6f, r * 0.7f), Solid(Rgb(255, 240, 170)));
    return c.picture();
}

HDIB mushroom()
{
    Canvas c = blank();
    const Shape stem = RoundedBox({80, 112}, 20, 30, 10);
    body(c, stem, Rgb(255, 245, 225), Rgb(210, 180, 140), {72, 100}, 50);
    const Shape cap = Intersect(Ellipse({80, 84}, 66, 58), RoundedBox({80, 52}, 80, 40, 0));
    body(c, cap, Rgb(250, 80, 70), Rgb(160, 20, 30), {60, 40}, 90);
    for (const auto& [x, y, r] : {std::tuple{56.0f, 50.0f, 9.0f}, {92.0f, 40.0f, 11.0f}, {120.0f, 70.0f, 8.0f}, {40.0f, 78.0f, 6.0f},
                                {78.0f, 70.0f, 6.0f}})
        c.paint(Circle({x, y}, r), Solid(Rgb(254, 250, 240)));
    return c.picture();
}

HDIB gem()
{
    Canvas c = blank();
    const Shape stone = Polygon({{40, 50}, {120, 50}, {146, 76}, {80, 142}, {14, 76}});
    body(c, stone, Rgb(150, 230, 255), Rgb(20, 90, 190), {60, 60}, 110);
    c.paint(Polygon({{40, 50}, {120, 50}, {100, 76}, {60, 76}}), Solid(Rgb(220, 248, 255)), 0.55f);
    c.outline(Polygon({{14, 76}, {146, 76}, {80, 142}}), Rgb(20, 80, 160), 1.2f, 0.5f);
    c.outline(Polygon({{60, 76}, {100, 76}, {80, 142}}), Rgb(20, 80, 160), 1.2f, 0.5f);
    return c.picture();
}

HDIB castle()
{
    Canvas c = blank();
    const Shape walls = Union({RoundedBox({80, 112}, 50, 34, 2), RoundedBox({32, 96}, 16, 50, 2), RoundedBox({128, 96}, 16, 50, 2)});
    body(c, walls, Rgb(235, 225, 210), Rgb(150, 135, 120), {50, 80}, 140);
    for (const float x : {32.0f, 128.0f})
        body(c, Polygon({{x - 22, 48}, {x + 22, 48}, {x, 8}}), Rgb(120, 150, 255), Rgb(40, 60, 170), {x - 6, 24}, 40);
    c.paint(Union({RoundedBox({80, 130}, 14, 16, 10), RoundedBox({80, 138}, 14, 8, 0)}), Solid(Rgb(110, 70, 40)));
    for (const float x : {32.0f, 128.0f, 62.0f, 98.0f})
        c.paint(RoundedBox({x, x < 40 || x > 120 ? 76.0f : 100.0f}, 5, 8, 4), Solid(Rgb(60, 60, 90)));
    c.paint(Polygon({{32, 8}, {32, 0}, {48, 4}}), Solid(Rgb(230, 50, 50)));
    return c.picture();
}

HDIB sunglasses()
{
    Canvas c = blank();
    const Shape lenses = Union({RoundedBox({48, 82}, 32, 22, 14), RoundedBox({112, 82}, 32, 22, 14)});
    c.paint(Capsule({60, 70}, {100, 70}, 6), Solid(Rgb(30, 30, 35)));
    c.paint(Union({Capsule({16, 70}, {4, 62}, 5), Capsule({144, 70}, {156, 62}, 5)}), Solid(Rgb(30, 30, 35)));
    body(c, lenses, Rgb(70, 70, 110), Rgb(10, 10, 20), {40, 66}, 60);
    c.paint(Union({Rotated(Capsule({30, 76}, {44, 66}, 4), {37, 71}, 0), Rotated(Capsule({94, 76}, {108, 66}, 4), {101, 71}, 0)}),
            Solid(Rgb(250, 250, 254)), 0.6f);
    return c.picture();
}

HDIB lightning()
{
    Canvas c = blank();
    const Shape bolt = Polygon({{92, 8}, {38, 88}, {74, 88}, {56, 152}, {124, 62}, {86, 62}, {110, 8}});
    body(c, bolt, Rgb(255, 250, 150), Rgb(240, 160, 10), {80, 50}, 110);
    return c.picture();
}

HDIB flame()
{
    Canvas c = blank();
    const Shape outer = Union({Circle({80, 108}, 42), Polygon({{40, 98}, {120, 98}, {92, 8}})});
    body(c, outer, Rgb(255, 200, 60), Rgb(220, 50, 20), {80, 120}, 90);
    const Shape inner = Union({Circle({80, 120}, 22), Polygon({{59, 114}, {101, 114}, {86, 56}})});
    c.paint(inner, Radial({80, 128}, 40, Rgb(255, 252, 200), Rgb(255, 190, 50)));
    return c.picture();
}

HDIB smiley()
{
    Canvas c = blank();
    const Shape face = Circle({80, 80}, 64);
    body(c, face, Rgb(255, 240, 110), Rgb(230, 160, 20), {60, 56}, 100);
    c.paint(Union({Ellipse({58, 64}, 8, 13), Ellipse({102, 64}, 8, 13)}), Solid(Rgb(60, 40, 20)));
    c.paint(Arc({80, 82}, 36, 7, 0.2f * kPi, 0.8f * kPi), Solid(Rgb(60, 40, 20)));
    c.paint(Union({Circle({46, 96}, 10), Circle({114, 96}, 10)}), Solid(Rgb(250, 140, 110)), 0.45f);
    return c.picture();
}

HDIB speechBubble()
{
    Canvas c = blank();
    const Shape bubble = Union({RoundedBox({80, 66}, 68, 46, 30), Polygon({{44, 100}, {76, 104}, {32, 148}})});
    c.shadow(bubble, 3, 4, 3, 0.22f);
    c.paint(bubble, Linear({80, 20}, Rgb(254, 254, 254), {80, 140}, Rgb(215, 230, 250)));
    c.outline(bubble, Rgb(40, 80, 160), 3.0f);
    for (int i = 0; i < 3; ++i)
        c.paint(Circle({52.0f + float(i) * 28, 66}, 8), Solid(Rgb(40, 80, 160)));
    return c.picture();
}

HDIB musicNote()
{
    Canvas c = blank();
    const Shape note = Union({Rotated(Ellipse({54, 126}, 20, 14), {54, 126}, -0.4f), Rotated(Ellipse({118, 110}, 20, 14), {118, 110}, -0.4f),
                              Capsule({70, 124}, {70, 38}, 7), Capsule({134, 108}, {134, 22}, 7),
                              Polygon({{66, 34}, {138, 18}, {138, 40}, {66, 56}})});
    body(c, note, Rgb(150, 90, 230), Rgb(60, 20, 120), {70, 40}, 140);
    return c.picture();
}

HDIB starburst()
{
    Canvas c = blank();
    const Shape burst = Star({80, 80}, 16, 74, 50);
    body(c, burst, Rgb(255, 120, 200), Rgb(200, 20, 110), {64, 60}, 100);
    c.paint(Circle({80, 80}, 38), Radial({70, 70}, 46, Rgb(255, 250, 160), Rgb(255, 200, 60)));
    return c.picture();
}

}  // namespace

std::vector<SystemAlbum> FantasyAlbums()
{
    const auto item = [](const char* name, HDIB (*paint)(), int number) {
        return SystemAlbumItem("fantasy", name, paint, number);
    };
    return {{8, "fantasy1.abm", "Fantasia",
             {item("crown", crown, 1), item("wand", wand, 2), item("rainbow", rainbow, 3),
              item("night", nightSky, 4), item("mushroom", mushroom, 5), item("gem", gem, 6),
              item("castle", castle, 7)}}};
}

std::vector<SystemAlbum> CoolAlbums()
{
    const auto item = [](const char* name, HDIB (*paint)(), int number) {
        return SystemAlbumItem("cools", name, paint, number);
    };
    return {{9, "cools1.abm", "Legais",
             {item("sunglasses", sunglasses, 1), item("lightning", lightning, 2),
              item("flame", flame, 3), item("smiley", smiley, 4), item("bubble", speechBubble, 5),
              item("note", musicNote, 6), item("starburst", starburst, 7)}}};
}

}  // namespace lv::artwork
