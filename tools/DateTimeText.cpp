#include "tools/DateTimeText.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace {

// The user's locale as the system sets it; the classic one when the
// environment names a locale this machine does not have.
const std::locale& SystemLocale() {
  static const std::locale locale = [] {
    try {
      return std::locale("");
    } catch (const std::runtime_error&) {
      return std::locale::classic();
    }
  }();
  return locale;
}

std::string Format(const std::tm& tm, const char* format) {
  std::ostringstream out;
  out.imbue(SystemLocale());
  out << std::put_time(&tm, format);
  return out.str();
}

}  // namespace

std::string ShortDateText(int year, int month, int day) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_isdst = -1;
  // Fills in the day of the week and of the year for formats that name them.
  std::tm normal = tm;
  if (std::mktime(&normal) != static_cast<std::time_t>(-1)) tm = normal;
  return Format(tm, "%x");
}

std::string LongTimeText(int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = 70;
  tm.tm_mday = 1;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return Format(tm, "%X");
}

std::string LongTimeText(long seconds) {
  seconds = ((seconds % 86400) + 86400) % 86400;
  return LongTimeText(static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                      static_cast<int>(seconds % 60));
}
