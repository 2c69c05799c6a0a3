// The system's short date and long time formats, as every report of the
// program writes them, windows and command line alike, so one machine
// prints one text.
#pragma once

#include <string>

// The date in the system's short date format (e.g. 12/11/26 or 11.12.26).
std::string ShortDateText(int year, int month, int day);

// The time of day in the system's long time format (e.g. 14:03:27 or
// 02:03:27 PM). Seconds outside a day are taken modulo one day, so a
// duration across midnight still reads as a time of day.
std::string LongTimeText(long seconds);
std::string LongTimeText(int hour, int minute, int second);
