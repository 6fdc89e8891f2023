#pragma once
// The pictures the desktop shows for the program and for its files, laid out as the icon
// theme expects: hicolor/<n>x<n>/<context>/<name>.png at every size and
// hicolor/scalable/<context>/<name>.svg, a vector drawing of the same picture.

#include <QByteArray>
#include <QImage>

#include <array>
#include <string>
#include <string_view>

namespace lv::skingen {

inline constexpr std::array kDesktopIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

struct DesktopIcon {
    std::string_view name;     // the icon name the menu entry and the file types use
    std::string_view context;  // "apps" or "mimetypes"
};

inline constexpr std::array kDesktopIcons = {
    DesktopIcon{"lumivista", "apps"},
    DesktopIcon{"application-x-lumivista-layered", "mimetypes"},
    DesktopIcon{"application-x-lumivista-album", "mimetypes"},
};

// The icon drawn at size × size pixels on a transparent ground; null for an unknown name.
QImage RenderDesktopIcon(std::string_view name, int size);
// The icon as an SVG document with a 256-unit square view box; empty for an unknown name.
QByteArray DesktopIconSvg(std::string_view name);

// Writes every icon at every size and as SVG below `iconsDir` ("hicolor/..."). False (with
// a reason on stderr) on any failure.
bool WriteDesktopIcons(const std::string& iconsDir);

}  // namespace lv::skingen
