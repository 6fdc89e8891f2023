#pragma once
// The album browser control's own thumbnails: read from the photo file, the longer side at
// most 80 pixels, sampled as the album's thumbnails are.

#include "imagelib/dib.h"
#include "imagelib/codecs/document_open.h"

#include <string>

namespace lv::album {

inline constexpr int kBrowserThumbnailSide = 80;

// JPEG files are sampled without decoding the whole picture; others go through the album's
// photo loader. Null when the file can't be read. Shows nothing, so it may run on a worker
// thread for files SafeOnWorkerThreads accepts.
HDIB BrowserThumbnail(const std::string& path, const DocumentReaders& readers);

}  // namespace lv::album
