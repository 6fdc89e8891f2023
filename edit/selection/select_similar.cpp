#include "edit/selection/select_similar.h"

#include "edit/selection/selection_mask.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lv {
namespace {

// The segment stack grows by whole blocks of this many items, by half its size at a time
// once it is large, so that a maze of a picture costs no quadratic copying.
constexpr std::size_t kStackStep = 1000;

// Which pixels of a row match: three channel lookups for 24-bit rows, one table lookup
// by index for palette rows.
struct TrueColourMatch {
    const std::uint8_t* red;
    const std::uint8_t* green;
    const std::uint8_t* blue;
    bool operator()(const std::uint8_t* row, int x) const
    {
        const std::uint8_t* p = row + 3 * x;
        return red[p[2]] & green[p[1]] & blue[p[0]];
    }
};

struct IndexMatch {
    const std::uint8_t* table;
    int bits;
    bool operator()(const std::uint8_t* row, int x) const
    {
        return table[bits == 8 ? row[x] : PackedPixel(row, x, bits)];
    }
};

struct Bounds {
    int left = 0, top = 0, right = -1, bottom = -1;
    bool empty() const { return right < left; }
    void add(int x0, int x1, int y)
    {
        if (empty()) {
            left = x0, right = x1, top = bottom = y;
            return;
        }
        left = std::min(left, x0), right = std::max(right, x1);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    Rect rect() const { return empty() ? Rect{} : Rect{left, top, right + 1, bottom + 1}; }
};

// Marks pixels [from, to) of a row: whole bytes at once.
void setRun(std::uint8_t* marks, int from, int to)
{
    while (from < to && (from & 7))
        SetMaskBitAt(marks, from++);
    if (const int bytes = (to - from) / 8; bytes > 0) {
        std::memset(marks + from / 8, 0xFF, std::size_t(bytes));
        from += bytes * 8;
    }
    while (from < to)
        SetMaskBitAt(marks, from++);
}

// A run of row `y` whose neighbours in row y + dy are to be explored.
struct Segment {
    int y, left, right, dy;
};

// The scanline seed fill: segments of rows on a stack that grows 1000 items at a time;
// every marked pixel is set in the result, which is also how a pixel is known visited.
template <class Match>
bool fill(const HDIB& picture, HDIB& mask, int seedX, int seedY, Match match, Bounds& bounds)
{
    const int width = picture.width();
    const int height = picture.height();
    std::vector<Segment> stack;
    stack.reserve(kStackStep);
    const auto push = [&](int y, int left, int right, int dy) {
        if (y + dy < 0 || y + dy >= height)
            return;
        if (stack.size() == stack.capacity())
            stack.reserve(stack.capacity() + std::max(kStackStep, stack.capacity() / 2 / kStackStep * kStackStep));
        stack.push_back({y, left, right, dy});
    };
    const std::uint8_t* pixels = nullptr;
    std::uint8_t* marks = nullptr;
    const auto inside = [&](int x) { return !MaskBitAt(marks, x) && match(pixels, x); };

    push(seedY, seedX, seedX, 1);
    push(seedY + 1, seedX, seedX, -1);
    while (!stack.empty()) {
        if (AbortRequested())
            return false;
        const Segment s = stack.back();
        stack.pop_back();
        const int y = s.y + s.dy;
        const int x1 = s.left, x2 = s.right, dy = s.dy;
        pixels = picture.row(height - 1 - y);
        marks = MaskRowFromTop(mask, y);

        int x = x1;
        while (x >= 0 && inside(x))
            --x;
        setRun(marks, x + 1, x1 + 1);
        const bool seedMissed = x >= x1;
        int left = x + 1;
        if (!seedMissed) {
            if (left < x1)
                push(y, left, x1 - 1, -dy);
            x = x1 + 1;
        }
        bool skip = seedMissed;
        do {
            if (!skip) {
                const int start = x;
                while (x < width && inside(x))
                    ++x;
                setRun(marks, start, x);
                bounds.add(left, x - 1, y);
                push(y, left, x - 1, dy);
                if (x > x2 + 1)
                    push(y, x2 + 1, x - 1, -dy);
            }
            skip = false;
            for (++x; x <= x2 && !inside(x); ++x) {
            }
            left = x;
        } while (x <= x2);
    }
    return true;
}

template <class Match>
void testEveryPixel(const HDIB& picture, HDIB& mask, Match match, Bounds& bounds)
{
    for (int y = 0; y < picture.height(); ++y) {
        const std::uint8_t* pixels = picture.row(picture.height() - 1 - y);
        std::uint8_t* marks = MaskRowFromTop(mask, y);
        int first = -1, last = -1;
        for (int x = 0; x < picture.width(); ++x)
            if (match(pixels, x)) {
                SetMaskBitAt(marks, x);
                if (first < 0)
                    first = x;
                last = x;
            }
        if (first >= 0)
            bounds.add(first, last, y);
    }
}

enum class Reach { Contiguous, Global };

HDIB select(const HDIB& picture, int x, int y, SimilarityMode mode, ChannelLimits limits, Rect* boundsOut,
            Reach reach)
{
    if (!IsFillablePicture(picture))
        return {};
    x = std::clamp(x, 0, picture.width() - 1);
    y = std::clamp(y, 0, picture.height() - 1);
    HDIB mask = AllocateSelectionMask(picture.width(), picture.height());
    if (!mask)
        return {};
    const ColourTest test(PictureColourAt(picture, x, y), mode, limits);
    Bounds bounds;
    bool finished = true;
    const auto run = [&](auto match) {
        if (reach == Reach::Global)
            testEveryPixel(picture, mask, match, bounds);
        else
            finished = fill(picture, mask, x, y, match, bounds);
    };
    if (picture.bitCount() == 24) {
        run(TrueColourMatch{test.red().data(), test.green().data(), test.blue().data()});
    } else {
        const auto table = test.paletteMatches(picture);
        run(IndexMatch{table.data(), picture.bitCount()});
    }
    if (!finished)
        return {};
    if (boundsOut)
        *boundsOut = bounds.rect();
    return mask;
}

}  // namespace

HDIB SelectSimilar(const HDIB& picture, int x, int y, SimilarityMode mode, ChannelLimits limits, Rect* bounds)
{
    return select(picture, x, y, mode, limits, bounds, Reach::Contiguous);
}

HDIB SelectSimilarGlobal(const HDIB& picture, int x, int y, SimilarityMode mode, ChannelLimits limits,
                         Rect* bounds)
{
    return select(picture, x, y, mode, limits, bounds, Reach::Global);
}

}  // namespace lv
