#pragma once
// The three ways the program reads an extension off a file name. Only the extension is
// ever case-folded; names used to open files keep their case.

#include <string>
#include <string_view>

namespace lv {

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// The usual other spellings of two formats' extensions, upper-cased, as the program's own:
// "TIFF" is "TIF", "JPEG" and "JPE" are "JPG" (with or without the dot). Others unchanged.
std::string CanonicalExtension(std::string_view upperExtension);

// The library dispatch: the text after the last "." unless a "/" follows it; upper-cased
// and canonical ("foto.tiff" gives "TIF"). Empty when there is none.
std::string DispatchExtension(std::string_view path);

// The Save-as rule: a "." among the last four characters with no "/" or ":" after it,
// returned with its dot, upper-cased and canonical; ".jpeg" and ".tiff" count too (as
// ".JPG" and ".TIF"). Empty when none.
std::string SaveAsExtension(std::string_view path);

// The general loader: the text after the last "."; empty when that is empty or longer
// than four characters; lower-cased.
std::string LoaderExtension(std::string_view path);

}  // namespace lv
