#pragma once
// The two higher dispatchers: the application's document open and the general image
// loader used by the album, thumbnail printing and sharing. Neither shows anything: the
// result's failure carries, as notices in order, every word for the user, the readers' and
// the dispatch's own, also beside a picture that was read.

#include "imagelib/codecs/codec_result.h"
#include "imagelib/metadata/photo_metadata.h"

#include <functional>
#include <string>
#include <string_view>

namespace lv {

using ReaderFunction = std::function<ReadResult(const std::string& path)>;

// Readers these dispatchers use beside the library table. Some live in higher layers
// (the layered format, Photoshop files), so callers supply them; an empty one is absent.
struct DocumentReaders {
    ReaderFunction png;
    ReaderFunction layered;
    ReaderFunction gifStream;
    ReaderFunction pcxWhole;
    ReaderFunction psd;
};

// The readers the image library itself provides.
DocumentReaders LibraryDocumentReaders();

struct OpenOptions {
    bool promoteTo24 = true;    // documents are 24-bit; a converter keeps the file's depth
    bool showMessages = true;   // the document open's own words (cause and name, part read)
    // With both set the picture is to be scaled down to this upright size, and a JPEG may be
    // decoded at a reduction that still covers it (see OpenJpegForScaling).
    int scaleToWidth = 0;
    int scaleToHeight = 0;
};

struct OpenedImage {
    ReadResult result = ReadCode::Failure;
    std::string format;  // which reader produced it ("BMP", "PNG", "VLF", ...)
    PhotoMetadata metadata;  // the photo's EXIF, XMP and IPTC; the picture is already upright
};

// The document open: extension dispatch, PNG and layered fallbacks, string 2356 for an
// unreadable file, promotion to 24 bits.
OpenedImage OpenDocumentImage(const std::string& path, const DocumentReaders& readers, const OpenOptions& options = {});

// The general image loader.
OpenedImage LoadGeneralImage(const std::string& path, const DocumentReaders& readers, const OpenOptions& options = {});

// While set, the general loader shows no hourglass (the album's background thumbnailing).
void SetBackgroundLoading(bool background);

}  // namespace lv
