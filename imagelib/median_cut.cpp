// Adaptive palette by median cut over a quantised colour histogram, then mapping with
// error diffusion that falls back to the plain colour when diffusion strays too far.

#include "imagelib/dib_alloc.h"
#include "imagelib/dib_convert.h"
#include "imagelib/progress.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace lv {
namespace {

constexpr int kTargetColours = 256;
constexpr int kInitialSplitsLog2 = 2;  // the cube starts cut into 4 parts per axis
enum Axis { kRed = 0, kGreen = 1, kBlue = 2 };
enum BoxState : std::uint8_t { kOpen = 0, kClosed = 1, kTaken = 2 };

struct Box {
    int lower[3];
    int upper[3];  // exclusive
    std::uint32_t count;
    BoxState state;

    int extent(int axis) const { return upper[axis] - lower[axis]; }
    int extentSum() const { return extent(0) + extent(1) + extent(2); }
};

// A levels³ table indexed red-major: one slice per quantised red value.
class Histogram {
public:
    explicit Histogram(int bits)
        : bits_(bits)
        , levels_(1 << bits)
        , cells_(std::size_t(levels_) * std::size_t(levels_) * std::size_t(levels_), 0)
    {
    }

    int levels() const { return levels_; }
    int shift() const { return 8 - bits_; }
    std::size_t indexOf(int r, int g, int b) const { return (std::size_t(r) << (2 * bits_)) | std::size_t(g) << bits_ | std::size_t(b); }
    std::uint32_t& at(int r, int g, int b) { return cells_[indexOf(r, g, b)]; }
    std::uint32_t& cellOfColour(int red, int green, int blue)
    {
        return cells_[indexOf(red >> shift(), green >> shift(), blue >> shift())];
    }
    // Expands a quantised level back to 8 bits by bit replication.
    int expand(int q) const { return (q << (8 - bits_)) + (q >> (2 * bits_ - 8)); }

    // Pixels of the box lying on slice `s` of `axis`.
    std::uint32_t sliceCount(const Box& box, int axis, int s)
    {
        int lo[3] = {box.lower[0], box.lower[1], box.lower[2]};
        int hi[3] = {box.upper[0], box.upper[1], box.upper[2]};
        lo[axis] = s;
        hi[axis] = s + 1;
        return boxCount(lo, hi);
    }

    std::uint32_t boxCount(const int lo[3], const int hi[3])
    {
        std::uint64_t sum = 0;
        for (int r = lo[0]; r < hi[0]; ++r)
            for (int g = lo[1]; g < hi[1]; ++g)
                for (int b = lo[2]; b < hi[2]; ++b)
                    sum += at(r, g, b);
        return std::uint32_t(sum);
    }

    void fill(const Box& box, std::uint32_t value)
    {
        for (int r = box.lower[0]; r < box.upper[0]; ++r)
            for (int g = box.lower[1]; g < box.upper[1]; ++g)
                for (int b = box.lower[2]; b < box.upper[2]; ++b)
                    at(r, g, b) = value;
    }

private:
    int bits_;
    int levels_;
    std::vector<std::uint32_t> cells_;
};

bool countPixels(const HDIB& source, Histogram& histogram)
{
    const int width = source.width();
    const int height = source.height();
    for (int y = 0; y < height; ++y) {
        if (AbortRequested())
            return false;
        if (y % 32 == 0)
            ReportProgress(kProgressProcessing, int(std::int64_t(y) * 50 / height));
        const std::uint8_t* p = source.row(y);
        for (int x = 0; x < width; ++x, p += 3)
            ++histogram.cellOfColour(p[2], p[1], p[0]);
    }
    return true;
}

std::vector<Box> initialBoxes(Histogram& histogram)
{
    const int parts = 1 << kInitialSplitsLog2;
    const int step = histogram.levels() / parts;
    std::vector<Box> boxes;
    for (int r = 0; r < parts; ++r)
        for (int g = 0; g < parts; ++g)
            for (int b = 0; b < parts; ++b) {
                Box box{{r * step, g * step, b * step}, {(r + 1) * step, (g + 1) * step, (b + 1) * step}, 0, kOpen};
                box.count = histogram.boxCount(box.lower, box.upper);
                if (box.count > 0)
                    boxes.push_back(box);
            }
    return boxes;
}

// The open box most worth splitting, or -1 when none has a positive score.
int chooseBox(const std::vector<Box>& boxes)
{
    int best = -1;
    std::uint64_t bestScore = 0;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& box = boxes[i];
        if (box.state != kOpen || box.extentSum() <= 3)
            continue;
        const std::uint64_t score = std::uint64_t(box.extentSum() - 3) * box.count;
        if (score > bestScore) {
            bestScore = score;
            best = int(i);
        }
    }
    return best;
}

void splitBoxes(Histogram& histogram, std::vector<Box>& boxes)
{
    while (boxes.size() < std::size_t(kTargetColours)) {
        const int chosen = chooseBox(boxes);
        if (chosen < 0)
            return;
        Box& box = boxes[std::size_t(chosen)];
        int axis = kRed;
        if (box.extent(kGreen) > box.extent(axis))
            axis = kGreen;
        if (box.extent(kBlue) > box.extent(axis))
            axis = kBlue;

        // Walk slices upward, never past the one before the last, until half the pixels are collected.
        const std::uint32_t half = (box.count + 1) / 2;
        std::uint32_t collected = 0;
        int cut = box.lower[axis];
        while (cut < box.upper[axis] - 1) {
            collected += histogram.sliceCount(box, axis, cut);
            ++cut;
            if (collected >= half)
                break;
        }
        if (collected == 0) {
            box.lower[axis] = cut;
        } else if (collected == box.count) {
            box.upper[axis] = cut;
        } else {
            Box upperPart = box;
            upperPart.lower[axis] = cut;
            upperPart.count = box.count - collected;
            box.upper[axis] = cut;
            box.count = collected;
            boxes.push_back(upperPart);
        }
    }
}

int medianSlice(Histogram& histogram, const Box& box, int axis)
{
    const std::uint32_t half = (box.count + 1) / 2;
    std::uint32_t running = 0;
    for (int s = box.lower[axis]; s < box.upper[axis]; ++s) {
        running += histogram.sliceCount(box, axis, s);
        if (running >= half)
            return s;
    }
    return box.upper[axis] - 1;
}

// Builds the palette in order of decreasing box size and turns the histogram into the
// colour-to-index map. Returns the number of entries made.
int buildPalette(Histogram& histogram, std::vector<Box>& boxes, RgbQuad* table)
{
    int entries = 0;
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        int largest = -1;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].state != kTaken && (largest < 0 || boxes[i].count > boxes[std::size_t(largest)].count))
                largest = int(i);
        Box& box = boxes[std::size_t(largest)];
        box.state = kTaken;
        table[entries] = {std::uint8_t(histogram.expand(medianSlice(histogram, box, kBlue))),
                          std::uint8_t(histogram.expand(medianSlice(histogram, box, kGreen))),
                          std::uint8_t(histogram.expand(medianSlice(histogram, box, kRed))), 0};
        histogram.fill(box, std::uint32_t(entries));
        ++entries;
    }
    return entries;
}

inline int clampByte(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

bool mapPixels(const HDIB& source, HDIB& result, Histogram& map, bool diffuse)
{
    const int width = source.width();
    const int height = source.height();
    const RgbQuad* table = result.colors();
    // Errors of the row above and of the current row, per channel (b, g, r); one spare
    // cell on each side so the edges read zeros.
    const std::size_t rowCells = (std::size_t(width) + 2) * 3;
    std::vector<int> above(rowCells, 0), current(rowCells, 0);

    for (int y = 0; y < height; ++y) {
        if (AbortRequested())
            return false;
        if (y % 32 == 0)
            ReportProgress(kProgressProcessing, 50 + int(std::int64_t(y) * 50 / height));
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* px = in + 3 * x;
            const std::uint32_t plain = map.cellOfColour(px[2], px[1], px[0]);
            if (!diffuse) {
                out[x] = std::uint8_t(plain);
                continue;
            }
            const std::size_t at = (std::size_t(x) + 1) * 3;
            int examined[3];
            for (int c = 0; c < 3; ++c) {
                const int share = (7 * current[at - 3 + c] + 5 * above[at + c] + 3 * above[at + 3 + c] + above[at - 3 + c]) / 16;
                examined[c] = clampByte(px[c] + share);
            }
            const std::uint32_t diffused = map.cellOfColour(examined[2], examined[1], examined[0]);
            const std::uint8_t* d = &table[diffused].rgbBlue;
            const std::uint8_t* p = &table[plain].rgbBlue;
            bool keep = true;
            for (int c = 0; c < 3; ++c)
                keep = keep && std::abs(px[c] - d[c]) < std::abs(px[c] - p[c]) + 16;
            if (keep) {
                out[x] = std::uint8_t(diffused);
                for (int c = 0; c < 3; ++c)
                    current[at + c] = examined[c] - d[c];
            } else {
                out[x] = std::uint8_t(plain);
                for (int c = 0; c < 3; ++c)
                    current[at + c] = px[c] - p[c];
            }
        }
        std::swap(above, current);
    }
    return true;
}

}  // namespace

HDIB DibMedianCut(const HDIB& source, int mode, FileFailure* shortage)
{
    if (!source || source.bitCount() != 24)
        return {};
    int bits = 5;
    if (mode >= 100) {
        bits = 6;
        mode -= 99;
    }
    // The last digit chooses the mapping: 0 maps each colour plainly, anything else diffuses errors.
    const bool diffuse = mode % 10 != 0;

    Histogram histogram(bits);
    if (!countPixels(source, histogram))
        return {};
    std::vector<Box> boxes = initialBoxes(histogram);
    splitBoxes(histogram, boxes);

    HDIB result = DibAllocDerived(source, source.width(), source.height(), 8, 256, shortage);
    if (!result)
        return {};
    result.header().biCompression = 0;
    buildPalette(histogram, boxes, result.colors());
    if (!mapPixels(source, result, histogram, diffuse))
        return {};
    return result;
}

}  // namespace lv
