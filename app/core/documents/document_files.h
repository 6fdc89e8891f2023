#pragma once
// The decisions around opening and saving documents that the image windows ask the user
// about: default extensions, second copies, empty pictures and the layered-format questions.

#include "imagelib/dib.h"

#include <string>
#include <string_view>

namespace lv {

inline constexpr int kCannotSaveLayeredString = 3005;  // "Esta imagem não pode ser gravada com o formato VLF."
inline constexpr int kLayersWillBeLostString = 3006;   // "As informações serão perdidas se não ..."

// The file type last chosen in the Save-as dialog (its list position, 1-based); new names
// without an extension take its extension. Starts as JPEG, the usual type of photos.
int& CurrentSaveType();

// The extension a type appends: ".vlf" for the layered type, ".PNG" for PNG, string
// 2388 + type for types 1 to 6; empty for types written by no one here.
std::string DefaultExtension(int saveType);

// A name whose file part has no "." gets the extension of `saveType`.
std::string WithDefaultExtension(std::string path, int saveType);

// Whether two document names are the same file, compared without regard to case.
bool SameDocumentName(std::string_view a, std::string_view b);

// Asks whether to open another copy of a file already shown; true for Yes.
bool AskOpenSecondCopy(std::string_view path);

// A picture without width or height: freed, with a beep; true when that happened.
bool DiscardEmptyPicture(HDIB& picture);

// The type a name saves as by the Save-as dialog's table of extensions (SaveTypeOfExtension);
// `fallback` for any other name.
int SaveTypeOfName(std::string_view path, int fallback);

// The Save-as dialog's OK for a type: the layered type for a document without layers shows
// 3005; another type for a document of two or more layers asks 3006. False keeps the dialog open.
bool AcceptSaveAsType(int saveType, int layerCount);

// Saving under the current name: a document of two or more layers whose name does not end
// in ".vlf" asks 3006 first. False when the user answered No (the Save-as dialog opens instead).
bool ConfirmSaveUnderName(std::string_view path, int layerCount);

}  // namespace lv
