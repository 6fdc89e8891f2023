#pragma once
// How the tool opens and writes pictures: the program's document-open rules, but the
// picture keeps the depth it has in its file.

#include "edit/document_block.h"
#include "edit/layer_stack.h"
#include "imagelib/codecs/document_open.h"

#include <memory>
#include <optional>
#include <string>

namespace lv::tool {

struct ToolPicture {
    HDIB image;
    std::string format;
    HDIB alpha;        // filled by OpenPictureWithAlpha only; null when the picture is opaque
    PictureFacts facts;  // what the reader learned beside the pixels (the colour profile)
    int exitCode = 0;  // non-zero when the file could not be opened
    int storedOrientation = 1;  // as the file stored it; `image` is already upright
    PhotoMetadata metadata;     // the photo's EXIF, XMP and IPTC
    std::unique_ptr<LayerStack> layers;  // OpenPictureWithAlpha: a layered file as read, composited
};

DocumentReaders ToolReaders();

// Photo CDs are read with the stored choices, without asking: colour at Base unless
// `photoCdResolution` (0 Base/16 ... 4 16Base) says otherwise.
ToolPicture OpenPicture(const std::string& path, std::optional<int> photoCdResolution = std::nullopt);

// The same for a picture about to be scaled down to width × height: a JPEG is decoded at the
// decoder's reduction that still covers twice that size.
ToolPicture OpenPictureForScaling(const std::string& path, int width, int height);

// The same with the transparency the file carries (PNG, 32-bit Targa and bitmap files), or
// for a layered or Photoshop document what its layers leave uncovered; then `image` holds
// the layers' own colours rather than their composite over the grid.
ToolPicture OpenPictureWithAlpha(const std::string& path, std::optional<int> photoCdResolution = std::nullopt);

// Whether files named like `path` keep alpha (PNG, Targa, bitmap, the layered format).
bool KeepsAlpha(const std::string& path);

// Writes a picture with its alpha to a file that keeps it (see KeepsAlpha). Returns an exit
// code. A layered file also takes `metadata`.
int WritePictureWithAlpha(const HDIB& image, const HDIB& alpha, const std::string& path, const PictureFacts& facts = {},
                          const PhotoMetadata& metadata = {});

// The document as the program opens it: a layered file keeps its layers, a picture becomes
// a one-layer document; composited. Null with `exitCode` set (and the reason shown) when
// it cannot be opened.
std::unique_ptr<LayerStack> OpenDocument(const std::string& path, int& exitCode);

// Writes by the output name's extension (".png" through the PNG writer, ".vlf" as a
// one-layer layered document). With `saveAs` the program's safe Save-as procedure runs
// instead (its question answered yes). Returns an exit code.
// `facts` go into formats that hold them (the colour profile: JPEG, PNG, TIFF).
int WritePicture(HDIB& image, const std::string& path, bool saveAs, const PictureFacts& facts = {});

// Writes a composited document: the layered format for ".vlf" names, else its composite
// by the name's extension; either keeps `metadata` where the format holds it. Returns an
// exit code.
int WriteDocument(LayerStack& stack, const std::string& path, int quality, const DocumentMetadata& metadata = {});

// Writes a photo with its metadata (orientation 1, the size updated; with `removePersonal`
// without GPS and serials) when the output format keeps metadata; else as WritePicture.
int WritePhoto(HDIB& image, const PhotoMetadata& metadata, const std::string& path, bool removePersonal,
               const PictureFacts& facts = {});

// Reports a file that could not be written, with its cause, and returns the exit code.
int CannotWrite(const FileFailure& failure, const std::string& path);

// The exit code of a write with metadata (WritePhoto's) and of one without (WritePicture's),
// what the writer said told.
int PhotoWriteOutcome(const WriteResult& result, const std::string& path);
int PictureWriteOutcome(const WriteResult& result, const std::string& path);

}  // namespace lv::tool
