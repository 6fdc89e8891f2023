#include "edit/selection/selection_outline.h"

#include "edit/selection/selection_mask.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

using Edge = SelectionOutline::Edge;

// Row `row` of the mask with one clear byte after it, or all clear outside the mask.
void loadRow(const HDIB& mask, int row, std::vector<std::uint8_t>& out)
{
    std::fill(out.begin(), out.end(), 0);
    if (row >= 0 && row < mask.height())
        std::memcpy(out.data(), MaskRowFromTop(mask, row), std::size_t(mask.width() + 7) / 8);
}

// Horizontal edges along row boundary `boundary` between the rows above and below.
void horizontalEdges(const std::vector<std::uint8_t>& above, const std::vector<std::uint8_t>& below, int width,
                     int boundary, const Rect& at, std::vector<Edge>& out)
{
    const int bytes = (width + 7) / 8;
    Edge* open = nullptr;
    int openEnd = -1;
    for (int i = 0; i < bytes; ++i) {
        const std::uint8_t diff = above[std::size_t(i)] ^ below[std::size_t(i)];
        if (!diff)
            continue;
        for (int bit = 0; bit < 8; ++bit) {
            if (!((diff << bit) & 0x80))
                continue;
            const int x = i * 8 + bit;
            const bool after = (below[std::size_t(i)] << bit) & 0x80;
            if (open && openEnd == x && open->selectedAfter == after) {
                open->to = at.left + x + 1;
            } else {
                out.push_back({at.top + boundary, at.left + x, at.left + x + 1, after});
                open = &out.back();
            }
            openEnd = x + 1;
        }
    }
}

// Column boundaries of a row where the pixel on the left differs from the one on the right.
struct Transition {
    int column;
    bool selectedAfter;
};

void rowTransitions(const std::vector<std::uint8_t>& row, int width, std::vector<Transition>& out)
{
    out.clear();
    const int bytes = width / 8 + 1;  // the byte after the last pixel is clear
    unsigned previous = 0;  // the last pixel of the byte before
    for (int i = 0; i < bytes; ++i) {
        const unsigned b = row[std::size_t(i)];
        const unsigned changes = (b ^ ((b >> 1) | (previous << 7))) & 0xFF;
        previous = b & 1;
        if (!changes)
            continue;
        for (int bit = 0; bit < 8; ++bit)
            if ((changes << bit) & 0x80) {
                const int column = i * 8 + bit;
                if (column > width)
                    break;
                out.push_back({column, bool((b << bit) & 0x80)});
            }
    }
}

struct OpenRun {
    int column;
    bool selectedAfter;
    int startRow;
};

}  // namespace

SelectionOutline SelectionOutline::FromMask(const HDIB& mask, const Rect& at)
{
    SelectionOutline outline;
    if (!mask)
        return outline;
    const int width = mask.width();
    const int height = mask.height();
    const std::size_t rowBytes = std::size_t(width / 8 + 2);
    std::vector<std::uint8_t> above(rowBytes), below(rowBytes);
    std::vector<Transition> transitions;
    std::vector<OpenRun> open, next;
    const auto close = [&](const OpenRun& run, int endRow) {
        outline.vertical_.push_back({at.left + run.column, at.top + run.startRow, at.top + endRow, run.selectedAfter});
    };
    loadRow(mask, -1, above);
    for (int boundary = 0; boundary <= height; ++boundary) {
        loadRow(mask, boundary, below);
        horizontalEdges(above, below, width, boundary, at, outline.horizontal_);
        if (boundary < height) {
            // Vertical runs: carry on those whose column and side repeat in this row.
            rowTransitions(below, width, transitions);
            next.clear();
            std::size_t k = 0;
            for (const Transition& t : transitions) {
                while (k < open.size() && open[k].column < t.column)
                    close(open[k++], boundary);
                if (k < open.size() && open[k].column == t.column && open[k].selectedAfter == t.selectedAfter) {
                    next.push_back(open[k++]);
                } else {
                    if (k < open.size() && open[k].column == t.column)
                        close(open[k++], boundary);
                    next.push_back({t.column, t.selectedAfter, boundary});
                }
            }
            while (k < open.size())
                close(open[k++], boundary);
            std::swap(open, next);
        }
        std::swap(above, below);
    }
    for (const OpenRun& run : open)
        close(run, height);
    std::sort(outline.vertical_.begin(), outline.vertical_.end(),
              [](const Edge& a, const Edge& b) { return a.fixed != b.fixed ? a.fixed < b.fixed : a.from < b.from; });
    return outline;
}

SelectionOutline SelectionOutline::FromRectangle(const Rect& r)
{
    SelectionOutline outline;
    if (r.right <= r.left || r.bottom <= r.top)
        return outline;
    outline.horizontal_ = {{r.top, r.left, r.right, true}, {r.bottom, r.left, r.right, false}};
    outline.vertical_ = {{r.left, r.top, r.bottom, true}, {r.right, r.top, r.bottom, false}};
    return outline;
}

SelectionOutline SelectionOutline::FromSelection(const LayerStack& stack)
{
    if (stack.selectionActive == 1)
        return FromRectangle(stack.selectionRect);
    if (stack.selectionActive == 2)
        return FromMask(stack.selectionMask.read(), stack.selectionRect);
    return {};
}

void SelectionOutline::draw(DrawingSurface& surface, const ViewMapping& view, int phase) const
{
    lines_.clear();
    const Rect& clip = view.clip;
    // Edges are sorted along their fixed coordinate: only those in view are looked at.
    const auto visible = [&](const std::vector<Edge>& edges, auto client, int low, int high) {
        const auto first = std::partition_point(edges.begin(), edges.end(),
                                                [&](const Edge& e) { return client(e.fixed) < low; });
        const auto last = std::partition_point(first, edges.end(), [&](const Edge& e) { return client(e.fixed) <= high; });
        return std::pair(first, last);
    };
    const auto clientX = [&](int x) { return view.clientX(x); };
    const auto clientY = [&](int y) { return view.clientY(y); };
    const auto [hFirst, hLast] = visible(horizontal_, clientY, clip.top, clip.bottom);
    for (auto e = hFirst; e != hLast; ++e) {
        const int y = clientY(e->fixed) - (e->selectedAfter ? 0 : 1);
        const int x0 = std::max(clientX(e->from), clip.left);
        const int x1 = std::min(clientX(e->to) - 1, clip.right - 1);
        if (y >= clip.top && y < clip.bottom && x0 <= x1)
            lines_.push_back({{x0, y}, {x1, y}});
    }
    const auto [vFirst, vLast] = visible(vertical_, clientX, clip.left, clip.right);
    for (auto e = vFirst; e != vLast; ++e) {
        const int x = clientX(e->fixed) - (e->selectedAfter ? 0 : 1);
        const int y0 = std::max(clientY(e->from), clip.top);
        const int y1 = std::min(clientY(e->to) - 1, clip.bottom - 1);
        if (x >= clip.left && x < clip.right && y0 <= y1)
            lines_.push_back({{x, y0}, {x, y1}});
    }
    if (!lines_.empty())
        surface.drawLines(lines_, Pen{0x000000, PenStyle::Dotted, phase});
}

const SelectionOutline& SelectionOutlineCache::outlineOf(const LayerStack& stack)
{
    const bool same = built_ && stack.selectionActive == active_ && stack.selectionRect == rect_
                      && (active_ != 2 || stack.selectionMask.matches(mask_));
    if (!same) {
        outline_ = SelectionOutline::FromSelection(stack);
        active_ = stack.selectionActive;
        rect_ = stack.selectionRect;
        mask_ = stack.selectionMask.stamp();
        built_ = true;
    }
    return outline_;
}

}  // namespace lv
