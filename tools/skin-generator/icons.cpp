#include "icons.h"

#include <QSvgRenderer>

#include <array>

namespace lv::skingen {
namespace {

struct Icon {
    std::string_view name;
    std::string_view body;  // SVG elements drawn with stroke="currentColor"
};

constexpr std::string_view kArrowUp = R"(<path d="M12 19V5M5 12l7-7 7 7"/>)";
constexpr std::string_view kArrowDown = R"(<path d="M12 5v14M19 12l-7 7-7-7"/>)";
constexpr std::string_view kArrowLeft = R"(<path d="M19 12H5M12 19l-7-7 7-7"/>)";
constexpr std::string_view kArrowRight = R"(<path d="M5 12h14M12 5l7 7-7 7"/>)";
constexpr std::string_view kCross = R"(<path d="M6 6l12 12M18 6L6 18"/>)";
constexpr std::string_view kCheck = R"(<path d="M5 12.5l4.5 4.5L19 7"/>)";
constexpr std::string_view kTrash = R"(<path d="M4 7h16M10 11v6M14 11v6M6 7l1 13h10l1-13M9 7V4h6v3"/>)";
constexpr std::string_view kFolder
    = R"(<path d="M3 6.5A1.5 1.5 0 0 1 4.5 5H9l2 2h8.5A1.5 1.5 0 0 1 21 8.5v9a1.5 1.5 0 0 1-1.5 1.5h-15A1.5 1.5 0 0 1 3 17.5z"/>)";
constexpr std::string_view kImage
    = R"(<rect x="3" y="4" width="18" height="16" rx="2"/><circle cx="8.5" cy="9.5" r="1.8"/><path d="M3 17l5-5 4 4 3-3 6 6"/>)";
constexpr std::string_view kBrush
    = R"(<path d="M20 4l-8 8"/><path d="M12 12c-3 0-5 2-5 4.5 0 1.5-1 2.5-3 3.5 3 .5 6 0 8-2 1.5-1.5 1.5-4 0-6z"/>)";
constexpr std::string_view kPencil = R"(<path d="M16 3.5l4.5 4.5L8 20.5H3.5V16z"/><path d="M13.5 6l4.5 4.5"/>)";
constexpr std::string_view kSparkles
    = R"(<path d="M10 3l1.6 4.4L16 9l-4.4 1.6L10 15l-1.6-4.4L4 9l4.4-1.6z"/><path d="M18 14l.8 2.2 2.2.8-2.2.8L18 20l-.8-2.2L15 17l2.2-.8z"/>)";
constexpr std::string_view kSun
    = R"(<circle cx="12" cy="12" r="4"/><path d="M12 2.5v2M12 19.5v2M2.5 12h2M19.5 12h2M5.3 5.3l1.4 1.4M17.3 17.3l1.4 1.4M5.3 18.7l1.4-1.4M17.3 6.7l1.4-1.4"/>)";
constexpr std::string_view kDrop = R"(<path d="M12 3s6 6.5 6 11a6 6 0 0 1-12 0c0-4.5 6-11 6-11z"/>)";
constexpr std::string_view kTune
    = R"(<path d="M4 6h9M17 6h3M4 12h3M11 12h9M4 18h11M19 18h1"/><circle cx="15" cy="6" r="2"/><circle cx="9" cy="12" r="2"/><circle cx="17" cy="18" r="2"/>)";
constexpr std::string_view kLayerTop = R"(<path d="M12 3.5l8.5 4.5L12 12.5 3.5 8z"/>)";
constexpr std::string_view kStamp = R"(<path d="M9.5 3h5v3.5l-1 4.5h-3l-1-4.5z"/><path d="M4 13.5h16v3.5H4zM6 20.5h12"/>)";
constexpr std::string_view kTexture
    = R"(<rect x="3" y="3" width="18" height="18" rx="2"/><path d="M8 8h.01M12 8h.01M16 8h.01M8 12h.01M12 12h.01M16 12h.01M8 16h.01M12 16h.01M16 16h.01" stroke-width="2.6"/>)";
constexpr std::string_view kSliders
    = R"(<path d="M6 3v18M12 3v18M18 3v18"/><circle cx="6" cy="15" r="2.4" fill="currentColor"/><circle cx="12" cy="8" r="2.4" fill="currentColor"/><circle cx="18" cy="13" r="2.4" fill="currentColor"/>)";
constexpr std::string_view kPrinter
    = R"(<path d="M6 9V3.5h12V9"/><rect x="3" y="9" width="18" height="8" rx="2"/><path d="M6.5 14h11v6.5h-11z"/>)";
constexpr std::string_view kGlobe
    = R"(<circle cx="12" cy="12" r="9"/><path d="M3 12h18M12 3c2.5 2.7 3.8 5.7 3.8 9s-1.3 6.3-3.8 9M12 3c-2.5 2.7-3.8 5.7-3.8 9s1.3 6.3 3.8 9"/>)";
constexpr std::string_view kUpload = R"(<path d="M12 16V4M7 9l5-5 5 5M4 20h16"/>)";
constexpr std::string_view kSave
    = R"(<path d="M5 3h11l5 5v11a2 2 0 0 1-2 2H5a2 2 0 0 1-2-2V5a2 2 0 0 1 2-2z"/><path d="M7 3v5h8V3M7 21v-7h10v7"/>)";
constexpr std::string_view kPlay = R"(<path d="M7 4.5l12.5 7.5L7 19.5z"/>)";
constexpr std::string_view kLink
    = R"(<path d="M10 14a4 4 0 0 0 5.7 0l3-3a4 4 0 0 0-5.7-5.7l-1 1"/><path d="M14 10a4 4 0 0 0-5.7 0l-3 3a4 4 0 0 0 5.7 5.7l1-1"/>)";
constexpr std::string_view kEye
    = R"(<path d="M2 12s3.5-7 10-7 10 7 10 7-3.5 7-10 7S2 12 2 12z"/><circle cx="12" cy="12" r="3" fill="currentColor"/>)";
constexpr std::string_view kHandMove
    = R"(<path d="M12 3v18M3 12h18M9 6l3-3 3 3M9 18l3 3 3-3M6 9l-3 3 3 3M18 9l3 3-3 3"/>)";
constexpr std::string_view kGear
    = R"(<circle cx="12" cy="12" r="3"/><path d="M10.3 3h3.4l.5 2.4 1.7.9 2.2-1.1 2.4 2.4-1.1 2.2.9 1.7 2.4.5v3.4l-2.4.5-.9 1.7 1.1 2.2-2.4 2.4-2.2-1.1-1.7.9-.5 2.4h-3.4l-.5-2.4-1.7-.9-2.2 1.1-2.4-2.4 1.1-2.2-.9-1.7L3 13.7v-3.4l2.4-.5.9-1.7-1.1-2.2 2.4-2.4 2.2 1.1 1.7-.9z"/>)";

constexpr std::array kIcons = {
    // Title bar
    Icon{"about", R"(<circle cx="12" cy="12" r="9"/><path d="M12 11v6M12 7.4v.2"/>)"},
    Icon{"help", R"(<circle cx="12" cy="12" r="9"/><path d="M9.5 9.3a2.6 2.6 0 0 1 5 .9c0 1.8-2.5 2.2-2.5 4M12 17.2v.2"/>)"},
    Icon{"minimize", R"(<path d="M6 12.5h12"/>)"},
    Icon{"preferences", kGear},
    Icon{"quit", kCross},
    Icon{"close-small", kCross},
    Icon{"acquire", R"(<path d="M4 8h3l2-3h6l2 3h3a1 1 0 0 1 1 1v9a1 1 0 0 1-1 1H4a1 1 0 0 1-1-1V9a1 1 0 0 1 1-1z"/><circle cx="12" cy="13" r="3.5"/>)"},
    Icon{"album", R"(<rect x="3" y="7" width="14" height="14" rx="2"/><path d="M7 3.5h11.5a2 2 0 0 1 2 2V17"/><path d="M3 17.5l4-4 3.5 3.5 2-2 4.5 4.5"/>)"},
    Icon{"edit", kBrush},
    Icon{"projects", R"(<rect x="3" y="3" width="7.5" height="9" rx="1.5"/><rect x="13.5" y="3" width="7.5" height="5" rx="1.5"/><rect x="13.5" y="11" width="7.5" height="10" rx="1.5"/><rect x="3" y="15" width="7.5" height="6" rx="1.5"/>)"},
    Icon{"share", R"(<circle cx="18" cy="5.5" r="2.5"/><circle cx="6" cy="12" r="2.5"/><circle cx="18" cy="18.5" r="2.5"/><path d="M8.2 10.8l7.6-4.1M8.2 13.2l7.6 4.1"/>)"},
    Icon{"back", R"(<path d="M14.5 18l-6-6 6-6"/>)"},
    // Bottom bar
    Icon{"edit-undo", R"(<path d="M9 14L4 9l5-5"/><path d="M4 9h10.5a5.5 5.5 0 0 1 0 11H11"/>)"},
    Icon{"edit-redo", R"(<path d="M15 14l5-5-5-5"/><path d="M20 9H9.5a5.5 5.5 0 0 0 0 11H13"/>)"},
    Icon{"edit-copy", R"(<rect x="8.5" y="8.5" width="12" height="12" rx="2"/><path d="M15.5 8.5V6a2 2 0 0 0-2-2H6a2 2 0 0 0-2 2v7.5a2 2 0 0 0 2 2h2.5"/>)"},
    Icon{"edit-paste", R"(<rect x="5" y="4.5" width="14" height="16.5" rx="2"/><rect x="9" y="2.5" width="6" height="4" rx="1"/><path d="M9 11.5h6M9 15.5h4"/>)"},
    Icon{"edit-delete", R"(<path d="M12 3.5l8.5 4.5L12 12.5 3.5 8z"/><path d="M3.5 12.5l8.5 4.5 2.5-1.3"/><path d="M17 15.5l4 4M21 15.5l-4 4"/>)"},
    Icon{"image-close", R"(<rect x="3" y="4" width="18" height="16" rx="2"/><path d="M9.5 9.5l5 5M14.5 9.5l-5 5"/>)"},
    Icon{"flip-horizontal", R"(<path d="M12 3v18" stroke-dasharray="2 2.2"/><path d="M9 6.5L3.5 17.5H9zM15 6.5l5.5 11H15z"/>)"},
    Icon{"flip-vertical", R"(<path d="M3 12h18" stroke-dasharray="2 2.2"/><path d="M6.5 9L17.5 3.5V9zM6.5 15l11 5.5V15z"/>)"},
    Icon{"rotate-layers", R"(<path d="M4.5 12a7.5 7.5 0 0 1 13-5.1"/><path d="M18 3v4.3h-4.3"/><path d="M19.5 12a7.5 7.5 0 0 1-13 5.1"/><path d="M6 21v-4.3h4.3"/><path d="M12 8.5l3.5 3.5-3.5 3.5-3.5-3.5z"/>)"},
    Icon{"resize", R"(<path d="M14.5 3.5h6v6M9.5 20.5h-6v-6M20.5 3.5l-7 7M3.5 20.5l7-7"/>)"},
    Icon{"free-rotate", R"(<path d="M20.5 12a8.5 8.5 0 1 1-2.8-6.3"/><path d="M20.5 3.5v5h-5"/><circle cx="12" cy="12" r="1.6" fill="currentColor"/>)"},
    Icon{"hand", kHandMove},
    Icon{"zoom-in", R"(<circle cx="10.5" cy="10.5" r="6.5"/><path d="M20 20l-4.8-4.8M10.5 7.5v6M7.5 10.5h6"/>)"},
    Icon{"zoom-out", R"(<circle cx="10.5" cy="10.5" r="6.5"/><path d="M20 20l-4.8-4.8M7.5 10.5h6"/>)"},
    Icon{"fullscreen", R"(<path d="M4 9V4h5M15 4h5v5M20 15v5h-5M9 20H4v-5"/>)"},
    // Navigation
    Icon{"go-up", kArrowUp},
    Icon{"go-down", kArrowDown},
    Icon{"go-previous", kArrowLeft},
    Icon{"go-next", kArrowRight},
    Icon{"check", kCheck},
    Icon{"apply", kCheck},
    Icon{"cancel", kCross},
    Icon{"settings", kGear},
    // Acquisition
    Icon{"scanner", R"(<rect x="3" y="11.5" width="18" height="8" rx="2"/><path d="M5 11.5l13-6.5"/><path d="M7 15.5h4"/><circle cx="17" cy="15.5" r=".6" fill="currentColor"/>)"},
    Icon{"scanner-select", R"(<rect x="3" y="13" width="13" height="7" rx="2"/><path d="M5 13l9-4.5"/><path d="M17.5 3.5l3 3-3 3M20.5 6.5h-6"/>)"},
    Icon{"camera-video", R"(<rect x="2.5" y="6" width="13.5" height="12" rx="2"/><path d="M16 10.2l5.5-3v9.6l-5.5-3"/>)"},
    Icon{"video-source", R"(<circle cx="12" cy="10" r="7"/><circle cx="12" cy="10" r="2.5"/><path d="M8 21h8M12 17v4"/>)"},
    Icon{"capture", R"(<circle cx="12" cy="12" r="9"/><circle cx="12" cy="12" r="4.5" fill="currentColor"/>)"},
    Icon{"screen", R"(<rect x="2.5" y="4" width="19" height="13" rx="2"/><path d="M8 21h8M12 17v4"/>)"},
    Icon{"window", R"(<rect x="3" y="4" width="18" height="16" rx="2"/><path d="M3 9h18"/><path d="M6.2 6.5h.3M8.7 6.5h.3"/>)"},
    Icon{"window-client", R"(<rect x="3" y="4" width="18" height="16" rx="2"/><path d="M3 9h18"/><rect x="6.5" y="12" width="11" height="5" stroke-dasharray="2 1.8"/>)"},
    Icon{"store", R"(<path d="M5 8h14l-1.2 12.5H6.2z"/><path d="M9 10V6.5a3 3 0 0 1 6 0V10"/>)"},
    Icon{"login", R"(<path d="M15 3.5h3.5a2 2 0 0 1 2 2v13a2 2 0 0 1-2 2H15"/><path d="M10 16.5l4.5-4.5L10 7.5M14.5 12H3.5"/>)"},
    Icon{"download", R"(<path d="M12 4v12M7 11l5 5 5-5M4 20h16"/>)"},
    Icon{"upload", kUpload},
    Icon{"folder", kFolder},
    // Album
    Icon{"add-photo", R"(<rect x="3" y="6" width="14" height="14" rx="2"/><path d="M3 16.5l4-4 4 4 2-2 4 4"/><path d="M19.5 2.5v6M16.5 5.5h6"/>)"},
    Icon{"delete", kTrash},
    Icon{"trash", kTrash},
    Icon{"open", R"(<path d="M3 17.5V6.5A1.5 1.5 0 0 1 4.5 5H9l2 2h6.5A1.5 1.5 0 0 1 19 8.5V10"/><path d="M3 17.5l2.5-6.3A1.5 1.5 0 0 1 6.9 10.2H21l-2.8 7.3a1.5 1.5 0 0 1-1.4 1H4.5A1.5 1.5 0 0 1 3 17.5z"/>)"},
    Icon{"search", R"(<circle cx="10.5" cy="10.5" r="6.5"/><path d="M20 20l-4.8-4.8"/>)"},
    Icon{"album-new", R"(<path d="M3 6.5A1.5 1.5 0 0 1 4.5 5H9l2 2h8.5A1.5 1.5 0 0 1 21 8.5v9a1.5 1.5 0 0 1-1.5 1.5h-15A1.5 1.5 0 0 1 3 17.5z"/><path d="M12 10v6M9 13h6"/>)"},
    Icon{"properties", R"(<rect x="4" y="3" width="16" height="18" rx="2"/><path d="M8 8h8M8 12h8M8 16h5"/>)"},
    Icon{"gallery", R"(<rect x="3" y="3" width="8" height="8" rx="1.5"/><rect x="13" y="3" width="8" height="8" rx="1.5"/><rect x="3" y="13" width="8" height="8" rx="1.5"/><rect x="13" y="13" width="8" height="8" rx="1.5"/>)"},
    Icon{"gradient", R"(<rect x="3" y="3" width="18" height="18" rx="2"/><path d="M3 14L14 3M3 21L21 3M10 21L21 10"/>)"},
    Icon{"texture", kTexture},
    Icon{"texture-choose", kTexture},
    Icon{"clipart", R"(<path d="M12 3l2.7 5.6 6.1.9-4.4 4.3 1 6.1L12 17l-5.4 2.9 1-6.1-4.4-4.3 6.1-.9z"/>)"},
    Icon{"frame", R"(<rect x="3" y="3" width="18" height="18" rx="1.5"/><rect x="7" y="7" width="10" height="10"/>)"},
    Icon{"border", R"(<rect x="3.5" y="3.5" width="17" height="17" rx="4" stroke-dasharray="3.2 2.2"/>)"},
    Icon{"stamp", kStamp},
    Icon{"stamp-choose", kStamp},
    // Editing
    Icon{"adjust-image", kImage},
    Icon{"new-image", R"(<path d="M14 3H6.5a2 2 0 0 0-2 2v14a2 2 0 0 0 2 2h11a2 2 0 0 0 2-2V8.5z"/><path d="M14 3v5.5h5.5M12 12v6M9 15h6"/>)"},
    Icon{"save", kSave},
    Icon{"crop", R"(<path d="M6 2.5V16a2 2 0 0 0 2 2h13.5"/><path d="M18 21.5V8a2 2 0 0 0-2-2H2.5"/>)"},
    Icon{"rotate-left", R"(<path d="M3.5 12a8.5 8.5 0 1 0 2.8-6.3L3.5 8.5"/><path d="M3.5 3.5v5h5"/>)"},
    Icon{"rotate-right", R"(<path d="M20.5 12a8.5 8.5 0 1 1-2.8-6.3l2.8 2.8"/><path d="M20.5 3.5v5h-5"/>)"},
    Icon{"canvas", R"(<rect x="7.5" y="7.5" width="9" height="9" rx="1"/><path d="M3.5 8V3.5H8M16 3.5h4.5V8M20.5 16v4.5H16M8 20.5H3.5V16"/>)"},
    Icon{"picker", R"(<path d="M14 7l3 3M15.5 3.5a2.1 2.1 0 0 1 5 5L18 11l-5-5z"/><path d="M13 8l-8.5 8.5v3h3L16 11"/>)"},
    Icon{"select-rect", R"(<rect x="4" y="5" width="16" height="14" stroke-dasharray="3 2.4"/>)"},
    Icon{"select-ellipse", R"(<ellipse cx="12" cy="12" rx="9" ry="7" stroke-dasharray="3 2.4"/>)"},
    Icon{"lasso", R"(<path d="M7.5 17.5C4.5 16.3 3 14.2 3 11.5 3 7.4 7 4.5 12 4.5s9 2.9 9 6.8-4 6.7-9 6.7c-1.6 0-3-.2-4.5-.6"/><circle cx="7" cy="19" r="2"/>)"},
    Icon{"wand", R"(<path d="M4 20L14 10"/><path d="M16 3v3M16 11v3M19.5 8.5h-3M12.5 8.5h-3M18.5 5.5l1.5-1.5M18.5 11.5l1.5 1.5M13.5 5.5L12 4"/>)"},
    Icon{"move", R"(<rect x="3.5" y="3.5" width="11" height="11" stroke-dasharray="2.6 2.2"/><path d="M13.5 13.5l7 7M20.5 15.5v5h-5"/>)"},
    Icon{"move-content", R"(<rect x="3.5" y="3.5" width="11" height="11" fill="currentColor" fill-opacity=".35" stroke-dasharray="2.6 2.2"/><path d="M13.5 13.5l7 7M20.5 15.5v5h-5"/>)"},
    Icon{"brush", kBrush},
    Icon{"paint", kBrush},
    Icon{"pen", kPencil},
    Icon{"airbrush", R"(<rect x="6" y="9.5" width="8.5" height="11.5" rx="2"/><path d="M8.5 9.5V6.5h3.5v3"/><path d="M16.5 5h.01M19.5 4h.01M18.5 7.5h.01M21 9h.01M16.5 2.5h.01" stroke-width="2.4"/>)"},
    Icon{"line", R"(<path d="M5.5 18.5l13-13"/><circle cx="5" cy="19" r="1.8"/><circle cx="19" cy="5" r="1.8"/>)"},
    Icon{"shape-round", R"(<circle cx="12" cy="12" r="7" fill="currentColor"/>)"},
    Icon{"shape-square", R"(<rect x="5.5" y="5.5" width="13" height="13" fill="currentColor"/>)"},
    Icon{"shape-hbar", R"(<rect x="3" y="9" width="18" height="6" fill="currentColor"/>)"},
    Icon{"shape-vbar", R"(<rect x="9" y="3" width="6" height="18" fill="currentColor"/>)"},
    Icon{"shape-diag", R"(<path d="M6 6l12 12" stroke-width="5"/>)"},
    Icon{"shape-antidiag", R"(<path d="M18 6L6 18" stroke-width="5"/>)"},
    Icon{"shape-custom", R"(<path d="M12 4l2.4 5 5.6.7-4.1 3.8 1.1 5.5L12 16.3 7 19l1.1-5.5L4 9.7l5.6-.7z" fill="currentColor"/>)"},
    Icon{"shape-choose", R"(<rect x="3" y="3" width="12" height="12" rx="1.5"/><path d="M9 6.5l1.2 2.4 2.6.4-1.9 1.8.5 2.6L9 12.4l-2.4 1.3.5-2.6-1.9-1.8 2.6-.4z" fill="currentColor"/><path d="M15 15l6 6M18 21h3v-3"/>)"},
    Icon{"retouch", kSparkles},
    Icon{"lighten", kSun},
    Icon{"blur", R"(<path d="M12 3s6 6.5 6 11a6 6 0 0 1-12 0c0-4.5 6-11 6-11z"/><path d="M9 14.5a3 3 0 0 0 3 3"/>)"},
    Icon{"smudge", R"(<path d="M3.5 18c4 0 4-4 8.5-4s4.5 4 8.5 4"/><path d="M3.5 11c4 0 4-4 8.5-4s4.5 4 8.5 4"/>)"},
    Icon{"clone", R"(<circle cx="9" cy="12" r="5.5"/><circle cx="15" cy="12" r="5.5" stroke-dasharray="2.4 2"/>)"},
    Icon{"red-eye", kEye},
    Icon{"eraser", R"(<path d="M7.5 20.5l-4-4a1.5 1.5 0 0 1 0-2.1L14 3.9a1.5 1.5 0 0 1 2.1 0l4.5 4.5a1.5 1.5 0 0 1 0 2.1L10.6 20.5z"/><path d="M9 9.5l6 6M7.5 20.5h13"/>)"},
    Icon{"swap", R"(<path d="M7 3.5L3 7.5l4 4M3 7.5h14M17 12.5l4 4-4 4M21 16.5H7"/>)"},
    Icon{"colours-default", R"(<rect x="3.5" y="3.5" width="11" height="11" rx="1.5"/><rect x="9.5" y="9.5" width="11" height="11" rx="1.5" fill="currentColor"/>)"},
    Icon{"bucket", R"(<path d="M4.5 11L12 3.5l7.5 7.5-7.5 7.5z"/><path d="M4.5 11h15"/><path d="M20.5 15s2 2.4 2 3.5a2 2 0 0 1-4 0c0-1.1 2-3.5 2-3.5z"/>)"},
    Icon{"text", R"(<path d="M5 7V4.5h14V7M12 4.5v15M9 19.5h6"/>)"},
    Icon{"font", R"(<path d="M3 19l5-14h1l5 14M4.9 14h7.2"/><path d="M20.5 19v-5.5a2.5 2.5 0 0 0-4.5-1.5M20.5 16.5c0 1.5-1 2.5-2.5 2.5s-2.5-.8-2.5-2.3 1.2-2.2 5-2.2"/>)"},
    Icon{"text-edit", R"(<path d="M4 7V5h11v2M9.5 5v14M7 19h5"/><path d="M18.5 9v10M16.5 9h4M16.5 19h4"/>)"},
    Icon{"shadow", R"(<rect x="4" y="4" width="12" height="12" rx="2"/><path d="M20 8v10a2 2 0 0 1-2 2H8" stroke-width="3"/>)"},
    Icon{"layers", R"(<path d="M12 3.5l8.5 4.5L12 12.5 3.5 8z"/><path d="M3.5 12l8.5 4.5 8.5-4.5"/><path d="M3.5 16l8.5 4.5 8.5-4.5"/>)"},
    Icon{"layer-new", R"(<path d="M11 3.5l8 4.3-8 4.2-8-4.2z"/><path d="M3 12l8 4.2 3-1.6"/><path d="M19 14v7M15.5 17.5h7"/>)"},
    Icon{"layer-duplicate", R"(<path d="M10 3l8 4.2-8 4.3-8-4.3z"/><path d="M14 10.5l8 4.3-8 4.2-8-4.2" stroke-dasharray="2.4 1.8"/>)"},
    Icon{"layer-merge", R"(<path d="M3.5 14.5l8.5 4.5 8.5-4.5L12 10z"/><path d="M8 3l4 4 4-4"/>)"},
    Icon{"layer-open", R"(<path d="M12 11l8.5 4.5L12 20l-8.5-4.5z"/><path d="M12 2.5v6M9 5.5l3 3 3-3"/>)"},
    Icon{"flatten", R"(<path d="M3.5 15l8.5 4.5 8.5-4.5"/><path d="M12 3v9.5M8.5 9L12 12.5 15.5 9"/>)"},
    Icon{"enhance", kSparkles},
    Icon{"auto-fix", R"(<path d="M3.5 20.5l11-11 2 2-11 11z"/><path d="M17 3l.9 2.1L20 6l-2.1.9L17 9l-.9-2.1L14 6l2.1-.9zM20 12l.5 1.5 1.5.5-1.5.5L20 16l-.5-1.5L18 14l1.5-.5z"/>)"},
    Icon{"balance", R"(<path d="M12 3.5v17M7.5 20.5h9M5 7h14"/><path d="M5 7l-3 7a3 3 0 0 0 6 0zM19 7l-3 7a3 3 0 0 0 6 0z"/>)"},
    Icon{"sliders", kSliders},
    Icon{"effects", R"(<path d="M12 3a9 9 0 0 0 0 18c1.4 0 2-1 2-2 0-1.4-1-2 0-3s2.5 0 4-.5A3.2 3.2 0 0 0 21 12a9 9 0 0 0-9-9z"/><circle cx="7.5" cy="11.5" r="1.2" fill="currentColor"/><circle cx="10.5" cy="7.2" r="1.2" fill="currentColor"/><circle cx="15.5" cy="7.8" r="1.2" fill="currentColor"/>)"},
    Icon{"brightness", kSun},
    Icon{"contrast", R"(<circle cx="12" cy="12" r="8.5"/><path d="M12 3.5a8.5 8.5 0 0 1 0 17z" fill="currentColor"/>)"},
    Icon{"colour", kDrop},
    Icon{"rgb", R"(<circle cx="12" cy="8.5" r="5"/><circle cx="8.5" cy="15" r="5"/><circle cx="15.5" cy="15" r="5"/>)"},
    Icon{"sharpen", R"(<path d="M12 3.5l9 16.5H3z"/>)"},
    Icon{"soften", R"(<circle cx="12" cy="12" r="8" stroke-dasharray="1.6 2.4"/><circle cx="12" cy="12" r="3.5"/>)"},
    Icon{"emboss", R"(<path d="M2.5 18.5l6-9 4.5 5.5 3-4 5.5 7.5z"/>)"},
    Icon{"mosaic", R"(<rect x="3" y="3" width="18" height="18" rx="2"/><path d="M9 3v18M15 3v18M3 9h18M3 15h18"/>)"},
    Icon{"sketch", R"(<path d="M3 17c3-6 5 2 8-4s5 4 10-2"/><path d="M15 21l5-5"/>)"},
    // Projects
    Icon{"template", R"(<rect x="3" y="3" width="18" height="18" rx="2"/><path d="M3 9h18M9 9v12"/>)"},
    Icon{"card", R"(<rect x="2.5" y="5" width="19" height="14" rx="2"/><path d="M12 10c-1-1.6-3.6-1-3.6 1 0 1.9 3.6 4 3.6 4s3.6-2.1 3.6-4c0-2-2.6-2.6-3.6-1z"/>)"},
    Icon{"calendar", R"(<rect x="3" y="5" width="18" height="16" rx="2"/><path d="M3 10h18M8 3v4M16 3v4"/><path d="M8 14h.01M12 14h.01M16 14h.01M8 17.5h.01M12 17.5h.01" stroke-width="2.6"/>)"},
    Icon{"panorama", R"(<path d="M2.5 6.5c6.3 1.5 12.7 1.5 19 0v11c-6.3-1.5-12.7-1.5-19 0z"/><path d="M6 15l4-4 3 3 2-2 3 3"/>)"},
    Icon{"orientation", R"(<circle cx="12" cy="12" r="9"/><path d="M3.5 14l17-4"/><circle cx="12" cy="12" r="1.5" fill="currentColor"/>)"},
    // Output and sharing
    Icon{"mail", R"(<rect x="3" y="5" width="18" height="14" rx="2"/><path d="M3.5 7l8.5 6 8.5-6"/>)"},
    Icon{"send", R"(<path d="M21.5 2.5l-11 11"/><path d="M21.5 2.5l-7 19-4-8-8-4z"/>)"},
    Icon{"printer", kPrinter},
    Icon{"print-layout", R"(<rect x="5" y="2.5" width="14" height="19" rx="1.5"/><rect x="8" y="5.5" width="8" height="5.5"/><rect x="8" y="13" width="8" height="5.5"/>)"},
    Icon{"contact-sheet", R"(<rect x="4" y="2.5" width="16" height="19" rx="1.5"/><rect x="7" y="5.5" width="4" height="3.5"/><rect x="13" y="5.5" width="4" height="3.5"/><rect x="7" y="11" width="4" height="3.5"/><rect x="13" y="11" width="4" height="3.5"/><path d="M7 18h10"/>)"},
    Icon{"labels", R"(<path d="M3 12V4a1 1 0 0 1 1-1h8l9 9-9 9z"/><circle cx="7.5" cy="7.5" r="1.6"/>)"},
    Icon{"slideshow", R"(<rect x="3" y="3" width="18" height="13" rx="1.5"/><path d="M10 7l4.5 2.5L10 12z"/><path d="M12 16v3M8 21l4-2 4 2"/>)"},
    Icon{"play", kPlay},
    Icon{"stop", R"(<rect x="6" y="6" width="12" height="12" rx="1.5"/>)"},
    Icon{"order", R"(<path d="M3 4h2l2.5 11h11L21 7H6.5"/><circle cx="9" cy="19.5" r="1.5"/><circle cx="17" cy="19.5" r="1.5"/>)"},
    Icon{"web", kGlobe},
    Icon{"web-album", R"(<rect x="2.5" y="3" width="14" height="11.5" rx="1.5"/><path d="M2.5 11.5l4-3 3 2 3-3 4 3"/><circle cx="17" cy="17" r="4.5"/><path d="M12.5 17h9M17 12.5c1.3 1.3 1.9 2.8 1.9 4.5s-.6 3.2-1.9 4.5"/>)"},
    Icon{"animation", R"(<rect x="3" y="3" width="18" height="18" rx="2"/><path d="M7.5 3v18M16.5 3v18M3 8h4.5M3 12h4.5M3 16h4.5M16.5 8H21M16.5 12H21M16.5 16H21"/>)"},
    Icon{"link", kLink},
};

const Icon* Find(std::string_view name)
{
    for (const Icon& icon : kIcons)
        if (icon.name == name)
            return &icon;
    return nullptr;
}

}  // namespace

void DrawIcon(QPainter& painter, std::string_view name, const QRectF& box, const QColor& colour)
{
    const Icon* icon = Find(name);
    if (!icon)
        return;
    const QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 24 24\" fill=\"none\" "
                                       "stroke=\"%1\" color=\"%1\" stroke-width=\"1.8\" stroke-linecap=\"round\" "
                                       "stroke-linejoin=\"round\">%2</svg>")
                            .arg(colour.name(QColor::HexRgb), QString::fromUtf8(icon->body.data(), qsizetype(icon->body.size())));
    QSvgRenderer renderer(QString(svg).replace(QStringLiteral("currentColor"), colour.name(QColor::HexRgb)).toUtf8());
    const qreal side = std::min(box.width(), box.height());
    const QRectF square(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    painter.save();
    painter.setOpacity(painter.opacity() * colour.alphaF());
    renderer.render(&painter, square);
    painter.restore();
}

}  // namespace lv::skingen
