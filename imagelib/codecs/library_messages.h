#pragma once
// The image library's own words for its failures. The library says nothing itself: its
// failures carry these texts as notices, and whoever asked for the work shows them.

#include "common/file_problem.h"

#include <string>
#include <string_view>

namespace lv {

inline constexpr std::string_view kOutOfMemoryMessage = "Não há memória suficiente.";
inline constexpr std::string_view kUnknownFileFormatMessage = "Unknown file format";
inline constexpr std::string_view kDiskErrorMessage = "Espaço de disco insuficiente ou erro no disco.";
inline constexpr std::string_view kCannotOpenMessage = "Não é possível abrir";
inline constexpr std::string_view kJpegIndexedMessage =
    "JPEG format is not available for indexed image. Please convert to 24-bit true color or 8-bit Grayscale.";
inline constexpr std::string_view kCropOutsideMessage = "Crop Image outside";
inline constexpr std::string_view kCombineOutsideMessage = "Combine Image outside";
// Caption of the box that shows the PNG library's own error text.
inline constexpr std::string_view kPngReadTitle = "Leitura do arquivo PNG";
inline constexpr std::string_view kGifDepthRefusedMessage = "GIF file is not available for 24-bit true color image.";

// "%s --- %s" with the detail text.
std::string DetailedText(std::string_view text, std::string_view detail);

// A failure with its cause and the library's words for it, captioned "Atenção".
FileFailure WordedFailure(FileProblem problem, std::string text);

// The words of `failure` without its cause: what a reader that names no cause answers, so
// that the dispatch above decides as it would if the reader had spoken for itself.
FileFailure NoticesOnly(const FileFailure& failure);

// The library's file-open report: "%s -- %s" with "Não é possível abrir" and the name.
FileFailure CannotOpenNotice(std::string_view path);

}  // namespace lv
