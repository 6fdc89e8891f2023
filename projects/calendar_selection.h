#pragma once
// The calendar screen's choice of year and month, and the month names it offers.

#include "edit/layer_stack.h"

#include <string>
#include <string_view>
#include <vector>

namespace lv {

// String 34016: the month names, separated by commas.
inline constexpr int kMonthNamesString = 34016;

// Pieces ship for these years; a system date outside them is brought to the nearest end.
inline constexpr int kFirstCalendarYear = 1999;
inline constexpr int kLastCalendarYear = 2100;

struct YearMonth {
    int year = 2000;
    int month = 1;
    bool operator==(const YearMonth&) const = default;
};

// A year before the first gives January of the first year, a year after the last December
// of the last; a month outside 1..12 is brought within it.
YearMonth ClampCalendarDate(int year, int month);

// Today's year and month in universal time.
YearMonth CurrentUtcYearMonth();

// The twelve month names of string 34016, split at its commas, blanks around each name
// removed, each at most 31 bytes.
std::vector<std::string> MonthNames();

// What a Set year or Set month did.
enum class CalendarChange {
    Unchanged,      // the value was already selected
    Stored,         // selected, without a document to refill
    Refilled,       // selected and the document refilled
    RefillStopped,  // selected; the refill stopped at a missing piece (its message shown)
};

class CalendarSelection {
public:
    int year() const { return selected_.year; }    // 2000 until the screen is entered
    int month() const { return selected_.month; }  // 1 to 12; 1 until the screen is entered
    YearMonth selected() const { return selected_; }
    // Empty until the screen is entered.
    const std::vector<std::string>& monthNames() const { return monthNames_; }
    // The selected month's name, or empty before the screen was entered.
    std::string monthName() const;

    // Entering the calendar screen: the date (normally CurrentUtcYearMonth()) clamped into
    // the years pieces exist for, and the month names filled.
    void enter(YearMonth today);

    // Stores a different year or month and refills `document` (when given) from the
    // template's pieces, with the busy cursor. The same value changes nothing.
    CalendarChange setYear(int year, LayerStack* document, const std::string& templatePath);
    CalendarChange setMonth(int month, LayerStack* document, const std::string& templatePath);
    // The month by its name in the month table (exact comparison); an unknown name
    // changes nothing.
    CalendarChange setMonth(std::string_view name, LayerStack* document, const std::string& templatePath);

    // A calendar piece dropped by hand names the year or month it shows: stored without
    // refilling. A year below 1 or a month outside 1..12 leaves that value as it is.
    void adopt(int year, int month);

private:
    CalendarChange change(YearMonth wanted, LayerStack* document, const std::string& templatePath);

    YearMonth selected_;
    std::vector<std::string> monthNames_;
};

}  // namespace lv
