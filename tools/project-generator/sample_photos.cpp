#include "sample_photos.h"

#include "noise.h"
#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::artwork {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Ground below a wavy horizon: negative below the line.
Shape Ground(float base, float amplitude, float waves, float phase, float width)
{
    return [=](Point p) {
        const float horizon = base - amplitude * std::sin(p.x / width * waves * kPi + phase);
        return horizon - p.y;
    };
}

Fill Shaded(Colour light, Colour dark, float top, float bottom, std::uint32_t seed)
{
    return [=](Point p) {
        const float grain = Fractal(p.x / 40, p.y / 40, 3, seed) - 0.5f;
        return Scale(Mix(light, dark, std::clamp((p.y - top) / (bottom - top), 0.0f, 1.0f)), 1 + 0.18f * grain);
    };
}

void hills(LayerArt& art, float w, float h)
{
    art.each(LinearStops({0, 0}, {0, h * 0.6f}, {{0, Rgb(80, 150, 225)}, {0.7f, Rgb(170, 210, 240)}, {1, Rgb(225, 235, 240)}}));
    const Point sun{w * 0.74f, h * 0.22f};
    art.paint(Circle(sun, h * 0.09f), Radial(sun, h * 0.09f, Rgb(255, 252, 220), Rgb(255, 226, 130)), 1, Around(sun, h * 0.09f, h * 0.09f));
    for (int i = 0; i < 3; ++i) {  // clouds
        const Point c{w * (0.18f + 0.28f * float(i)), h * (0.14f + 0.06f * float(i % 2))};
        art.paint(Union({Ellipse(c, w * 0.07f, h * 0.035f), Ellipse({c.x + w * 0.04f, c.y - h * 0.02f}, w * 0.05f, h * 0.035f)}),
                  Solid(Rgb(250, 252, 255)), 0.9f, Around(c, w * 0.1f, h * 0.06f));
    }
    art.paint(Ground(h * 0.55f, h * 0.07f, 2.2f, 0.4f, w), Shaded(Rgb(120, 170, 90), Rgb(60, 110, 60), h * 0.45f, h, 3), 1,
              Rect{0, int(h * 0.47f), int(w), int(h)});
    art.paint(Ground(h * 0.7f, h * 0.05f, 3.1f, 2.0f, w), Shaded(Rgb(150, 200, 80), Rgb(70, 130, 40), h * 0.6f, h, 5), 1,
              Rect{0, int(h * 0.64f), int(w), int(h)});
    for (int i = 0; i < 5; ++i) {  // a few trees on the near hill
        const float x = w * (0.1f + 0.19f * float(i)), base = h * (0.72f - 0.03f * std::sin(float(i) * 2.0f));
        const Rect tree = Around({x, base - h * 0.07f}, h * 0.05f, h * 0.08f);
        art.paint(Capsule({x, base}, {x, base - h * 0.06f}, w * 0.006f), Solid(Rgb(90, 60, 35)), 1, tree);
        art.paint(Circle({x, base - h * 0.085f}, h * 0.045f), Radial({x - h * 0.015f, base - h * 0.1f}, h * 0.06f, Rgb(80, 160, 70), Rgb(30, 90, 40)), 1,
                  tree);
    }
}

void beach(LayerArt& art, float w, float h)
{
    art.each(LinearStops({0, 0}, {0, h * 0.5f}, {{0, Rgb(60, 140, 220)}, {1, Rgb(180, 225, 245)}}));
    art.paint(Circle({w * 0.3f, h * 0.2f}, h * 0.08f), Solid(Rgb(255, 245, 200)), 1, Around({w * 0.3f, h * 0.2f}, h * 0.08f, h * 0.08f));
    art.paint(Ground(h * 0.5f, 0, 1, 0, w), Shaded(Rgb(40, 160, 190), Rgb(20, 90, 150), h * 0.5f, h * 0.75f, 7), 1,
              Rect{0, int(h * 0.49f), int(w), int(h)});
    const Rect shore{0, int(h * 0.68f), int(w), int(h)};
    art.paint(Ground(h * 0.72f, h * 0.03f, 2.5f, 1.0f, w), Shaded(Rgb(245, 225, 170), Rgb(220, 190, 130), h * 0.7f, h, 9), 1, shore);
    art.outline(Ground(h * 0.72f, h * 0.03f, 2.5f, 1.0f, w), Rgb(255, 255, 255), h * 0.012f, 0.8f, shore);
    // A palm leaning over the sand.
    const Point foot{w * 0.82f, h * 0.9f}, crown{w * 0.7f, h * 0.36f};
    const Rect palm{int(w * 0.5f), int(h * 0.2f), int(w), int(h)};
    art.paint(Capsule(foot, crown, w * 0.018f), Linear(foot, Rgb(120, 85, 50), crown, Rgb(150, 110, 70)), 1, palm);
    for (int i = 0; i < 6; ++i) {
        const float a = -kPi * 0.95f + float(i) * kPi * 0.32f;
        const Point tip{crown.x + std::cos(a) * w * 0.13f, crown.y + std::sin(a) * h * 0.12f + h * 0.05f};
        art.paint(Rotated(Ellipse({(crown.x + tip.x) / 2, (crown.y + tip.y) / 2}, w * 0.07f, h * 0.018f), {(crown.x + tip.x) / 2, (crown.y + tip.y) / 2}, a),
                  Solid(Rgb(40, 130, 60)), 1, palm);
    }
}

void garden(LayerArt& art, float w, float h)
{
    art.each(LinearStops({0, 0}, {0, h}, {{0, Rgb(200, 230, 250)}, {0.45f, Rgb(150, 205, 120)}, {1, Rgb(60, 130, 60)}}));
    const Colour petals[] = {Rgb(235, 70, 90), Rgb(250, 200, 60), Rgb(240, 130, 200), Rgb(255, 255, 255), Rgb(150, 110, 230)};
    for (int i = 0; i < 22; ++i) {
        const float x = w * std::fmod(0.07f + float(i) * 0.273f, 1.0f);
        const float depth = float(i) / 22;
        const float y = h * (0.5f + 0.45f * depth);
        const float r = h * (0.025f + 0.04f * depth);
        art.paint(Capsule({x, y}, {x, std::min(h, y + r * 3)}, r * 0.15f), Solid(Rgb(50, 120, 50)), 1,
                  Rect{int(x - r), int(y - r), int(x + r), int(y + r * 3.5f)});
        art.paint(Star({x, y}, 6, r * 1.3f, r * 0.7f, float(i)), Radial({x, y}, r * 1.3f, Scale(petals[i % 5], 1.05f), Scale(petals[i % 5], 0.8f)), 1,
                  Around({x, y}, r * 1.4f, r * 1.4f));
        art.paint(Circle({x, y}, r * 0.35f), Solid(Rgb(250, 210, 60)), 1, Around({x, y}, r * 0.4f, r * 0.4f));
    }
}

}  // namespace

LayerArt SamplePhoto(SampleScene scene, int width, int height)
{
    LayerArt art = LayerArt::Opaque(width, height, Solid(Rgb(255, 255, 255)));
    const float w = float(width), h = float(height);
    switch (scene) {
    case SampleScene::Hills: hills(art, w, h); break;
    case SampleScene::Beach: beach(art, w, h); break;
    case SampleScene::Garden: garden(art, w, h); break;
    }
    return art;
}

}  // namespace lv::artwork
