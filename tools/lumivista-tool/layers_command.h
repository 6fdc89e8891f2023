#pragma once

#include "command.h"

#include <optional>
#include <string>

namespace lv::tool {

// "layers IN OUT OP... [--json]": layer commands and their undo, in order.
int RunLayers(std::string_view name, Arguments args);

enum class LayerOpKind {
    New, Duplicate, Up, Down, MergeDown, Flatten, Current, Add, Delete, Opacity, Hide, Show, Link, Rename, Undo, Redo
};

struct LayerOperation {
    LayerOpKind kind = LayerOpKind::New;
    int number = 0;    // the layer index, or the opacity
    std::string text;  // the file of add=, the name of rename=
};

// One OP word; nothing, with the reason in `error`, for anything else.
std::optional<LayerOperation> ParseLayerOperation(const std::string& word, std::string& error);

}  // namespace lv::tool
