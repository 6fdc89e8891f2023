#include "app/core/view/window_caption.h"

#include "app/core/view/zoom.h"

namespace lv {

std::string WindowCaption(std::string_view title, int width, int height, int zoom)
{
    const auto slash = title.rfind('/');
    const std::string_view name = slash == std::string_view::npos || slash + 1 == title.size() ? title : title.substr(slash + 1);
    return std::string(name) + " — " + std::to_string(width) + " × " + std::to_string(height) + " — "
           + std::to_string(ZoomPercent(zoom)) + "%";
}

}  // namespace lv
