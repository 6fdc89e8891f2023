#include "app/skin/angle_dial.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lv::skin {
namespace {

constexpr double kDegreesPerRadian = 57.29582790879778;
constexpr double kRadiansPerDegree = 0.01745327777777778;

}  // namespace

DialGeometry DialGeometryOf(Size client)
{
    DialGeometry dial;
    dial.centre = {client.width / 2, client.height / 2};
    dial.radius = std::min(client.width, client.height) / 3;
    dial.hubRadius = dial.radius / 10 + 1;
    return dial;
}

unsigned DialAngle(Point point, Point centre)
{
    const int dx = point.x - centre.x;
    const int dy = point.y - centre.y;
    if (dx == 0)
        return dy < 0 ? 90 : 270;
    const double t = std::atan(double(dy) / double(dx)) * kDegreesPerRadian;
    if (dx >= 1)
        return t >= 0.5 ? unsigned(360 - int(std::trunc(t + 0.5))) : unsigned(std::trunc(0.5 - t));
    return t >= 0.5 ? unsigned(180 - int(std::trunc(t + 0.5))) : unsigned(180 - int(std::trunc(t - 0.5)));
}

NeedleEnd NeedleEndFor(const DialGeometry& dial, Point stored)
{
    const double length = kDialNeedleShare * dial.radius;
    const double cx = dial.centre.x;
    const double cy = dial.centre.y;
    if (stored.y == kDialAngleMarker) {
        const double a = stored.x * kRadiansPerDegree;
        return {cx + length * std::cos(a), cy - length * std::sin(a)};
    }
    if (stored == Point{-1, -1} || stored == dial.centre)
        return {cx + length, cy};
    const double dx = stored.x - cx;
    const double dy = stored.y - cy;
    const double distance = std::hypot(dx, dy);
    return {cx + length * dx / distance, cy + length * dy / distance};
}

bool AngleDial::point(Point p, Size client)
{
    const DialGeometry dial = DialGeometryOf(client);
    const long dx = p.x - dial.centre.x;
    const long dy = p.y - dial.centre.y;
    if (dx * dx + dy * dy > long(dial.radius) * dial.radius)
        return false;
    stored_ = p;
    pointToReport_ = true;
    return true;
}

std::optional<unsigned> AngleDial::painted(Size client)
{
    if (!std::exchange(pointToReport_, false))
        return std::nullopt;
    return DialAngle(stored_, DialGeometryOf(client).centre);
}

}  // namespace lv::skin
