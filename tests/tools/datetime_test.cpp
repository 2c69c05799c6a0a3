// The date and time texts of reports, in the formats of the locale the
// environment names (here the C locale).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tools/DateTimeText.h"

namespace {

TEST(DateTimeText, ShortDateAndLongTimeOfTheCLocale) {
  // Read once per process, before the first text is made.
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(ShortDateText(2026, 12, 11), "12/11/26");
  EXPECT_EQ(ShortDateText(2000, 1, 2), "01/02/00");
  EXPECT_EQ(LongTimeText(10, 20, 30), "10:20:30");
  EXPECT_EQ(LongTimeText(0, 0, 0), "00:00:00");

  // Durations as times of day, also across midnight.
  const struct {
    long seconds;
    const char* text;
  } cases[] = {{0, "00:00:00"}, {2, "00:00:02"}, {3661, "01:01:01"}, {86399, "23:59:59"},
               {86400, "00:00:00"}, {-1, "23:59:59"}, {-86401, "23:59:59"}};
  for (const auto& c : cases) EXPECT_EQ(LongTimeText(c.seconds), c.text) << c.seconds;
}

}  // namespace
