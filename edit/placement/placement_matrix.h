#pragma once
// The placement matrix of a layer maps a source point (row, column, 1), rows from the top,
// to the document: row' = m0 row + m1 column + m2, column' = m3 row + m4 column + m5. Each
// builder makes an operation T; Compose(T, M) is T × M, so that T acts after M.

#include "common/geometry.h"
#include "edit/layer_stack.h"

namespace lv {

Placement IdentityPlacement();
// By dx columns and dy rows.
Placement TranslatePlacement(double dx, double dy);
// About the column cx and row cy, by sx across and sy down.
Placement ScalePlacement(double cx, double cy, double sx, double sy);
// About the column cx and row cy by `radians` (positive turns clockwise on screen).
Placement RotatePlacement(double cx, double cy, double radians);
// Mirror about the row c (`rows` set) or about the column c.
Placement MirrorPlacement(bool rows, double c);

Placement Compose(const Placement& t, const Placement& m);

// A placement block of all zeros: the layer has not been placed yet.
bool IsUnplaced(const Placement& m);

// Half away from zero, and toward zero, as the placement code rounds.
int RoundAway(double value);
int Truncate(double value);

// The box (right and bottom exclusive) holding the rectangle mapped through the matrix,
// rounded as the renders place their results.
Rect PlacedBoundingBox(const Rect& rect, const Placement& m);

// The rotation angles of the tools: whole degrees to radians.
inline constexpr double kToolRadiansPerDegree = 0.0174532925;
inline constexpr double kApplyRadiansPerDegree = 0.017453292222222222;

}  // namespace lv
