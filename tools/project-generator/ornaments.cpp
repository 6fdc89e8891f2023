#include "ornaments.h"

#include "shapes.h"

#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

Fill lit(Point centre, float radius, Colour colour)
{
    return Radial({centre.x - radius * 0.35f, centre.y - radius * 0.35f}, radius * 1.6f, Mix(colour, Rgb(255, 255, 255), 0.45f),
                  Scale(colour, 0.75f));
}

}  // namespace

void Balloon(LayerArt& art, Point c, float r, Colour colour)
{
    const Rect box{int(c.x - r) - 4, int(c.y - r * 1.2f) - 4, int(c.x + r) + 4, int(c.y + r * 4) + 4};
    for (int i = 0; i < 5; ++i) {  // the string
        const float y0 = c.y + r * 1.2f + float(i) * r * 0.55f;
        const float swing = i % 2 ? r * 0.12f : -r * 0.12f;
        art.paint(Capsule({c.x + swing, y0}, {c.x - swing, y0 + r * 0.55f}, 1.5f), Solid(Rgb(110, 110, 120)), 1, box);
    }
    const Shape body = Union({Ellipse(c, r, r * 1.2f), Polygon({{c.x - r * 0.12f, c.y + r * 1.3f}, {c.x + r * 0.12f, c.y + r * 1.3f}, {c.x, c.y + r * 1.1f}})});
    art.shadow(body, 3, 4, 4, 0.2f, box);
    art.paint(body, lit(c, r, colour), 1, box);
    art.paint(Rotated(Ellipse({c.x - r * 0.4f, c.y - r * 0.45f}, r * 0.14f, r * 0.28f), {c.x - r * 0.4f, c.y - r * 0.45f}, 0.5f),
              Solid(Rgb(255, 255, 255)), 0.55f, box);
}

void HeartOrnament(LayerArt& art, Point c, float size, Colour colour)
{
    const Rect box = Around(c, size * 1.3f, size * 1.3f);
    art.paint(Heart(c, size), lit(c, size, colour), 1, box);
}

void StarOrnament(LayerArt& art, Point c, float r, Colour colour, float turn)
{
    art.paint(Star(c, 5, r, r * 0.45f, turn), lit(c, r, colour), 1, Around(c, r + 2, r + 2));
}

void Flower(LayerArt& art, Point c, float r, Colour petals, int count)
{
    const Rect box = Around(c, r * 1.1f, r * 1.1f);
    std::vector<Shape> all;
    for (int i = 0; i < count; ++i) {
        const float a = float(i) * 2 * kPi / float(count);
        const Point p{c.x + r * 0.55f * std::cos(a), c.y + r * 0.55f * std::sin(a)};
        all.push_back(Rotated(Ellipse(p, r * 0.45f, r * 0.28f), p, a));
    }
    art.paint(Union(all), Radial(c, r, Mix(petals, Rgb(255, 255, 255), 0.35f), Scale(petals, 0.85f)), 1, box);
    art.paint(Circle(c, r * 0.22f), Radial(c, r * 0.22f, Rgb(255, 230, 110), Rgb(225, 150, 30)), 1, box);
}

void Snowflake(LayerArt& art, Point c, float r, Colour colour)
{
    const Rect box = Around(c, r + 2, r + 2);
    std::vector<Shape> arms;
    for (int i = 0; i < 6; ++i) {
        const float a = float(i) * kPi / 3;
        const Point tip{c.x + r * std::cos(a), c.y + r * std::sin(a)};
        const Point mid{c.x + r * 0.55f * std::cos(a), c.y + r * 0.55f * std::sin(a)};
        arms.push_back(Capsule(c, tip, r * 0.07f));
        for (const float side : {-0.7f, 0.7f})
            arms.push_back(Capsule(mid, {mid.x + r * 0.3f * std::cos(a + side), mid.y + r * 0.3f * std::sin(a + side)}, r * 0.05f));
    }
    art.paint(Union(arms), Solid(colour), 1, box);
}

void Leaf(LayerArt& art, Point c, float length, float angle, Colour colour)
{
    const Shape leaf = Rotated(Intersect(Circle({c.x, c.y + length * 0.35f}, length * 0.6f), Circle({c.x, c.y - length * 0.35f}, length * 0.6f)), c,
                               angle);
    const Rect box = Around(c, length * 0.7f, length * 0.7f);
    art.paint(leaf, lit(c, length * 0.5f, colour), 1, box);
    art.paint(Rotated(Capsule({c.x, c.y - length * 0.2f}, {c.x, c.y + length * 0.2f}, 1), c, angle + kPi / 2), Solid(Scale(colour, 0.6f)), 0.7f,
              box);
}

void Egg(LayerArt& art, Point c, float r, Colour colour, Colour stripes)
{
    const Rect box = Around(c, r + 2, r * 1.35f + 2);
    const Shape egg = Union({Ellipse({c.x, c.y + r * 0.1f}, r, r * 1.1f), Ellipse({c.x, c.y - r * 0.2f}, r * 0.85f, r * 1.15f)});
    art.shadow(egg, 2, 3, 3, 0.2f, box);
    art.paint(egg, lit(c, r, colour), 1, box);
    // A zigzag band and dots, only inside the egg.
    const Shape zigzag = [c, r](Point p) {
        const float wave = std::fabs(std::fmod(std::fabs(p.x - c.x) / (r * 0.25f), 2.0f) - 1) * r * 0.18f;
        return std::fabs(p.y - c.y - wave + r * 0.1f) - r * 0.08f;
    };
    art.paint(Intersect(egg, zigzag), Solid(stripes), 1, box);
    for (const float dx : {-0.45f, 0.0f, 0.45f})
        art.paint(Intersect(egg, Circle({c.x + dx * r, c.y + r * 0.5f}, r * 0.1f)), Solid(stripes), 1, box);
}

void Ring(LayerArt& art, Point c, float r, Colour colour)
{
    const Rect box = Around(c, r * 1.2f, r * 1.2f);
    const Shape band = Subtract(Circle(c, r), Circle(c, r * 0.78f));
    art.paint(band, LinearStops({c.x - r, c.y - r}, {c.x + r, c.y + r}, {{0, Mix(colour, Rgb(255, 255, 255), 0.6f)}, {0.5f, colour}, {1, Scale(colour, 0.6f)}}),
              1, box);
    art.outline(band, Scale(colour, 0.55f), 1, 0.6f, box);
}

void Confetti(LayerArt& art, int count, std::uint32_t seed, float avoidTop)
{
    const Colour colours[] = {Rgb(240, 80, 90), Rgb(250, 190, 40), Rgb(70, 170, 230), Rgb(120, 200, 90), Rgb(190, 110, 220)};
    std::uint32_t state = seed * 2654435761u + 1;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return float(state >> 8) / float(1u << 24);
    };
    for (int i = 0; i < count; ++i) {
        const Point c{next() * float(art.width()), avoidTop + next() * (float(art.height()) - avoidTop)};
        const float size = 4 + 5 * next();
        const Shape bit = i % 3 ? Rotated(RoundedBox(c, size, size * 0.45f, 1), c, next() * kPi) : Circle(c, size * 0.6f);
        art.paint(bit, Solid(colours[i % 5]), 0.9f, Around(c, size + 2, size + 2));
    }
}

}  // namespace lv::artwork
