#pragma once
// Calendar pages: the month arithmetic that names the pre-drawn pieces, the placeholder
// layers' names, where the pieces lie beside a template, and refilling a calendar document
// with the pieces of a year and month. The program never draws a grid itself: every piece
// is artwork.

#include "edit/layer_stack.h"

#include <array>
#include <string>
#include <string_view>

namespace lv {

// Undo step of a refill: every layer record (the placeholders it replaces) and the
// project screens' placement words.
inline constexpr int kUndoCalendarRefill = 12150;

// Indexed from Sunday.
inline constexpr std::array<std::string_view, 7> kWeekdayAbbreviations = {"Sn", "Mn", "Tu", "Wd", "Th", "Fr", "St"};

// Gregorian: divisible by 400, or by 4 and not by 100.
bool IsLeapYear(int year);

// 31, 30, 29 or 28; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// The weekday index (0 Sunday) of the month's first day, counted from 1 January 1980 (a
// Tuesday); years up to 1980 count no whole years.
int FirstWeekday(int year, int month);

struct MonthShape {
    int weekday = 0;   // index into kWeekdayAbbreviations of the first day
    int days = 0;
    std::string name;  // the Days piece, "Tu31.vlf"; empty for a month above 12
    int shape = 0;     // (days - 27) * (weekday + 1): 1 to 28; 0 for a month above 12
};

// Months outside 1..12 give all zeros and no name.
MonthShape GetMonthShape(int year, int month);

enum class PieceKind { None, Year, Month, Days };

// A layer name read as up to four fields separated by "//"; missing fields are empty.
struct PlaceholderName {
    std::string kind;   // field 1
    std::string field2; // not used by the calendar
    int style = 0;      // field 3 without its trailing non-digits, read as a decimal integer
    std::string text;   // field 4 without trailing tabs, carriage returns and line feeds
    PieceKind piece = PieceKind::None;  // "Year", "Month" or "Days" exactly; None otherwise
};

PlaceholderName ParsePlaceholderName(std::string_view layerName);

// The template's folder (its path up to and including the last "/"), then "cal%d/" with
// the style and "calyear/", "calmonth/" or "calweek/". Empty for PieceKind::None.
std::string PieceDirectory(std::string_view templatePath, int style, PieceKind kind);

// "2000.vlf" for a year, "03.vlf" / "11.vlf" for a month, the month shape's name
// ("Tu31.vlf") for the days. Empty for PieceKind::None or a month without a shape.
std::string PieceFileName(PieceKind kind, int year, int month);

// PieceDirectory followed by PieceFileName.
std::string PiecePath(std::string_view templatePath, const PlaceholderName& name, int year, int month);

// Refills every placeholder layer (front to back) with its piece for `year` and `month`,
// centred on the space the old content took, as one undo step (kUndoCalendarRefill; none
// when nothing changed), and recomposites. A missing piece shows string 6465 with its path
// once and stops: earlier layers keep their new pieces. An unreadable piece shows 2356 and
// the refill goes on; running out of memory skips the layer silently. Returns 0 when it
// stopped at a missing piece, 1 otherwise.
int RefillCalendar(LayerStack& document, const std::string& templatePath, int year, int month);

}  // namespace lv
