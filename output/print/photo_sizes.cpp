#include "output/print/photo_sizes.h"

#include <algorithm>

namespace lv::print {
namespace {

constexpr std::size_t kMaxArrangements = 200;

class Occupancy {
public:
    Occupancy(int width, int height)
        : width_(width)
        , height_(height)
        , cells_(std::size_t(width) * std::size_t(height), false)
    {
    }
    bool fits(int x, int y, PhotoSize s) const
    {
        if (x + s.width > width_ || y + s.height > height_)
            return false;
        for (int j = y; j < y + s.height; ++j)
            for (int i = x; i < x + s.width; ++i)
                if (at(i, j))
                    return false;
        return true;
    }
    void take(int x, int y, PhotoSize s)
    {
        for (int j = y; j < y + s.height; ++j)
            for (int i = x; i < x + s.width; ++i)
                cells_[index(i, j)] = true;
    }
    bool at(int x, int y) const { return cells_[index(x, y)]; }

private:
    std::size_t index(int x, int y) const { return std::size_t(y) * std::size_t(width_) + std::size_t(x); }
    int width_, height_;
    std::vector<bool> cells_;
};

}  // namespace

SizeRule RuleForLayoutKind(int kind)
{
    switch (kind) {
    case 1: return SizeRule::Wide;
    case 2: return SizeRule::High;
    case 4: return SizeRule::ComplementaryPair;
    default: return SizeRule::AnySize;
    }
}

std::vector<PhotoSize> AllowedSizes(SizeRule rule, std::optional<PhotoSize> lead)
{
    std::vector<PhotoSize> sizes;
    if (rule == SizeRule::ComplementaryPair) {
        const PhotoSize first = lead.value_or(kPhotoPrintSizes.front());
        sizes.push_back(first);
        if (first.width != first.height)
            sizes.push_back({first.height, first.width});
        return sizes;
    }
    for (const PhotoSize& s : kPhotoPrintSizes)
        if (rule == SizeRule::AnySize || (rule == SizeRule::Wide && s.width >= s.height) ||
            (rule == SizeRule::High && s.height >= s.width))
            sizes.push_back(s);
    return sizes;
}

PhotoArrangement ArrangeWithLead(int gridWidth, int gridHeight, const std::vector<PhotoSize>& allowed, PhotoSize lead,
                                 std::size_t maxSlots)
{
    PhotoArrangement result;
    if (gridWidth <= 0 || gridHeight <= 0)
        return result;
    Occupancy grid(gridWidth, gridHeight);
    for (int y = 0; y < gridHeight; ++y)
        for (int x = 0; x < gridWidth; ++x) {
            if (grid.at(x, y))
                continue;
            std::optional<PhotoSize> chosen;
            if (result.prints.size() < maxSlots) {
                if (grid.fits(x, y, lead))
                    chosen = lead;
                else
                    for (const PhotoSize& s : allowed)
                        if (grid.fits(x, y, s)) {
                            chosen = s;
                            break;
                        }
            }
            if (!chosen) {
                ++result.uncoveredCells;
                continue;
            }
            grid.take(x, y, *chosen);
            result.prints.push_back({x, y, *chosen});
        }
    return result;
}

PhotoArrangement ArrangePhotoSizes(int gridWidth, int gridHeight, SizeRule rule, std::optional<PhotoSize> lead,
                                   std::size_t maxSlots)
{
    if (lead) {
        const std::vector<PhotoSize> allowed = AllowedSizes(rule, lead);
        // A lead the layout does not allow (a tall size for wide photos) is no lead.
        if (std::find(allowed.begin(), allowed.end(), *lead) != allowed.end()) {
            PhotoArrangement best = ArrangeWithLead(gridWidth, gridHeight, allowed, *lead, maxSlots);
            // One size either way: the turned size may lead to a fuller page (4 × 6 twice, then 6 × 4).
            if (rule == SizeRule::ComplementaryPair && allowed.size() == 2) {
                PhotoArrangement turned = ArrangeWithLead(gridWidth, gridHeight, {allowed[1], allowed[0]}, allowed[1], maxSlots);
                if (turned.uncoveredCells < best.uncoveredCells)
                    best = std::move(turned);
            }
            return best;
        }
        lead.reset();
    }
    // Each arrangement leads with another size; a pair layout tries each size with its partner.
    const std::vector<PhotoSize> leads =
        rule == SizeRule::ComplementaryPair ? std::vector<PhotoSize>(kPhotoPrintSizes.begin(), kPhotoPrintSizes.end())
                                            : AllowedSizes(rule);
    std::optional<PhotoArrangement> best;
    for (std::size_t i = 0; i < leads.size() && i < kMaxArrangements; ++i) {
        const std::vector<PhotoSize> allowed =
            rule == SizeRule::ComplementaryPair ? AllowedSizes(rule, leads[i]) : leads;
        PhotoArrangement a = ArrangeWithLead(gridWidth, gridHeight, allowed, leads[i], maxSlots);
        if (a.prints.empty())
            continue;
        if (a.uncoveredCells == 0)
            return a;
        if (!best || a.uncoveredCells < best->uncoveredCells)
            best = std::move(a);
    }
    return best.value_or(PhotoArrangement{{}, gridWidth * gridHeight});
}

Rect InchGrid(const PrinterMetrics& m)
{
    const int inchesX = std::max(1, m.width / m.dpiX);
    const int inchesY = std::max(1, m.height / m.dpiY);
    const int w = inchesX * m.dpiX, h = inchesY * m.dpiY;
    return Rect::fromSize(m.offsetX + (m.width - w) / 2, m.offsetY + (m.height - h) / 2, w, h);
}

std::vector<Rect> PhotoSizeSlots(int kind, const PrinterMetrics& m, std::optional<PhotoSize> lead,
                                       std::size_t maxSlots)
{
    const Rect grid = InchGrid(m);
    const PhotoArrangement a =
        ArrangePhotoSizes(grid.width() / m.dpiX, grid.height() / m.dpiY, RuleForLayoutKind(kind), lead, maxSlots);
    std::vector<Rect> rects;
    for (const InchRect& r : a.prints)
        rects.push_back(Rect::fromSize(grid.left + r.x * m.dpiX, grid.top + r.y * m.dpiY, r.size.width * m.dpiX,
                                       r.size.height * m.dpiY));
    return rects;
}

}  // namespace lv::print
