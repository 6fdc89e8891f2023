#include "imagelib/codecs/codec_libraries.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>

// jpeglib.h needs the definitions of stdio.h before it.
#include <jpeglib.h>

namespace lv {
namespace {

#define LV_STRINGIFY2(x) #x
#define LV_STRINGIFY(x) LV_STRINGIFY2(x)

std::string jpegVersion()
{
#ifdef LIBJPEG_TURBO_VERSION
    return LV_STRINGIFY(LIBJPEG_TURBO_VERSION);
#else
    return std::to_string(JPEG_LIB_VERSION);
#endif
}

}  // namespace

std::vector<LibraryNotice> CodecLibraries()
{
    return {
        {"libjpeg-turbo", jpegVersion(), "licença IJG, BSD modificada e zlib"},
        {"libpng", png_get_libpng_ver(nullptr), "licença PNG Reference Library, versão 2"},
        {"zlib", zlibVersion(), "licença zlib"},
    };
}

}  // namespace lv
