#pragma once
// Names of photos that arrive from scanners and cameras while the album page shows: the
// month, the day, a year mark (or the hundreds digit) and a number that restarts every day,
// kept in "CAMERA_DATE" and "CAMERA_NUM" of section "USER".

#include <string>

namespace lv::twain {

struct CalendarDay {
    int year = 2000;  // four digits
    int month = 1;    // 1-12
    int day = 1;      // 1-31
};

CalendarDay Today();

struct CameraName {
    std::string fileName;  // eight characters and ".JPG"
    int number = 1;
    bool restarted = false;  // the number began at 1 again: "CAMERA_DATE" is written
    int storedDate = 0;      // day + 100 × month
};

// The stored number counts when it lies in 1 … 999 and the stored date is today's.
CameraName MakeCameraName(int storedDate, int storedNumber, CalendarDay today);

}  // namespace lv::twain
