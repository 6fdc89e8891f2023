// Month shapes, placeholder names, piece paths and the screen's choice of year and month.

#include "common/string_table.h"
#include "projects/calendar.h"
#include "projects/calendar_selection.h"

#include <gtest/gtest.h>

#include <chrono>

namespace lv {
namespace {

// The civil calendar of the standard library as an independent witness, across every year
// pieces ship for.
TEST(CalendarMonths, FirstWeekdaysAgreeWithTheCivilCalendarFrom1980To2100)
{
    using namespace std::chrono;
    for (int y = 1980; y <= 2100; ++y)
        for (unsigned m = 1; m <= 12; ++m) {
            const year_month_day first{year{y}, month{m}, day{1}};
            const int expected = int(weekday{sys_days{first}}.c_encoding());
            const MonthShape shape = GetMonthShape(y, int(m));
            ASSERT_EQ(shape.weekday, expected) << y << "-" << m;
            ASSERT_EQ(shape.days, int(unsigned((year_month_day_last{year{y}, month_day_last{month{m}}}).day())));
            ASSERT_GE(shape.shape, 1);
            ASSERT_LE(shape.shape, 28);
        }
    EXPECT_EQ(DaysInMonth(2001, 0), 0);
    EXPECT_EQ(DaysInMonth(2001, 13), 0);
}

TEST(CalendarPieces, PlaceholderNamesGiveTheirFields)
{
    const PlaceholderName month = ParsePlaceholderName("Month//x//2abc");
    EXPECT_EQ(month.piece, PieceKind::Month);
    EXPECT_EQ(month.style, 2);

    const PlaceholderName full = ParsePlaceholderName("Days//second//12//free text\t\r\n");
    EXPECT_EQ(full.field2, "second");
    EXPECT_EQ(full.style, 12);
    EXPECT_EQ(full.text, "free text");
    // A fourth separator belongs to the free text.
    EXPECT_EQ(ParsePlaceholderName("Year//a//1//b//c").text, "b//c");

    const PlaceholderName bare = ParsePlaceholderName("Year");
    EXPECT_EQ(bare.piece, PieceKind::Year);
    EXPECT_EQ(bare.style, 0);
    EXPECT_EQ(bare.text, "");
    EXPECT_EQ(ParsePlaceholderName("year//x//1").piece, PieceKind::None);
    EXPECT_EQ(ParsePlaceholderName("my photo").piece, PieceKind::None);
    EXPECT_EQ(ParsePlaceholderName("Month//x//abc").style, 0);
    EXPECT_EQ(PiecePath("/t/wall.vlf", ParsePlaceholderName("my photo"), 2000, 1), "");
}

TEST(CalendarSelectionState, EnteringClampsTheDateAndFillsTheMonthNames)
{
    EXPECT_EQ(ClampCalendarDate(1998, 7), (YearMonth{1999, 1}));
    EXPECT_EQ(ClampCalendarDate(1999, 7), (YearMonth{1999, 7}));
    EXPECT_EQ(ClampCalendarDate(2026, 12), (YearMonth{2026, 12}));
    EXPECT_EQ(ClampCalendarDate(2100, 5), (YearMonth{2100, 5}));
    EXPECT_EQ(ClampCalendarDate(2101, 5), (YearMonth{2100, 12}));

    CalendarSelection selection;
    EXPECT_EQ(selection.selected(), (YearMonth{2000, 1}));
    EXPECT_TRUE(selection.monthNames().empty());
    selection.enter({2130, 4});
    EXPECT_EQ(selection.selected(), (YearMonth{2100, 12}));
    EXPECT_EQ(selection.monthName(), "Dez");

    EXPECT_EQ(selection.setYear(2100, nullptr, {}), CalendarChange::Unchanged);
    EXPECT_EQ(selection.setMonth(std::string_view("Dez"), nullptr, {}), CalendarChange::Unchanged);
    EXPECT_EQ(selection.setMonth(std::string_view("Mar"), nullptr, {}), CalendarChange::Stored);
    EXPECT_EQ(selection.month(), 3);
    EXPECT_EQ(selection.setMonth(std::string_view("March"), nullptr, {}), CalendarChange::Unchanged);
    EXPECT_EQ(selection.setMonth(13, nullptr, {}), CalendarChange::Unchanged);
    EXPECT_EQ(selection.month(), 3);
    selection.adopt(2005, 0);
    EXPECT_EQ(selection.selected(), (YearMonth{2005, 3}));
}

}  // namespace
}  // namespace lv
