#pragma once
// The "supermeter" angle dial: a circle with a needle that the user points with the left
// button. It reports the angle of the point it was given, counted anticlockwise from the
// right (0 right, 90 up, 180 left, 270 down).

#include "app/skin/geometry.h"

#include <optional>

namespace lv::skin {

// A stored point whose y is this value holds an angle in degrees in x.
inline constexpr int kDialAngleMarker = 10000;
inline constexpr int kDialReportItem = 100;  // the parent's item that receives the angle
inline constexpr int kDialTickLength = 5;
inline constexpr int kDialLabelFontHeight = 12;
inline constexpr double kDialNeedleShare = 0.8;  // of the radius

struct DialGeometry {
    Point centre;
    int radius = 0;
    int hubRadius = 0;
};

// The middle of the client area, a third of its shorter side, and a hub of radius ÷ 10 + 1.
DialGeometry DialGeometryOf(Size client);

// The angle reported for a point, by the dial's rounding: whole degrees from 0 to 360.
unsigned DialAngle(Point point, Point centre);

struct NeedleEnd {
    double x = 0;
    double y = 0;
};
// Where the needle, 0.8 × the radius long, ends for a stored point: toward the point, to the
// right for (−1, −1) or the centre itself, and at the angle for a point marked with 10000.
NeedleEnd NeedleEndFor(const DialGeometry& dial, Point stored);

class AngleDial {
public:
    // A left press, or a move with only the left button down. Points outside the circle are
    // ignored; true when the point was taken (the dial repaints).
    bool point(Point p, Size client);
    // The program sets the needle to an angle; nothing is reported for it.
    void setAngle(int degrees) { stored_ = {degrees, kDialAngleMarker}; }
    Point stored() const { return stored_; }

    // A paint happened: the angle to set in the parent's item, once for each point taken.
    std::optional<unsigned> painted(Size client);

private:
    Point stored_{0, 0};
    bool pointToReport_ = false;
};

}  // namespace lv::skin
