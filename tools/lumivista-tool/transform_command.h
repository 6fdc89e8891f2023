#pragma once

#include "command.h"

#include "common/geometry.h"
#include "edit/placement/document_geometry.h"

#include <optional>
#include <string>
#include <variant>

namespace lv::tool {

// "transform IN OUT [--layer N] [--json] OP..."
int RunTransform(std::string_view name, Arguments args);

// One operation of the command line, in the order given.
struct RotateOperation { double degrees; };
struct ResizeOperation { Rect box; };
struct MoveOperation { Point by; };
struct FlipOperation { bool horizontal; };
struct TurnOperation { bool right; };
struct SpinOperation { double degrees; };
struct SizeOperation { int width, height; };
struct CanvasOperation { int width, height; CanvasAnchor anchor; };
using TransformOperation = std::variant<RotateOperation, ResizeOperation, MoveOperation, FlipOperation, TurnOperation,
                                        SpinOperation, SizeOperation, CanvasOperation>;

// "rotate=DEG", "resize=L,T,R,B", "move=DX,DY", "flip=h|v", "turn=left|right", "spin=DEG",
// "size=WxH" or "canvas=WxH[,ANCHOR]" (ANCHOR: tl t tr l c r bl b br, or 0-8). Nothing,
// with the reason in `error`, for anything else.
std::optional<TransformOperation> ParseTransformOperation(const std::string& text, std::string& error);

}  // namespace lv::tool
