#pragma once
// How the image library speaks to the user: one message-box look for all its texts.

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

// Captioned "Atenção", exclamation icon, OK button.
void ShowLibraryMessage(std::string_view text);
// "%s --- %s" with the detail text.
void ShowDetailedMessage(std::string_view text, std::string_view detail);
// "%s --- %ld" with the number.
void ShowDetailedMessage(std::string_view text, long number);
// A string-table entry shown directly, captioned "Atenção" with the exclamation icon.
void ShowStringMessage(int stringId);
void ShowDetailedStringMessage(int stringId, std::string_view detail);

// The library's file-open report ("%s -- %s" with "Não é possível abrir" and the name);
// on until the application switches it off.
void SetFileOpenReports(bool enabled);
void ReportFileOpenFailure(std::string_view path);

}  // namespace lv
