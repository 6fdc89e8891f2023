#include "calendar_pieces.h"

#include "page.h"
#include "projects/calendar.h"
#include "projects/calendar_selection.h"
#include "shapes.h"

namespace lv::artwork {
namespace {

// Style 1 "clássico": serif lettering in ink and gold. Style 2 "moderno": sans lettering
// with a coloured band of weekdays. Style 3 "quadros": navy plates and a grid of boxes to
// write in, as wall calendars have.
constexpr int kColumns = 7, kRows = 6;
constexpr int kHeadingHeight = 48;

const Colour kInk = Rgb(55, 42, 36);
const Colour kSundayRed = Rgb(185, 35, 40);
const Colour kGold = Rgb(165, 120, 45);
const Colour kTeal = Rgb(0, 128, 128);
const Colour kCoral = Rgb(232, 92, 70);
const Colour kSlate = Rgb(50, 56, 66);
const Colour kNavy = Rgb(32, 62, 118);
const Colour kWhite = Rgb(255, 255, 255);

TypeFace yearFace(int style)
{
    switch (style) {
    case 1: return {kSerif, 76, 700};
    case 2: return {kSans, 72, 400};
    default: return {kSans, 62, 700};
    }
}

TypeFace monthFace(int style)
{
    switch (style) {
    case 1: return {kSerif, 86, 400, true};
    case 2: return {kSans, 74, 700};
    default: return {kSans, 66, 700};
    }
}

TypeFace headingFace(int style)
{
    switch (style) {
    case 1: return {kSerif, 27, 400, true};
    case 2: return {kSans, 22, 700};
    default: return {kSans, 21, 700};
    }
}

TypeFace numberFace(int style)
{
    switch (style) {
    case 1: return {kSerif, 36};
    case 2: return {kSans, 31};
    default: return {kSans, 23, 700};
    }
}

// A navy plate with rounded corners, the lettering in white on it.
LayerArt plate(Size size, const Lettering& lettering)
{
    LayerArt art(size.width, size.height, kNavy);
    const Point centre{float(size.width) / 2, float(size.height) / 2};
    art.paint(RoundedBox(centre, centre.x - 1, centre.y - 1, 14),
              Linear({0, 0}, Rgb(44, 80, 146), {0, float(size.height)}, kNavy));
    LetterCentred(art, lettering, centre, Solid(kWhite));
    return art;
}

LayerArt lettered(Size size, const Lettering& lettering, Colour colour)
{
    LayerArt art(size.width, size.height, colour);
    LetterCentred(art, lettering, {float(size.width) / 2, float(size.height) / 2}, Solid(colour));
    return art;
}

bool writePiece(const std::filesystem::path& file, const std::string& name, const LayerArt& art)
{
    Page page(art.width(), art.height());
    page.add(name, art, 0, 0);
    return page.write(file);
}

}  // namespace

PieceSizes PieceSizesOf(int style)
{
    if (style == 3)
        return {{240, 100}, {420, 100}, {588, 448}};
    return {{260, 96}, {480, 110}, {588, 420}};
}

namespace {

float headingHeight(int style)
{
    return style == 3 ? 40.0f : float(kHeadingHeight);
}

}  // namespace

Rect DaysCell(int style, int cell)
{
    const Size size = PieceSizesOf(style).days;
    const float column = float(size.width) / kColumns;
    const float row = (float(size.height) - headingHeight(style)) / kRows;
    const float x = float(cell % kColumns) * column, y = headingHeight(style) + float(cell / kColumns) * row;
    return {int(x), int(y), int(x + column), int(y + row)};
}

// The names a refill asks for, from the refill's own rules, relative to the templates' folder.
std::string YearPiecePath(int style, int year)
{
    return PieceDirectory({}, style, PieceKind::Year) + PieceFileName(PieceKind::Year, year, 1);
}

std::string MonthPiecePath(int style, int month)
{
    return PieceDirectory({}, style, PieceKind::Month) + PieceFileName(PieceKind::Month, 2000, month);
}

std::string DaysPiecePath(int style, int firstWeekday, int days)
{
    return PieceDirectory({}, style, PieceKind::Days) + std::string(kWeekdayAbbreviations[std::size_t(firstWeekday)]) +
           std::to_string(days) + ".vlf";
}

CalendarPieces::CalendarPieces(FontLibrary& fonts, int style)
    : fonts_(fonts)
    , style_(style)
{
    numbers_.resize(32);
    for (int n = 1; n <= 31; ++n)
        numbers_[std::size_t(n)] = Letter(fonts, std::to_string(n), numberFace(style));
    for (const char* heading : kWeekdayHeadings)
        headings_.push_back(Letter(fonts, heading, headingFace(style)));
}

LayerArt CalendarPieces::year(int year) const
{
    const Lettering lettering = Letter(fonts_, std::to_string(year), yearFace(style_));
    const Size size = PieceSizesOf(style_).year;
    if (style_ == 3)
        return plate(size, lettering);
    return lettered(size, lettering, style_ == 1 ? Rgb(128, 32, 42) : kTeal);
}

LayerArt CalendarPieces::month(int month) const
{
    const Lettering lettering = Letter(fonts_, kMonthNames[std::size_t(month - 1)], monthFace(style_));
    const Size size = PieceSizesOf(style_).month;
    if (style_ == 3)
        return plate(size, lettering);
    return lettered(size, lettering, style_ == 1 ? kInk : kSlate);
}

LayerArt CalendarPieces::days(int firstWeekday, int days) const
{
    const Size size = PieceSizesOf(style_).days;
    const float column = float(size.width) / kColumns;
    const float heading = headingHeight(style_);
    const float row = (float(size.height) - heading) / kRows;
    const Colour ink = style_ == 1 ? kInk : kSlate;
    LayerArt art(size.width, size.height, ink);
    const float right = float(size.width), bottom = float(size.height);

    if (style_ == 3) {
        // Boxes to write in: white inside the month, grey outside it, hairlines between.
        art.paint(RoundedBox({right / 2, bottom / 2}, right / 2, bottom / 2, 6), Solid(Rgb(234, 238, 245)));
        for (int cell = firstWeekday; cell < firstWeekday + days; ++cell) {
            const float x = float(cell % kColumns) * column, y = heading + float(cell / kColumns) * row;
            art.paint(RoundedBox({x + column / 2, y + row / 2}, column / 2, row / 2, 0), Solid(kWhite), 1,
                      Around({x + column / 2, y + row / 2}, column / 2, row / 2));
        }
        for (int c = 1; c < kColumns; ++c) {
            const Point centre{float(c) * column, (heading + bottom) / 2};
            art.paint(RoundedBox(centre, 0.5f, (bottom - heading) / 2, 0), Solid(Rgb(178, 188, 204)), 1,
                      Around(centre, 1, (bottom - heading) / 2));
        }
        for (int r = 1; r < kRows; ++r) {
            const Point centre{right / 2, heading + float(r) * row};
            art.paint(RoundedBox(centre, right / 2, 0.5f, 0), Solid(Rgb(178, 188, 204)), 1, Around(centre, right / 2, 1));
        }
        const Shape band = Intersect(RoundedBox({right / 2, bottom / 2}, right / 2, bottom / 2, 6),
                                     RoundedBox({right / 2, heading / 2}, right / 2, heading / 2, 0));
        art.paint(band, Solid(kNavy), 1, Rect{0, 0, int(right), int(heading) + 2});
        art.outline(RoundedBox({right / 2, bottom / 2}, right / 2 - 1, bottom / 2 - 1, 6), kNavy, 2);
    } else if (style_ == 2) {
        art.paint(RoundedBox({right / 2, heading / 2 - 2}, right / 2 - 2, heading / 2 - 6, heading / 2 - 6),
                  Solid(kTeal), 1, Rect{0, 0, int(right), int(heading)});
    } else {
        // A double gold rule under the weekdays.
        art.paint(RoundedBox({right / 2, heading - 7}, right / 2 - 8, 1.0f, 0), Solid(kGold), 1,
                  Around({right / 2, heading - 7}, right / 2, 1));
        art.paint(RoundedBox({right / 2, heading - 2}, right / 2 - 8, 0.5f, 0), Solid(kGold), 1,
                  Around({right / 2, heading - 2}, right / 2, 1));
    }

    for (int c = 0; c < kColumns; ++c) {
        Colour colour = style_ == 1 ? kGold : kWhite;
        if (style_ == 1 && c == 0)
            colour = kSundayRed;
        LetterCentred(art, headings_[std::size_t(c)], {(float(c) + 0.5f) * column, heading / 2 - (style_ == 3 ? 0 : 3)},
                      Solid(colour));
    }
    for (int day = 1; day <= days; ++day) {
        const int cell = firstWeekday + day - 1;
        const int c = cell % kColumns;
        const Rect box = DaysCell(style_, cell);
        const float x = float(box.left), y = float(box.top);
        Colour colour = ink;
        if (c == 0)
            colour = style_ == 2 ? kCoral : kSundayRed;
        else if (c == 6 && style_ == 2)
            colour = kTeal;
        const Lettering& number = numbers_[std::size_t(day)];
        if (style_ == 3)  // the number in the box's top-left corner, room to write below it
            art.stamp(number.coverage, int(x) + 8, int(y) + 6, Solid(colour));
        else
            LetterCentred(art, number, {x + column / 2, y + row / 2}, Solid(colour));
    }
    return art;
}

bool WriteCalendarPieces(const std::filesystem::path& calendarFolder, FontLibrary& fonts)
{
    for (int style = 1; style <= kCalendarStyles; ++style) {
        const CalendarPieces pieces(fonts, style);
        for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year)
            if (!writePiece(calendarFolder / YearPiecePath(style, year), std::to_string(year), pieces.year(year)))
                return false;
        for (int month = 1; month <= 12; ++month)
            if (!writePiece(calendarFolder / MonthPiecePath(style, month), kMonthNames[std::size_t(month - 1)],
                            pieces.month(month)))
                return false;
        for (int weekday = 0; weekday < 7; ++weekday)
            for (int days = 28; days <= 31; ++days)
                if (!writePiece(calendarFolder / DaysPiecePath(style, weekday, days),
                                std::string(kWeekdayAbbreviations[std::size_t(weekday)]) + std::to_string(days),
                                pieces.days(weekday, days)))
                    return false;
    }
    return true;
}

}  // namespace lv::artwork
