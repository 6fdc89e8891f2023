#include "imagelib/codecs/png/png_callbacks.h"

#include "imagelib/progress.h"

#include <cstdio>

// The library longjmps out of these callbacks' callers: nothing here owns a resource.

namespace lv {

void RecordPngErrorAndJump(png_structp png, png_const_charp text)
{
    auto* record = static_cast<PngErrorRecord*>(png_get_error_ptr(png));
    std::snprintf(record->message, sizeof record->message, "%s", text ? text : "");
    std::longjmp(record->jump, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

void ReadPngFromSource(png_structp png, png_bytep data, std::size_t length)
{
    auto* source = static_cast<ByteSource*>(png_get_io_ptr(png));
    if (!source->readExact(data, length))
        png_error(png, "Read Error");
}

void WritePngToSink(png_structp png, png_bytep data, std::size_t length)
{
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (!output->sink->write(data, length))
        png_error(png, "Write Error");
}

void FlushPngSink(png_structp png)
{
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (!output->sink->flush())
        png_error(png, "Write Error");
}

std::uint64_t InterlacedRowCount(std::uint32_t width, std::uint32_t height)
{
    std::uint64_t rows = 0;
    for (int pass = 0; pass < 7; ++pass)
        if (PNG_PASS_COLS(width, pass) != 0)
            rows += PNG_PASS_ROWS(height, pass);
    return rows;
}

void ReportPngWriteProgress(png_structp png, png_uint_32, int)
{
    auto* output = static_cast<PngOutput*>(png_get_io_ptr(png));
    if (output->rowsWritten % 16 == 0 && output->rowCount)
        ReportProgress(kProgressWriting, int(output->rowsWritten * 100 / output->rowCount));
    ++output->rowsWritten;
}

}  // namespace lv
