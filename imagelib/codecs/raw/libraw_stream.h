#pragma once
// LibRaw reads the file through the source the program opened, a piece at a time as it
// parses and unpacks, instead of from a copy of the whole file in memory. A file that
// shrinks underneath only gives short reads, which LibRaw treats as a damaged file.

#include "common/byte_source.h"

#include <libraw/libraw_datastream.h>

namespace lv {

class LibRawSourceStream final : public LibRaw_abstract_datastream {
public:
    // Reads `source` from its start; the source outlives the stream.
    explicit LibRawSourceStream(ByteSource& source);

    int valid() override { return 1; }
    int read(void* destination, size_t itemBytes, size_t items) override;
    // Positions outside the file are clamped to its ends, as with a buffer.
    int seek(INT64 offset, int whence) override;
    INT64 tell() override { return INT64(source_.position()); }
    INT64 size() override { return INT64(size_); }
    int get_char() override;
    char* gets(char* line, int capacity) override;
    int scanf_one(const char* format, void* value) override;
    int eof() override { return source_.position() >= size_; }
    // No JPEG 2000 stream: the files that need one fail as unsupported.
    void* make_jas_stream() override { return nullptr; }

private:
    void noteShortRead(std::size_t got, std::size_t wanted);

    ByteSource& source_;
    std::uint64_t size_;
};

}  // namespace lv
