#include "projects/calendar_selection.h"

#include "common/string_table.h"
#include "common/ui_service.h"
#include "projects/calendar.h"

#include <algorithm>
#include <ctime>

namespace lv {
namespace {

// The month table's entries are 32 bytes with their terminator.
constexpr std::size_t kMonthNameBytes = 31;

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

YearMonth ClampCalendarDate(int year, int month)
{
    if (year < kFirstCalendarYear)
        return {kFirstCalendarYear, 1};
    if (year > kLastCalendarYear)
        return {kLastCalendarYear, 12};
    return {year, std::clamp(month, 1, 12)};
}

YearMonth CurrentUtcYearMonth()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1};
}

std::vector<std::string> MonthNames()
{
    std::vector<std::string> names;
    std::string_view text = LoadString(kMonthNamesString);
    while (names.size() < 12 && !text.empty()) {
        const std::size_t comma = text.find(',');
        std::string name(trimmed(text.substr(0, comma)).substr(0, kMonthNameBytes));
        names.push_back(std::move(name));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return names;
}

std::string CalendarSelection::monthName() const
{
    const std::size_t index = std::size_t(selected_.month - 1);
    return index < monthNames_.size() ? monthNames_[index] : std::string();
}

void CalendarSelection::enter(YearMonth today)
{
    selected_ = ClampCalendarDate(today.year, today.month);
    monthNames_ = MonthNames();
}

CalendarChange CalendarSelection::setYear(int year, LayerStack* document, const std::string& templatePath)
{
    return change({year, selected_.month}, document, templatePath);
}

CalendarChange CalendarSelection::setMonth(int month, LayerStack* document, const std::string& templatePath)
{
    if (month < 1 || month > 12)
        return CalendarChange::Unchanged;
    return change({selected_.year, month}, document, templatePath);
}

CalendarChange CalendarSelection::setMonth(std::string_view name, LayerStack* document, const std::string& templatePath)
{
    const auto found = std::find(monthNames_.begin(), monthNames_.end(), name);
    if (found == monthNames_.end())
        return CalendarChange::Unchanged;
    return setMonth(int(found - monthNames_.begin()) + 1, document, templatePath);
}

void CalendarSelection::adopt(int year, int month)
{
    if (year > 0)
        selected_.year = year;
    if (month >= 1 && month <= 12)
        selected_.month = month;
}

CalendarChange CalendarSelection::change(YearMonth wanted, LayerStack* document, const std::string& templatePath)
{
    if (wanted == selected_)
        return CalendarChange::Unchanged;
    selected_ = wanted;
    if (!document)
        return CalendarChange::Stored;
    ui::BusyCursor busy;
    return RefillCalendar(*document, templatePath, wanted.year, wanted.month) ? CalendarChange::Refilled
                                                                              : CalendarChange::RefillStopped;
}

}  // namespace lv
