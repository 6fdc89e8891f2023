#pragma once
// The calendar pieces a refill puts into a calendar page: for each style, one piece per
// year, per month and per month shape (weekday of the first day × length), each a
// one-layer document of lettering on transparency beside the calendar templates:
//   cal<style>/calyear/<year>.vlf, cal<style>/calmonth/<01..12>.vlf,
//   cal<style>/calweek/<Sn|Mn|Tu|Wd|Th|Fr|St><28..31>.vlf

#include "edit/text_render/font_library.h"
#include "layer_art.h"
#include "lettering.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace lv::artwork {

inline constexpr int kCalendarStyles = 3;

inline constexpr std::array<const char*, 12> kMonthNames = {"Janeiro", "Fevereiro", "Março",    "Abril",
                                                            "Maio",    "Junho",     "Julho",    "Agosto",
                                                            "Setembro", "Outubro",  "Novembro", "Dezembro"};
inline constexpr std::array<const char*, 7> kWeekdayHeadings = {"Dom", "Seg", "Ter", "Qua", "Qui", "Sex", "Sáb"};

struct PieceSizes {
    Size year, month, days;
};
// Every piece of a style has one size, so a refill never moves the page's layout.
PieceSizes PieceSizesOf(int style);

// Cell 0 to 41 of a days piece (row by row from Sunday): where day d of a month whose first
// day is weekday w stands, in cell w + d - 1.
Rect DaysCell(int style, int cell);
inline constexpr int kDaysCells = 42;

// Relative to the templates' folder, with "/", as a refill looks for them.
std::string YearPiecePath(int style, int year);
std::string MonthPiecePath(int style, int month);
std::string DaysPiecePath(int style, int firstWeekday, int days);

class CalendarPieces {
public:
    CalendarPieces(FontLibrary& fonts, int style);
    LayerArt year(int year) const;
    LayerArt month(int month) const;
    LayerArt days(int firstWeekday, int days) const;

private:
    FontLibrary& fonts_;
    int style_;
    // Drawn once per style: the numbers 1 to 31 (index 0 unused) and the weekday headings.
    std::vector<Lettering> numbers_;
    std::vector<Lettering> headings_;
};

// Every piece of every style, for the years the calendar screen offers, into `calendarFolder`; false (after a line on stderr) when a
// file can't be written.
bool WriteCalendarPieces(const std::filesystem::path& calendarFolder, FontLibrary& fonts);

}  // namespace lv::artwork
