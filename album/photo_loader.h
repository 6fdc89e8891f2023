#pragma once
// The album's photo loader: the reader chosen by the extension, the result always 24 bits.

#include "imagelib/codecs/codec_result.h"
#include "imagelib/codecs/document_open.h"

#include <string>
#include <string_view>

namespace lv::album {

// The library's readers plus the flattened composites of layered and Photoshop documents.
DocumentReaders AlbumPhotoReaders();

// The text after the last "."; empty when there is none, it is longer than four
// characters, or a "/" follows the dot.
std::string_view PhotoExtension(std::string_view path);

// Whether the loader hands the file to the general reader, and that reader would take it
// as JPEG first (so the sampled JPEG reader gives the same thumbnail).
bool GeneralReaderTakesAsJpeg(std::string_view path);

// Whether the file's reader is one of the image library's codecs, which keep no shared
// state and so may run on worker threads (the layered and Photoshop readers reach further).
bool SafeOnWorkerThreads(std::string_view path);

// "vlf"/"VLF" the layered reader, "png"/"PNG", "gif"/"GIF", "pcx"/"PCX", "psd"/"PSD" their
// readers (compared case-sensitively, so "Png" goes to the general reader), anything else
// the general reader. Pictures that aren't 24 bits are promoted. Failure for no extension.
ReadResult LoadPhotoForAlbum(const std::string& path, const DocumentReaders& readers);

}  // namespace lv::album
