#pragma once

#include "command.h"

#include "common/geometry.h"
#include "edit/selection/colour_match.h"
#include "edit/selection/selection.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lv::tool {

// "select IN [--layer N] OP... [--mask OUT] [--apply crop|delete] [--out DOC] [--json]"
int RunSelect(std::string_view name, Arguments args);

// One selection operation of the command line.
struct WandOperation {
    Point point;
    ChannelLimits tolerance{32, 32, 32};
    bool global = false;
};
struct RectangleOperation {
    Rect rect;
};
struct EllipseOperation {
    Rect rect;
};
struct PolygonOperation {
    std::vector<Point> points;
};
struct SelectOperation {
    std::variant<WandOperation, RectangleOperation, EllipseOperation, PolygonOperation> shape;
    CombineMode mode = CombineMode::New;
};

// "wand=X,Y[,tol=R/G/B][,global][,mode=M]", "rect=L,T,R,B[,mode=M]", "ellipse=L,T,R,B[,mode=M]"
// or "poly=X1/Y1/X2/Y2/...[,mode=M]"; M one of new, add, sub, and, xor, notold. Nothing,
// with the reason in `error`, for anything else.
std::optional<SelectOperation> ParseSelectOperation(const std::string& text, std::string& error);

}  // namespace lv::tool
