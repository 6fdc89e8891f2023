#pragma once
// What the Save-as dialog makes of the name the user typed: a typed extension the program
// knows chooses the format, whatever the type list says; a name without one takes the list's
// type and its extension in lower case; an extension nobody knows is refused.

#include "common/file_problem.h"

#include <string>
#include <string_view>

namespace lv {

struct SaveAsTarget {
    std::string path;  // the name to write, always with an extension
    int type = 0;      // the save type; 0 when the typed extension names no format
};

// The extension the user typed: the text after the last "." of the file part, when it is
// 1 to 4 letters and digits with at least one letter ("foto.2024" has none). Without its dot.
std::string TypedExtension(std::string_view path);

// The save type an extension names, any case, with or without its dot ("jpeg", ".TIF",
// ".vlf"), or 0.
int SaveTypeOfExtension(std::string_view extension);

// The lower-case extension a name without one takes for a save type (".jpg", ".vlf"), or empty.
std::string_view AddedExtension(int type);

SaveAsTarget ResolveSaveAsName(std::string_view typedPath, int listType);

// The type the Save-as list starts on: the layered type for a document of several layers,
// else the type the document's own name says, else `stored` (the type last chosen).
int InitialSaveAsType(std::string_view documentName, int layerCount, int stored);

// "Formato de arquivo desconhecido. --- PATH", as the dialog tells a refused name.
FileFailure UnknownSaveFormat(std::string_view path);

}  // namespace lv
