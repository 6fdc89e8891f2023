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
            ASSERT_TRUE(shape.shape >= 1 && shape.shape <= 28) << shape.shape;
        }
    EXPECT_EQ(std::tuple(DaysInMonth(2001, 0), DaysInMonth(2001, 13)), std::tuple(0, 0));
}

TEST(CalendarPieces, PlaceholderNamesGiveTheirFields)
{
    const auto fields = [](std::string_view name) {
        const PlaceholderName parsed = ParsePlaceholderName(name);
        return std::tuple(parsed.piece, parsed.field2, parsed.style, parsed.text);
    };
    EXPECT_EQ(fields("Month//x//2abc"), std::tuple(PieceKind::Month, std::string("x"), 2, std::string()));
    EXPECT_EQ(fields("Days//second//12//free text\t\r\n"),
              std::tuple(PieceKind::Days, std::string("second"), 12, std::string("free text")));
    // A fourth separator belongs to the free text.
    EXPECT_EQ(ParsePlaceholderName("Year//a//1//b//c").text, "b//c");
    EXPECT_EQ(fields("Year"), std::tuple(PieceKind::Year, std::string(), 0, std::string()));
    EXPECT_EQ(ParsePlaceholderName("year//x//1").piece, PieceKind::None);
    EXPECT_EQ(ParsePlaceholderName("my photo").piece, PieceKind::None);
    EXPECT_EQ(ParsePlaceholderName("Month//x//abc").style, 0);
    EXPECT_EQ(PiecePath("/t/wall.vlf", ParsePlaceholderName("my photo"), 2000, 1), "");
}

TEST(CalendarSelectionState, EnteringClampsTheDateAndFillsTheMonthNames)
{
    for (const auto& [asked, clamped] : {std::pair{YearMonth{1998, 7}, YearMonth{1999, 1}}, {{1999, 7}, {1999, 7}},
                                         {{2026, 12}, {2026, 12}}, {{2100, 5}, {2100, 5}}, {{2101, 5}, {2100, 12}}})
        EXPECT_EQ(ClampCalendarDate(asked.year, asked.month), clamped) << asked.year << "-" << asked.month;

    CalendarSelection selection;
    EXPECT_EQ(std::tuple(selection.selected(), selection.monthNames().empty()), std::tuple(YearMonth{2000, 1}, true));
    selection.enter({2130, 4});
    EXPECT_EQ(std::tuple(selection.selected(), selection.monthName()),
              std::tuple(YearMonth{2100, 12}, std::string("Dez")));

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
