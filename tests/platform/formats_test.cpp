// The texts the platform makes: the error report's full stop and the long
// time format without its time zone.
#include <gtest/gtest.h>

#include "QStringPrint.h"

#include "platform/Platform.h"
#include "platform/TimeFormat.h"

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

TEST(WithoutTimeZone, DropsTheZoneFieldWithItsBracketsAndSeparators) {
  // Long time formats of real locales, and the odd cases around them.
  const Case cases[] = {
      {"HH:mm:ss t", "HH:mm:ss"},                              // C, de
      {"h:mm:ss AP t", "h:mm:ss AP"},                          // en_US
      {"HH:mm:ss", "HH:mm:ss"},                                // nothing to drop
      {"t HH:mm:ss", "HH:mm:ss"},                              // my_MM
      {"t APh:mm:ss", "APh:mm:ss"},                            // zh_HK
      {"H:mm:ss (t)", "H:mm:ss"},                              // ca_ES
      {"APh:mm:ss [t]", "APh:mm:ss"},                          // yue_HK
      {"HH:mm:ss, t", "HH:mm:ss"},                             // be_BY
      {"h:mm:ss AP, t", "h:mm:ss AP"},                         // sq_AL
      {"H 'h' mm 'min' ss 's' t", "H 'h' mm 'min' ss 's'"},   // fr_BE
      {"'kl'. HH:mm:ss t", "'kl'. HH:mm:ss"},                  // nn_NO
      {"H:mm:ss 'ч'. t", "H:mm:ss 'ч'."},                      // bg_BG
      {"H時mm分ss秒 t", "H時mm分ss秒"},                        // ja_JP
      {"HH:mm:ss tttt", "HH:mm:ss"},                           // longer zone fields
      {"HH:mm t ss", "HH:mm ss"},                              // between two fields
      {"HH:mm:ss\u00a0t", "HH:mm:ss"},                         // no-break space
      {"HH:mm:ss 'at' t", "HH:mm:ss 'at'"},                    // 't' inside quotes stays
      {"HH:mm:ss 'o''clock' t", "HH:mm:ss 'o''clock'"},        // escaped quote inside quotes
      {"HH''mm t", "HH''mm"},                                  // escaped quote outside quotes
      {"t", ""},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithoutTimeZone(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

}  // namespace
