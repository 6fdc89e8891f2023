#pragma once
// The JPEG library's error, source and destination managers as this program installs
// them: a fatal error jumps back to the caller instead of ending the process, and data
// flows through ByteSource and ByteSink, so the same codec serves whole files and JPEG
// blocks stored inside other files.

#include "common/byte_sink.h"
#include "common/byte_source.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <jpeglib.h>

namespace lv {

// The library's standard error manager with the fatal-error routine replaced by a
// longjmp to `jump`. Messages are formatted into `message` and never printed.
struct JpegErrorManager {
    jpeg_error_mgr library;  // first: the library's pointer converts back to this struct
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Fills the manager and returns the pointer to store in `cinfo.err`.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& manager);

struct JpegSourceManager {
    jpeg_source_mgr library;  // first, as above
    ByteSource* source;
    JOCTET* buffer;
    bool readAnything;
    bool atFakeEnd;  // the buffer holds the end marker supplied for a truncated stream
};

// Reads the stream from `source` through a buffer in the library's permanent pool.
// Call inside the jump-back scope: the allocation can fail.
void AttachJpegSource(j_decompress_ptr cinfo, JpegSourceManager& manager, ByteSource& source);

// Gives back the bytes read ahead but not consumed, so the source stands just past the
// JPEG data (a container goes on reading from there).
void ReturnUnusedJpegInput(JpegSourceManager& manager);

struct JpegDestinationManager {
    jpeg_destination_mgr library;  // first, as above
    ByteSink* sink;
    JOCTET* buffer;
};

// Writes the stream to `sink`; a failed write is a library error (a jump back).
void AttachJpegDestination(j_compress_ptr cinfo, JpegDestinationManager& manager, ByteSink& sink);

}  // namespace lv
