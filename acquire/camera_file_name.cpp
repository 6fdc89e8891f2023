#include "acquire/camera_file_name.h"

#include <cstdio>
#include <ctime>

namespace lv::twain {
namespace {

constexpr char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
constexpr char kYearMarks[] = "_#0^$";

}  // namespace

CalendarDay Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return CalendarDay{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

CameraName MakeCameraName(int storedDate, int storedNumber, CalendarDay today)
{
    CameraName name;
    name.storedDate = today.day + 100 * today.month;
    if (storedNumber >= 1 && storedNumber <= 999 && storedDate == name.storedDate) {
        name.number = storedNumber;
    } else {
        name.number = 1;
        name.restarted = true;
    }
    const int month = (today.month >= 1 && today.month <= 12 ? today.month : 1) - 1;
    const char mark = name.number >= 100 ? char('0' + name.number / 100)
                                         : kYearMarks[((today.year - 1900 + 3) % 5 + 5) % 5];
    char text[16];
    std::snprintf(text, sizeof text, "%.3s%02d%c%02d.JPG", kMonths + 3 * month, today.day % 100, mark, name.number % 100);
    name.fileName = text;
    return name;
}

}  // namespace lv::twain
