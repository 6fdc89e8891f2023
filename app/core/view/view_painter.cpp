#include "app/core/view/view_painter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace lv {
namespace {

Rect intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

void fill(const PixelBuffer& target, const Rect& r, std::uint32_t colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(target.at(r.left, y), r.width(), colour);
}

// Colours of an 8-bit picture's table, through the gamma tables on palette displays.
std::array<std::uint32_t, 256> tableColours(const HDIB& composite, const GammaTables* gamma)
{
    std::array<std::uint32_t, 256> colours{};
    const int count = std::min<int>(int(composite.clrUsed() ? composite.clrUsed() : 256), 256);
    for (int i = 0; i < count; ++i) {
        const RgbQuad q = composite.colors()[i];
        RgbTriple c{q.rgbRed, q.rgbGreen, q.rgbBlue};
        if (gamma)
            c = {gamma->red[c.red], gamma->green[c.green], gamma->blue[c.blue]};
        colours[std::size_t(i)] = ToPixel(c);
    }
    return colours;
}

struct RowSpan {
    int left = 0;     // client column of the first painted pixel
    int count = 0;    // pixels
    int scaledX = 0;  // scaled-view column of the first pixel (scroll offset included)
};

// One display row of true colour from a 24-bit row.
void rowTrueColour24(std::uint32_t* out, const std::uint8_t* src, const std::vector<int>& columns)
{
    const int* c = columns.data();
    const std::size_t n = columns.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t* p = src + c[i];
        out[i] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
}

void rowTable8(std::uint32_t* out, const std::uint8_t* src, const std::vector<int>& columns,
               const std::array<std::uint32_t, 256>& colours)
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        out[i] = colours[src[columns[i]]];
}

}  // namespace

DisplayKind DisplayKindFor(int displayBitsPerPixel)
{
    if (displayBitsPerPixel > 8)
        return DisplayKind::TrueColour;
    return displayBitsPerPixel == 8 ? DisplayKind::ColourCube : DisplayKind::EightColours;
}

void PaintView(const HDIB& composite, const ImageView& view, const Rect& exposed, const PixelBuffer& target,
               const DisplayContext& display)
{
    const Size client = view.client();
    const Rect paint = intersect(intersect(exposed, target.area), {0, 0, client.width, client.height});
    if (paint.width() <= 0 || paint.height() <= 0)
        return;

    const int band = view.rulerBand();
    const int zoom = view.zoom();
    const int originX = view.origin(Axis::Horizontal);
    const int originY = view.origin(Axis::Vertical);
    const Size scaled = view.scaledDocument();
    const bool usable = composite && (composite.bitCount() == 24 || composite.bitCount() == 8);
    // The picture occupies these client pixels, never the ruler band.
    const Rect picture = usable ? intersect({originX, originY, originX + scaled.width, originY + scaled.height},
                                            {band, band, client.width, client.height})
                                : Rect{};
    const Rect inside = intersect(paint, picture);

    // Background: the band and beyond the document, painted around the picture.
    if (inside.width() <= 0 || inside.height() <= 0) {
        fill(target, paint, display.background);
        return;
    }
    fill(target, {paint.left, paint.top, paint.right, inside.top}, display.background);
    fill(target, {paint.left, inside.bottom, paint.right, paint.bottom}, display.background);
    fill(target, {paint.left, inside.top, inside.left, inside.bottom}, display.background);
    fill(target, {inside.right, inside.top, paint.right, inside.bottom}, display.background);

    const int height = composite.height();
    const int bytesPerPixel = composite.bitCount() / 8;
    const RowSpan span{inside.left, inside.width(), inside.left - originX};
    std::vector<int> columns(std::size_t(span.count));
    for (int i = 0; i < span.count; ++i)
        columns[std::size_t(i)] = std::min(DocumentOffset(span.scaledX + i, zoom), composite.width() - 1) * bytesPerPixel;

    std::array<std::uint32_t, 256> table{};
    if (bytesPerPixel == 1)
        table = tableColours(composite, display.kind == DisplayKind::TrueColour ? nullptr : display.gamma);
    std::array<std::uint32_t, 216> cube{};
    if (display.kind == DisplayKind::ColourCube)
        for (int i = 0; i < 216; ++i)
            cube[std::size_t(i)] = ToPixel(ColourCubeEntry(i));

    // An 8-bit document on an 8-bit display keeps its own indexes; everything else on a
    // palette display is dithered.
    const bool dithered = display.kind == DisplayKind::EightColours
                          || (display.kind == DisplayKind::ColourCube && bytesPerPixel == 3);
    int previousSourceRow = -1;
    std::uint32_t* previousOut = nullptr;
    for (int y = inside.top; y < inside.bottom; ++y) {
        const int scaledY = y - originY;
        const int documentRow = std::min(DocumentOffset(scaledY, zoom), height - 1);
        const std::uint8_t* src = display.colours && bytesPerPixel == 3
                                      ? display.colours->row(composite, height - 1 - documentRow)
                                      : composite.row(height - 1 - documentRow);
        std::uint32_t* out = target.at(span.left, y);
        // Enlarged rows repeat: copy the row above unless the dither pattern differs.
        if (documentRow == previousSourceRow && !dithered) {
            std::memcpy(out, previousOut, std::size_t(span.count) * 4);
            continue;
        }
        previousSourceRow = documentRow;
        previousOut = out;
        if (!dithered) {
            if (bytesPerPixel == 3)
                rowTrueColour24(out, src, columns);
            else
                rowTable8(out, src, columns, table);
            continue;
        }
        for (int i = 0; i < span.count; ++i) {
            const std::uint8_t* p = src + columns[std::size_t(i)];
            RgbTriple c;
            if (bytesPerPixel == 3) {
                c = {p[2], p[1], p[0]};
            } else {
                const RgbQuad q = composite.colors()[*p];
                c = {q.rgbRed, q.rgbGreen, q.rgbBlue};
            }
            const int x = span.scaledX + i;
            if (display.kind == DisplayKind::ColourCube)
                out[i] = cube[display.dither->cubeIndex(c, x, scaledY)];
            else
                out[i] = ToPixel(EightColourEntry(OneBitIndex(*display.gamma, c, x, scaledY)));
        }
    }
}

}  // namespace lv
