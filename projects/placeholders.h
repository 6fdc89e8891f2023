#pragma once
// Template photo placeholders: a photo dropped into the current layer of a project
// document, fitted into the layer's box without distortion and centred, or stretched over
// a background placeholder. The whole photo becomes the layer's source, so later resizing
// or rotating renders again from it.

#include "edit/layer_stack.h"

#include <optional>
#include <string>

namespace lv {

// Undo step of a drop: the current layer's whole record (pictures, position, sources,
// placement, aspect and kind).
inline constexpr int kUndoPhotoDrop = 1150;

inline constexpr int kFileNotFoundString = 6465;
inline constexpr int kUnknownFormatString = 2356;

enum class PlaceholderKind {
    Photo,          // fitted and centred
    Background,     // "background" in any case: stretched to the layer's exact size
    CalendarPiece,  // "Year", "Month" or "Days": the file is taken from the piece folders
};

// The kind of a layer by its name's first "//" field.
PlaceholderKind KindOfPlaceholder(std::string_view layerName);

struct PhotoDrop {
    bool dropped = false;
    // A Year or Month piece's file name read as the number it shows, for the project's
    // selection (CalendarSelection::adopt).
    std::optional<int> year;
    std::optional<int> month;
};

// Drops the picture at `photoPath` into the document's current layer, as one undo step
// (kUndoPhotoDrop), and recomposites. `templatePath` is the project template's file: a
// calendar piece dropped on a Year, Month or Days layer is taken from the piece folders
// beside it by the dropped file's name. A ".vlf" of one layer brings its own mask; of
// several, their flattened picture; ".psd" its flattened picture; anything else goes
// through the general loader at 24 bits. A missing file shows string 6465 with its path,
// an unreadable one 2356; running out of memory fails without a message.
PhotoDrop DropPhoto(LayerStack& document, const std::string& photoPath, const std::string& templatePath = {});

}  // namespace lv
