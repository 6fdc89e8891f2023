#include "imagelib/codecs/save_options.h"

#include <algorithm>

namespace lv {

SaveOptions& CurrentSaveOptions()
{
    static SaveOptions options;
    return options;
}

int ClampJpegQuality(int quality)
{
    return std::clamp(quality, 1, 100);
}

}  // namespace lv
