#pragma once
// The JPEG library decodes every MCU of a stream with restart markers on its careful,
// slow path. A row of tiles joined into one stream needs a restart only where a tile's
// part of an MCU row begins; this steers the library MCU by MCU so that it restarts
// there, exactly as the stream's own interval says, and takes its fast path in between.

#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <jpeglib.h>

namespace lv::flashpix {

class RestartSteering {
public:
    // Between jpeg_read_header and jpeg_start_decompress; does nothing for a stream
    // without restarts.
    void prepare(j_decompress_ptr cinfo);
    // Just after jpeg_start_decompress, before any data is read.
    void start(j_decompress_ptr cinfo);

private:
    static boolean decodeMcu(j_decompress_ptr cinfo, JBLOCKROW* blocks);
    boolean (*libraryDecode_)(j_decompress_ptr, JBLOCKROW*) = nullptr;
    unsigned interval_ = 0;
    unsigned mcuInInterval_ = 0;
};

}  // namespace lv::flashpix
