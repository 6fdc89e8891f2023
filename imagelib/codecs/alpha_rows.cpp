#include "imagelib/codecs/alpha_rows.h"

#include "imagelib/dib_alloc.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace lv {

bool AlphaFitsPicture(const HDIB& image, const HDIB& alpha)
{
    return image && alpha && DibGetType(image) == IMG_RGB24 && alpha.bitCount() == 8
        && alpha.width() == image.width() && alpha.height() == image.height();
}

WriteResult WriteBgraRows(ByteSink& sink, const HDIB& image, const HDIB& alpha)
{
    const auto width = std::size_t(image.width());
    std::vector<std::uint8_t> row(width * 4);
    for (int y = 0; y < image.height(); ++y) {
        if (AbortRequested())
            return WriteResult::NotWritten;
        const std::uint8_t* colours = image.row(y);
        const std::uint8_t* a = alpha.row(y);
        for (std::size_t x = 0; x < width; ++x) {
            std::copy_n(colours + x * 3, 3, &row[x * 4]);
            row[x * 4 + 3] = a[x];
        }
        if (!sink.write(row.data(), row.size()))
            return WriteResult::Failed;
    }
    return WriteResult::Written;
}

}  // namespace lv
