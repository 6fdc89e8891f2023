#pragma once
// The photo search library: a dialog that finds photos in the user's albums (and, when the
// user asks, in folders on disk). The program calls its three entry points in this order:
//
//   InitProc(draw, fit, load)       how the library draws, fits and loads pictures
//   SetSupportImageType("*.BMP")     picture types the dialog offers besides its own
//   OpenSearchDlg(window, buffer, 85, 85)
//
// `buffer` holds kSearchBufferBytes bytes: on entry the folder of the user's albums; on
// return kSearchOpenPhoto it names the photo to open, on kSearchResultsAlbum the album file
// the library wrote into that folder with the hits (the program gives it its place among
// the user's albums). The thumbnails of the hits are `width` × `height`.

#include "common/geometry.h"
#include "imagelib/dib.h"
#include "imagelib/drawing_surface.h"

#include <cstddef>
#include <cstdint>

class QWidget;

namespace lv::search {

// Paints the picture fitted into the rectangle; non-zero when it drew.
using DrawProc = int (*)(DrawingSurface* surface, const Rect* rect, const HDIB* image);
// A copy scaled to fit width × height, keeping the aspect ratio.
using FitProc = HDIB (*)(const HDIB* image, std::uint16_t width, std::uint16_t height);
// The photo as a picture, null on failure. Called on the dialog's thread.
using LoadProc = HDIB (*)(const char* path);

inline constexpr std::size_t kSearchBufferBytes = 4096;
inline constexpr int kSearchCancelled = 0;
inline constexpr int kSearchOpenPhoto = 1;
inline constexpr int kSearchResultsAlbum = 2;

void InitProc(DrawProc draw, FitProc fit, LoadProc load);
// "*.EXT" patterns separated by ";"; answers how many types the dialog offers.
int SetSupportImageType(const char* patterns);
int OpenSearchDlg(QWidget* owner, char* buffer, int width, int height);

}  // namespace lv::search
