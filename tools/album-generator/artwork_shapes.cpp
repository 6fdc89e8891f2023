// The shapes album and the stamp folder: simple, friendly silhouettes with soft shading,
// drawn on white so the stamp tool can lift them off.

#include "shapes.h"
#include "system_albums.h"

#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr Point kCentre{64, 64};

Canvas blank()
{
    return Canvas(kStampSide, kStampSide, Rgb(kStampBackground, kStampBackground, kStampBackground));
}

// A shaded body: soft shadow, gradient lit from the upper left, darker rim.
void body(Canvas& c, const Shape& s, Colour light, Colour dark, Point lightAt = {44, 40}, float reach = 80)
{
    c.shadow(s, 3, 4, 3, 0.25f);
    c.paint(s, Radial(lightAt, reach, light, dark));
    c.outline(s, Scale(dark, 0.7f), 2.0f, 0.8f);
}

void shine(Canvas& c, Point at, float rx, float ry, float opacity = 0.45f)
{
    c.paint(Rotated(Ellipse(at, rx, ry), at, -0.6f), Solid(Rgb(254, 254, 254)), opacity);
}

HDIB apple()
{
    Canvas c = blank();
    const Shape fruit = Union({Circle({50, 72}, 34), Circle({78, 72}, 34), Circle({64, 88}, 28)});
    const Shape notch = Circle({64, 36}, 9);
    const Shape shape = Subtract(fruit, notch);
    body(c, shape, Rgb(245, 70, 60), Rgb(150, 15, 20));
    c.paint(Capsule({64, 42}, {70, 18}, 6), Solid(Rgb(110, 70, 35)));
    const Shape leaf = Rotated(Ellipse({84, 26}, 15, 7), {84, 26}, -0.5f);
    c.paint(leaf, Linear({72, 20}, Rgb(130, 205, 80), {96, 34}, Rgb(45, 130, 40)));
    c.outline(leaf, Rgb(35, 100, 30), 1.5f, 0.8f);
    shine(c, {44, 60}, 9, 14);
    return c.picture();
}

HDIB star()
{
    Canvas c = blank();
    const Shape s = Star(kCentre, 5, 58, 24);
    body(c, s, Rgb(255, 236, 110), Rgb(225, 135, 10));
    shine(c, {52, 46}, 6, 11, 0.4f);
    return c.picture();
}

HDIB heart()
{
    Canvas c = blank();
    const Shape s = Heart({64, 60}, 40);
    body(c, s, Rgb(255, 120, 150), Rgb(190, 20, 60));
    shine(c, {44, 46}, 7, 12);
    return c.picture();
}

HDIB flower()
{
    Canvas c = blank();
    std::vector<Shape> petals;
    for (int i = 0; i < 6; ++i) {
        const float a = float(i) * kPi / 3;
        const Point p{64 + 30 * std::cos(a), 64 + 30 * std::sin(a)};
        petals.push_back(Rotated(Ellipse(p, 22, 14), p, a));
    }
    const Shape all = Union(petals);
    body(c, all, Rgb(255, 170, 220), Rgb(200, 60, 150), kCentre, 62);
    const Shape heartOf = Circle(kCentre, 16);
    c.paint(heartOf, Radial({58, 58}, 20, Rgb(255, 235, 90), Rgb(230, 150, 20)));
    c.outline(heartOf, Rgb(190, 110, 10), 1.5f);
    return c.picture();
}

HDIB paw()
{
    Canvas c = blank();
    const Shape pad = Union({Ellipse({64, 84}, 28, 22), Circle({50, 96}, 14), Circle({78, 96}, 14)});
    const Shape toes = Union({Ellipse({30, 58}, 11, 14), Ellipse({50, 38}, 12, 15), Ellipse({78, 38}, 12, 15),
                              Ellipse({98, 58}, 11, 14)});
    body(c, pad, Rgb(150, 100, 70), Rgb(80, 45, 30), {56, 76}, 50);
    body(c, toes, Rgb(150, 100, 70), Rgb(80, 45, 30), {60, 40}, 70);
    return c.picture();
}

HDIB sun()
{
    Canvas c = blank();
    const Shape rays = Star(kCentre, 12, 62, 40, kPi / 12);
    body(c, rays, Rgb(255, 200, 60), Rgb(240, 120, 20), kCentre, 64);
    const Shape disc = Circle(kCentre, 34);
    body(c, disc, Rgb(255, 245, 140), Rgb(250, 170, 30));
    shine(c, {52, 50}, 8, 12, 0.35f);
    return c.picture();
}

HDIB balloon()
{
    Canvas c = blank();
    for (int i = 0; i < 4; ++i)  // the string, waving
        c.paint(Capsule({64.0f + (i % 2 ? 4.0f : -4.0f), 92.0f + float(i) * 9}, {64.0f + (i % 2 ? -4.0f : 4.0f), 101.0f + float(i) * 9}, 2),
                Solid(Rgb(120, 120, 130)));
    const Shape knot = Polygon({{58, 96}, {70, 96}, {64, 86}});
    const Shape s = Ellipse({64, 52}, 34, 42);
    body(c, Union({s, knot}), Rgb(110, 180, 255), Rgb(20, 70, 190));
    shine(c, {50, 34}, 7, 13, 0.55f);
    return c.picture();
}

HDIB moon()
{
    Canvas c = blank();
    const Shape s = Subtract(Circle({60, 64}, 48), Circle({86, 52}, 42));
    body(c, s, Rgb(255, 250, 200), Rgb(220, 190, 80), {40, 60}, 70);
    return c.picture();
}

HDIB leaf()
{
    Canvas c = blank();
    const Shape blade = Rotated(Intersect(Circle({40, 64}, 50), Circle({88, 64}, 50)), kCentre, -0.7f);
    body(c, blade, Rgb(150, 215, 90), Rgb(40, 120, 40));
    c.paint(Capsule({46, 84}, {82, 44}, 2.5f), Solid(Rgb(60, 130, 45)), 0.8f);
    c.paint(Capsule({30, 102}, {44, 88}, 4), Solid(Rgb(90, 70, 40)));
    return c.picture();
}

HDIB cloud()
{
    Canvas c = blank();
    const Shape s = Union({Circle({40, 74}, 22), Circle({62, 58}, 28), Circle({88, 70}, 24), RoundedBox({64, 84}, 44, 14, 14)});
    c.shadow(s, 3, 4, 3, 0.25f);
    c.paint(s, Linear({64, 30}, Rgb(250, 252, 254), {64, 100}, Rgb(190, 210, 235)));
    c.outline(s, Rgb(150, 170, 200), 2.0f, 0.8f);
    return c.picture();
}

HDIB drop()
{
    Canvas c = blank();
    const Shape s = Union({Circle({64, 80}, 30), Polygon({{36, 72}, {92, 72}, {64, 14}})});
    body(c, s, Rgb(140, 210, 255), Rgb(20, 100, 200), {52, 70}, 56);
    shine(c, {52, 80}, 5, 11, 0.6f);
    return c.picture();
}

HDIB clover()
{
    Canvas c = blank();
    c.paint(Capsule({64, 70}, {80, 118}, 5), Solid(Rgb(50, 120, 40)));
    std::vector<Shape> leaves;
    for (int i = 0; i < 4; ++i) {
        const float a = float(i) * kPi / 2 + kPi / 4;
        leaves.push_back(Rotated(Heart({64, 64 - 26}, 20), kCentre, a));
    }
    body(c, Union(leaves), Rgb(130, 210, 90), Rgb(30, 110, 40), kCentre, 60);
    return c.picture();
}

ArtItem stamp(const std::string& name, HDIB (*paint)(), int number)
{
    return {"stamps/" + name + ".bmp", paint, "stamp//" + name, {number, 1, 1}};
}

}  // namespace

std::vector<SystemAlbum> ShapeAlbums()
{
    return {{5, "shapes1.abm", "Formas",
             {stamp("apple", apple, 1), stamp("star", star, 2), stamp("heart", heart, 3), stamp("flower", flower, 4),
              stamp("paw", paw, 5), stamp("sun", sun, 6), stamp("balloon", balloon, 7), stamp("moon", moon, 8),
              stamp("leaf", leaf, 9), stamp("cloud", cloud, 10), stamp("drop", drop, 11),
              stamp("clover", clover, 12)}}};
}

}  // namespace lv::artwork
