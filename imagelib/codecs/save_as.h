#pragma once
// The Save-as command's save: the old file stays until the new one is written completely
// (the writers' safe path), and stays as it was when the write fails.

#include "common/file_problem.h"
#include "imagelib/codecs/picture_facts.h"
#include "imagelib/dib.h"

#include <string>

namespace lv {

// File types of the Save-as dialog, in the order of its list.
enum SaveAsFileType : int {
    kSaveAsBmp = 1,
    kSaveAsTiff = 2,
    kSaveAsPcx = 3,
    kSaveAsGif = 4,
    kSaveAsTarga = 5,
    kSaveAsJpeg = 6,
    kSaveAsFlashPix = 7,
    kSaveAsLayered = 8,
    kSaveAsPng = 9,
    kSaveAsPhotoshop = 10,
    kSaveAsWebp = 11,
    kSaveAsAvif = 12,
    kSaveAsJxl = 13,
    kSaveAsHeic = 14,
};

// Whether a type is written by the image library's own writers (all but 8 to 10).
bool IsLibrarySaveType(int type);

// The extension a name without one gets for a type 1..7 (".BMP" ... ".JPG", ".FPX"), or empty.
std::string SaveAsTypeExtension(int type);

// Saves with the dialog's type 1..7. A name without an extension gets the type's own
// (written back into `path`); a recognised extension overrides the type. True exactly when
// the file was written completely. `failure` receives the cause of a failure and what the
// user is to be told of it: its sentence with the file's name, or the procedure's own words.
// `facts` go with the picture into formats that hold them (the colour profile: JPEG, TIFF).
bool SaveImageAs(HDIB& image, std::string& path, int fileType, FileFailure& failure, const PictureFacts& facts = {});

}  // namespace lv
