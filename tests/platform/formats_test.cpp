// The texts the platform makes: the error report's full stop.
#include <gtest/gtest.h>

#include "QStringPrint.h"

#include "platform/Platform.h"

namespace {

struct Case {
  const char* in;
  const char* out;
};

TEST(WithFullStop, AddsAStopUnlessTheLastCharacterSortsAtOrBeforeIt) {
  const Case cases[] = {
      {".", "."},
      {" ", " "},
      {"!", "!"},
      {"abc", "abc."},
      {"", "."},
      {"Cancelled-", "Cancelled-"},
      {"'12a' is not a valid integer value", "'12a' is not a valid integer value."},
      {"Is it prime?", "Is it prime?."},  // '?' sorts after '.'
      {"Done)", "Done)"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithFullStop(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
  EXPECT_EQ(WithFullStop(QStringLiteral("é")), QStringLiteral("é."));
}

}  // namespace
