#include "projects/panorama/covered_crop.h"

#include "imagelib/dib_geometry.h"

#include <vector>

namespace lv::panorama {

// Row by row, each column's run of covered pixels ending at that row is a histogram; the
// largest rectangle under each histogram, found with a stack, is the answer's candidate.
Rect LargestCoveredRectangle(const std::vector<std::uint8_t>& coverage, int width, int height)
{
    if (width <= 0 || height <= 0 || coverage.size() < std::size_t(width) * std::size_t(height))
        return {};
    std::vector<int> runs(std::size_t(width) + 1, 0);  // the extra column, always 0, empties the stack
    std::vector<int> stack;
    stack.reserve(runs.size());
    Rect best;
    long long bestArea = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = coverage.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x)
            runs[std::size_t(x)] = row[x] ? runs[std::size_t(x)] + 1 : 0;
        stack.clear();
        for (int x = 0; x <= width; ++x) {
            while (!stack.empty() && runs[std::size_t(stack.back())] >= runs[std::size_t(x)]) {
                const int h = runs[std::size_t(stack.back())];
                stack.pop_back();
                const int left = stack.empty() ? 0 : stack.back() + 1;
                const long long area = static_cast<long long>(h) * (x - left);
                if (area > bestArea) {
                    bestArea = area;
                    best = Rect{left, y + 1 - h, x, y + 1};
                }
            }
            stack.push_back(x);
        }
    }
    return best;
}

Panorama CropToCovered(const Panorama& panorama)
{
    if (!panorama.ok()) {
        Panorama failed;
        failed.failure = panorama.failure;
        return failed;
    }
    const int width = panorama.picture.width();
    const Rect inner = LargestCoveredRectangle(panorama.coverage, width, panorama.picture.height());
    if (inner.width() <= 0 || inner.height() <= 0) {
        Panorama failed;
        failed.failure = "O panorama não tem nenhuma parte sem bordas vazias.";
        return failed;
    }
    Panorama cropped;
    cropped.picture = DibCropPicture(panorama.picture, inner);
    if (!cropped.picture) {
        cropped.failure = "Faltou memória para cortar o panorama.";
        return cropped;
    }
    cropped.coverage.assign(std::size_t(inner.width()) * std::size_t(inner.height()), 1);
    return cropped;
}

}  // namespace lv::panorama
