#include "imagelib/codecs/file_filters.h"

namespace lv {
namespace {

constexpr FileFilter kStill[] = {
    {"Todos os arquivos de imagens fixas", "*.BMP;*.TIF;*.TIFF;*.PCX;*.GIF;*.TGA;*.JPG;*.JPEG;*.JPE;*.FPX;*.VLF;*.PNG;*.PSD"},
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
};

constexpr FileFilter kAll[] = {
    {"Todos os arquivos de imagens", "*.BMP;*.TIF;*.TIFF;*.PCX;*.GIF;*.TGA;*.JPG;*.JPEG;*.JPE;*.PCD;*.VLF;*.PNG;*.PSD"},
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
};

}  // namespace

std::span<const FileFilter> OpenStillImageFilters() { return kStill; }
std::span<const FileFilter> OpenAllImageFilters() { return kAll; }
std::span<const FileFilter> SaveAsFilters() { return std::span(kStill).subspan(1); }

}  // namespace lv
