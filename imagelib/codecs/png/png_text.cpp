#include "imagelib/codecs/png/png_text.h"

#include "imagelib/codecs/png/png_callbacks.h"

#include <png.h>

#include <cstring>

// The library reports errors by a longjmp back into the functions below, which therefore
// make no object with a destructor after setjmp; what they own lives in their callers.

namespace lv {
namespace {

struct TextWriter {
    ~TextWriter() { png_destroy_write_struct(&png, &info); }
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrorRecord errors{};
    std::vector<png_text> text;
    std::vector<png_bytep> rows;
};

struct TextReader {
    ~TextReader() { png_destroy_read_struct(&png, &info, nullptr); }
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrorRecord errors{};
};

bool encode(TextWriter& w, PngOutput& output, const HDIB& picture)
{
    if (setjmp(w.errors.jump))
        return false;
    png_set_write_fn(w.png, &output, WritePngToSink, FlushPngSink);
    png_set_IHDR(w.png, w.info, png_uint_32(picture.width()), png_uint_32(picture.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_gAMA(w.png, w.info, 1.0 / 2.2);  // as the program's own PNG files: they reopen unchanged
    png_set_text(w.png, w.info, w.text.data(), int(w.text.size()));
    png_write_info(w.png, w.info);
    png_set_bgr(w.png);
    png_write_image(w.png, w.rows.data());
    png_write_end(w.png, w.info);
    return true;
}

bool decodeInfo(TextReader& r, ByteSource& source)
{
    if (setjmp(r.errors.jump))
        return false;
    png_set_read_fn(r.png, &source, ReadPngFromSource);
    png_read_info(r.png, r.info);
    return true;
}

}  // namespace

bool WritePngWithText(ByteSink& sink, const HDIB& picture, const PngTextEntries& text)
{
    if (!picture || picture.bitCount() != 24)
        return false;
    TextWriter w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w.errors, RecordPngErrorAndJump, IgnorePngWarning);
    if (!w.png || !(w.info = png_create_info_struct(w.png)))
        return false;
    for (const auto& [key, value] : text)
        w.text.push_back({PNG_TEXT_COMPRESSION_NONE, const_cast<char*>(key.c_str()), const_cast<char*>(value.c_str()),
                          value.size(), 0, nullptr, nullptr});
    for (int top = 0; top < picture.height(); ++top)
        w.rows.push_back(const_cast<png_bytep>(picture.row(picture.height() - 1 - top)));
    PngOutput output{&sink, 0, 0};
    return encode(w, output, picture);
}

std::optional<std::map<std::string, std::string>> ReadPngText(ByteSource& source)
{
    TextReader r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r.errors, RecordPngErrorAndJump, IgnorePngWarning);
    if (!r.png || !(r.info = png_create_info_struct(r.png)) || !decodeInfo(r, source))
        return std::nullopt;
    png_textp text = nullptr;
    const int count = png_get_text(r.png, r.info, &text, nullptr);
    std::map<std::string, std::string> entries;
    for (int i = 0; i < count; ++i)
        if (text[i].key && text[i].text)
            entries[text[i].key] = std::string(text[i].text, text[i].text_length);
    return entries;
}

}  // namespace lv
