#include "imagelib/png_callbacks.h"

#include "imagelib/progress.h"

#include <cstdio>

// The library longjmps out of these callbacks' callers: nothing here owns a resource.

namespace lv {
namespace {

constexpr int kAdam7Passes = 7;

std::uint64_t rowsBefore(int pass, std::uint32_t height)
{
    std::uint64_t rows = 0;
    for (int p = 0; p < pass && p < kAdam7Passes; ++p)
        rows += PNG_PASS_ROWS(height, p);
    return rows;
}

}  // namespace

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

void ReportPngWriteProgress(png_structp png, png_uint_32 row, int pass)
{
    if (row % 16 != 0)
        return;
    const auto* output = static_cast<const PngOutput*>(png_get_io_ptr(png));
    const std::uint64_t total = rowsBefore(kAdam7Passes, output->height);
    if (total)
        ReportProgress(kProgressWriting, int((rowsBefore(pass, output->height) + row) * 100 / total));
}

}  // namespace lv
