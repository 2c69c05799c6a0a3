#include <gtest/gtest.h>

#include <string>

#include "tools/ErrorText.h"

namespace {

TEST(WithFullStop, AddsAStopUnlessTheLastCharacterSortsAtOrBeforeIt) {
  struct Case {
    const char *in, *out;
  } const cases[] = {
      {".", "."},
      {" ", " "},
      {"!", "!"},
      {"abc", "abc."},
      {"", "."},
      {"Cancelled-", "Cancelled-"},
      {"'12a' is not a valid integer value", "'12a' is not a valid integer value."},
      {"Is it prime?", "Is it prime?."},  // '?' sorts after '.'
      {"Done)", "Done)"},
      {"\xc3\xa9", "\xc3\xa9."},  // a letter beyond ASCII is a letter too
  };
  for (const Case& c : cases) EXPECT_EQ(WithFullStop(c.in), c.out) << c.in;
}

}  // namespace
