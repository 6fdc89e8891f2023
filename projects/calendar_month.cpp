#include "projects/calendar.h"

#include <cstdio>

namespace lv {

bool IsLeapYear(int year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
    case 2: return IsLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 0;
    }
}

int FirstWeekday(int year, int month)
{
    long long count = 0;
    for (int y = 1980; y < year; ++y)
        count += IsLeapYear(y) ? 366 : 365;
    for (int m = 1; m < month && m <= 12; ++m)
        count += DaysInMonth(year, m);
    return int((count + 2) % 7);
}

MonthShape GetMonthShape(int year, int month)
{
    if (month < 1 || month > 12)
        return {};
    MonthShape shape;
    shape.weekday = FirstWeekday(year, month);
    shape.days = DaysInMonth(year, month);
    shape.shape = (shape.days - 27) * (shape.weekday + 1);
    char name[16];
    std::snprintf(name, sizeof name, "%s%d.vlf", kWeekdayAbbreviations[std::size_t(shape.weekday)].data(), shape.days);
    shape.name = name;
    return shape;
}

}  // namespace lv
