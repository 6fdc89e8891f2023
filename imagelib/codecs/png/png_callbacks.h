#pragma once
// What the PNG library calls back into: the error routine that records the library's
// message and jumps back, a silent warning routine, and I/O through ByteSource and
// ByteSink.

#include "common/byte_sink.h"
#include "common/byte_source.h"

#include <csetjmp>
#include <cstdint>
#include <png.h>

namespace lv {

// The library's error pointer: where a failing call jumps, and what it said.
struct PngErrorRecord {
    std::jmp_buf jump;
    char message[256];
};

// Create the library's structures with these; the error pointer is a PngErrorRecord.
[[noreturn]] void RecordPngErrorAndJump(png_structp png, png_const_charp text);
void IgnorePngWarning(png_structp png, png_const_charp text);

// I/O pointer: a ByteSource. A short read is a library error ("Read Error").
void ReadPngFromSource(png_structp png, png_bytep data, std::size_t length);

// I/O pointer for writing: the sink, and how far the rows have got for the progress reports.
struct PngOutput {
    ByteSink* sink;
    std::uint64_t rowCount;     // rows written over all interlace passes
    std::uint64_t rowsWritten;
};

// Rows of an Adam7-interlaced picture over all its passes (passes without columns are skipped).
std::uint64_t InterlacedRowCount(std::uint32_t width, std::uint32_t height);
// A failed write is a library error ("Write Error").
void WritePngToSink(png_structp png, png_bytep data, std::size_t length);
void FlushPngSink(png_structp png);
// Called after each row the library writes: "Gravação" progress every 16 rows.
void ReportPngWriteProgress(png_structp png, png_uint_32 row, int pass);

}  // namespace lv
