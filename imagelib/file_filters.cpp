#include "imagelib/file_filters.h"

namespace lv {
namespace {

constexpr FileFilter kStill[] = {
    {"Todos os arquivos de imagens fixas", "*.BMP;*.TIF;*.PCX;*.GIF;*.TGA;*.JPG;*.JPEG;*.FPX;*.VLF;*.PNG;*.PSD"},
    {"Windows Bitmap (*.BMP)", "*.BMP"},
    {"Tagged Image File (*.TIF)", "*.TIF"},
    {"PC Paintbrush (*.PCX)", "*.PCX"},
    {"CompuServe GIF (*.GIF)", "*.GIF"},
    {"Targa File (*.TGA)", "*.TGA"},
    {"JPEG (*.JPG)", "*.JPG"},
    {"FlashPix (*.FPX)", "*.FPX"},
    {"Verandolith File (*.VLF)", "*.VLF"},
    {"Portable Network Graphics (*.PNG)", "*.PNG"},
    {"Photoshop (*.PSD)", "*.PSD"},
};

constexpr FileFilter kAll[] = {
    {"Todos os arquivos de imagens", "*.BMP;*.TIF;*.PCX;*.GIF;*.TGA;*.JPG;*.PCD;*.VLF;*.PNG;*.PSD"},
    {"Windows Bitmap (*.BMP)", "*.BMP"},
    {"Tagged Image File (*.TIF)", "*.TIF"},
    {"PC Paintbrush (*.PCX)", "*.PCX"},
    {"CompuServe GIF (*.GIF)", "*.GIF"},
    {"Targa File (*.TGA)", "*.TGA"},
    {"JPEG (*.JPG)", "*.JPG"},
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
