#pragma once
// Photo CD image packs through the Photo CD library, with the options the user chose.

#include "common/byte_source.h"
#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/photocd/pcd_library.h"

#include <optional>
#include <string>

namespace lv {

// The library's entry points; a missing one counts as the result 1.
struct PhotoCdLibrary {
    int (*refOpen)(ByteSource&, photocd::PcdRef&) = nullptr;
    int (*setFormat)(photocd::PcdReference*, int) = nullptr;
    int (*setResolution)(photocd::PcdReference*, int) = nullptr;
    int (*setAbort)(photocd::PcdReference*, photocd::PcdAbortCallback, void*) = nullptr;
    int (*setProgress)(photocd::PcdReference*, photocd::PcdProgressCallback, void*) = nullptr;
    int (*loadImage)(photocd::PcdReference*, int, HDIB&) = nullptr;
    int (*refClose)(photocd::PcdRef&) = nullptr;
};

// The program's own library, every entry point present.
PhotoCdLibrary BuiltInPhotoCdLibrary();

// Broken (-2) when the file can't be opened, the options dialog is cancelled or the read
// is; Failure (0) when the library is missing (`library` empty) or fails, carrying the memory
// message when it ran out; otherwise a 24-bit colour or 8-bit grey picture, 7874 pixels
// per metre.
ReadResult ReadPhotoCd(const std::string& path);
ReadResult ReadPhotoCd(const std::string& path, const std::optional<PhotoCdLibrary>& library);
ReadResult ReadPhotoCd(ByteSource& file, const PhotoCdLibrary& library);

}  // namespace lv
