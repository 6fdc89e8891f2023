// The calendar templates: two pages (upright and lying) for each style of pieces, each
// showing January 2000 until the user picks a month.

#include "calendar_pieces.h"
#include "noise.h"
#include "projects/calendar.h"
#include "project_templates.h"
#include "sample_photos.h"
#include "shapes.h"

namespace lv::artwork {
namespace {

constexpr int kShownYear = 2000, kShownMonth = 1;

struct CalendarLayout {
    int width, height;
    Rect photo;
    Point month, year, days;
};

const CalendarLayout kUpright{900, 1200, {60, 60, 840, 560}, {330, 645}, {700, 645}, {450, 945}};
const CalendarLayout kLying{1200, 900, {40, 50, 540, 850}, {875, 130}, {875, 240}, {875, 580}};

Point centreOf(const Rect& b)
{
    return {float(b.left + b.right) / 2, float(b.top + b.bottom) / 2};
}

std::string placeholder(const char* kind, int style)
{
    return std::string(kind) + "//x//" + std::to_string(style);
}

// The page's colours and ornaments for one style.
struct CalendarLook {
    Fill paper;
    SampleScene scene;
    float photoCorner;    // rounded corners of the photo box
    Colour photoBorder;   // a band around the photo
    float borderWidth;
    Colour accent;        // the page's ornaments
};

CalendarLook lookOf(int style, bool upright)
{
    switch (style) {
    case 1:
        return {[](Point p) {
                    const float grain = Fractal(p.x / 60, p.y / 60, 3, 11) - 0.5f;
                    return Scale(Rgb(248, 240, 222), 1 + 0.05f * grain);
                },
                upright ? SampleScene::Hills : SampleScene::Garden, 0, Rgb(176, 132, 56), 6, Rgb(176, 132, 56)};
    case 2:
        return {Solid(Rgb(252, 252, 250)), upright ? SampleScene::Beach : SampleScene::Hills, 28, Rgb(255, 255, 255), 0,
                upright ? Rgb(0, 128, 128) : Rgb(232, 92, 70)};
    default:
        return {Linear({0, 0}, Rgb(226, 234, 246), {0, 1200}, Rgb(196, 212, 236)),
                upright ? SampleScene::Garden : SampleScene::Beach, 4, Rgb(255, 255, 255), 14, Rgb(32, 62, 118)};
    }
}

// What lies on the page above the background: corners, bands and dots by style.
LayerArt ornaments(int style, const CalendarLayout& layout, const CalendarLook& look)
{
    const bool upright = layout.width < layout.height;
    const float w = float(layout.width), h = float(layout.height);
    LayerArt art(layout.width, layout.height, look.accent);
    if (style == 1) {
        // A double gold rule round the page with diamonds at the corners.
        art.outline(RoundedBox({w / 2, h / 2}, w / 2 - 22, h / 2 - 22, 0), look.accent, 3);
        art.outline(RoundedBox({w / 2, h / 2}, w / 2 - 30, h / 2 - 30, 0), look.accent, 1.2f);
        for (const Point c : {Point{22, 22}, Point{w - 22, 22}, Point{22, h - 22}, Point{w - 22, h - 22}}) {
            const Shape diamond = Polygon({{c.x, c.y - 14}, {c.x + 14, c.y}, {c.x, c.y + 14}, {c.x - 14, c.y}});
            art.paint(diamond, Solid(look.accent), 1, Around(c, 16, 16));
        }
    } else if (style == 2) {
        // A coloured corner below the days and a line of dots under the photo.
        const Shape corner = Polygon({{w, h - 110}, {w, h}, {w - 300, h}});
        art.paint(corner, Solid(look.accent), 0.9f, Rect{int(w) - 302, int(h) - 112, int(w), int(h)});
        for (int i = 0; i < 5; ++i) {
            const Point c{upright ? w / 2 + float(i - 2) * 24 : float(layout.photo.right + layout.photo.left) / 2 + float(i - 2) * 24,
                          float(layout.photo.bottom) + 22};
            art.paint(Circle(c, 5), Solid(look.accent), 0.8f, Around(c, 6, 6));
        }
    } else {
        // Navy binding rings along the top edge.
        for (int i = 0; i < 9; ++i) {
            const Point c{w * (0.1f + 0.1f * float(i)), 24};
            art.paint(Capsule({c.x, c.y - 16}, {c.x, c.y + 10}, 5), Linear({c.x - 5, 0}, Rgb(200, 205, 215), {c.x + 5, 0}, Rgb(90, 95, 110)), 1,
                      Around(c, 8, 30));
        }
    }
    return art;
}

Page drawCalendar(FontLibrary& fonts, int style, const CalendarLayout& layout)
{
    const CalendarLook look = lookOf(style, layout.width < layout.height);
    const CalendarPieces pieces(fonts, style);
    Page page(layout.width, layout.height);
    page.add(kBackgroundLayer, LayerArt::Opaque(layout.width, layout.height, look.paper), 0, 0);

    const Rect& box = layout.photo;
    const int pw = box.right - box.left, ph = box.bottom - box.top;
    if (look.borderWidth > 0) {
        const float grow = look.borderWidth;
        LayerArt band(pw + 2 * int(grow) + 24, ph + 2 * int(grow) + 24, look.photoBorder);
        const Point c{float(band.width()) / 2, float(band.height()) / 2};
        const Shape outer = RoundedBox(c, float(pw) / 2 + grow, float(ph) / 2 + grow, look.photoCorner + grow / 2);
        band.shadow(outer, 3, 5, 5, 0.35f);
        band.paint(outer, Solid(look.photoBorder));
        page.addCentred("Enfeite//moldura da foto", band, centreOf(box));
    }
    LayerArt photo = SamplePhoto(look.scene, pw, ph);
    if (look.photoCorner > 0)
        photo.erase(Outside(RoundedBox({float(pw) / 2, float(ph) / 2}, float(pw) / 2, float(ph) / 2, look.photoCorner)));
    page.add("Foto//x//1", photo, box.left, box.top);

    page.add("Enfeite//página", ornaments(style, layout, look), 0, 0);
    page.addCentred(placeholder("Month", style), pieces.month(kShownMonth), layout.month);
    page.addCentred(placeholder("Year", style), pieces.year(kShownYear), layout.year);
    page.addCentred(placeholder("Days", style),
                    pieces.days(FirstWeekday(kShownYear, kShownMonth), DaysInMonth(kShownYear, kShownMonth)), layout.days);
    page.makeCurrent("Foto");
    return page;
}

ProjectTemplate calendar(const char* stem, const char* name, int style, const CalendarLayout& layout)
{
    return {kCalendarFolder, stem, name, style, [style, &layout](FontLibrary& fonts) { return drawCalendar(fonts, style, layout); }};
}

}  // namespace

std::vector<ProjectTemplate> CalendarTemplates()
{
    return {
        calendar("classico-alto", "Clássico", 1, kUpright),
        calendar("classico-largo", "Clássico deitado", 1, kLying),
        calendar("moderno-alto", "Moderno", 2, kUpright),
        calendar("moderno-largo", "Moderno deitado", 2, kLying),
        calendar("quadros-alto", "Quadros para anotar", 3, kUpright),
        calendar("quadros-largo", "Quadros deitado", 3, kLying),
    };
}

}  // namespace lv::artwork
