#include "imagelib/codecs/file_filters.h"

namespace lv {
namespace {

// The camera raw formats LibRaw develops, as the Open dialogs list them.
#define LV_RAW_PATTERNS                                                                                             \
    "*.DNG;*.CR2;*.CR3;*.CRW;*.NEF;*.NRW;*.ARW;*.SRF;*.SR2;*.ORF;*.RW2;*.RAF;*.PEF;*.SRW;*.RWL;*.MRW;*.3FR;*.FFF;" \
    "*.IIQ;*.MOS;*.MEF;*.ERF;*.KDC;*.DCR;*.X3F;*.RAW;*.GPR"

// Save-as lists every still type but the last, camera raw, which is read only.
constexpr std::size_t kSaveAsTypeCount = 14;

constexpr FileFilter kStill[] = {
    {"Todos os arquivos de imagens fixas", "*.BMP;*.TIF;*.TIFF;*.PCX;*.GIF;*.TGA;*.JPG;*.JPEG;*.JPE;*.FPX;*.VLF;*.PNG;*.PSD;*.WEBP;*.AVIF;*.JXL;*.HEIC;*.HEIF;" LV_RAW_PATTERNS},
    {"Windows Bitmap (*.BMP)", "*.BMP"},
    {"Tagged Image File (*.TIF)", "*.TIF;*.TIFF"},
    {"PC Paintbrush (*.PCX)", "*.PCX"},
    {"CompuServe GIF (*.GIF)", "*.GIF"},
    {"Targa File (*.TGA)", "*.TGA"},
    {"JPEG (*.JPG)", "*.JPG;*.JPEG;*.JPE"},
    {"FlashPix (*.FPX)", "*.FPX"},
    {"Verandolith File (*.VLF)", "*.VLF"},
    {"Portable Network Graphics (*.PNG)", "*.PNG"},
    {"Photoshop (*.PSD)", "*.PSD"},
    {"WebP (*.WEBP)", "*.WEBP"},
    {"AVIF (*.AVIF)", "*.AVIF"},
    {"JPEG XL (*.JXL)", "*.JXL"},
    {"HEIF/HEIC (*.HEIC)", "*.HEIC;*.HEIF"},
    {"Arquivo bruto de câmera (*.DNG, *.CR2, *.NEF...)", LV_RAW_PATTERNS},
};

constexpr FileFilter kAll[] = {
    {"Todos os arquivos de imagens", "*.BMP;*.TIF;*.TIFF;*.PCX;*.GIF;*.TGA;*.JPG;*.JPEG;*.JPE;*.PCD;*.VLF;*.PNG;*.PSD;*.WEBP;*.AVIF;*.JXL;*.HEIC;*.HEIF;" LV_RAW_PATTERNS},
    {"Windows Bitmap (*.BMP)", "*.BMP"},
    {"Tagged Image File (*.TIF)", "*.TIF;*.TIFF"},
    {"PC Paintbrush (*.PCX)", "*.PCX"},
    {"CompuServe GIF (*.GIF)", "*.GIF"},
    {"Targa File (*.TGA)", "*.TGA"},
    {"JPEG (*.JPG)", "*.JPG;*.JPEG;*.JPE"},
    {"Kodak Photo CD (*.PCD)", "*.PCD"},
    {"Verandolith File (*.VLF)", "*.VLF"},
    {"Portable Network Graphics (*.PNG)", "*.PNG"},
    {"Photoshop (*.PSD)", "*.PSD"},
    {"WebP (*.WEBP)", "*.WEBP"},
    {"AVIF (*.AVIF)", "*.AVIF"},
    {"JPEG XL (*.JXL)", "*.JXL"},
    {"HEIF/HEIC (*.HEIC)", "*.HEIC;*.HEIF"},
    {"Arquivo bruto de câmera (*.DNG, *.CR2, *.NEF...)", LV_RAW_PATTERNS},
};

}  // namespace

std::span<const FileFilter> OpenStillImageFilters() { return kStill; }
std::span<const FileFilter> OpenAllImageFilters() { return kAll; }
std::span<const FileFilter> SaveAsFilters() { return std::span(kStill).subspan(1, kSaveAsTypeCount); }

}  // namespace lv
