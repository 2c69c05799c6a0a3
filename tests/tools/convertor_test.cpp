#include <gtest/gtest.h>

#include "numbers/bigint/BigInt.h"
#include "tools/Convertor.h"

namespace {

const TConvertBoxes kAll{true, true, true};

TEST(Convertor, IntegerRow) {
  TConvertResult r = Convert(TConvertRow::Integer, "127", kAll);
  EXPECT_EQ(r.message, "");
  EXPECT_EQ(r.mersenne, "M7");
  EXPECT_EQ(r.fermat, "F2+110");
  EXPECT_EQ(r.integer, "");  // the source row is not rewritten

  r = Convert(TConvertRow::Integer, "100", TConvertBoxes{true, true, false});
  EXPECT_EQ(r.mersenne, "M7-27");
  EXPECT_EQ(r.fermat, "");   // unticked: emptied
}

TEST(Convertor, ExpressionRows) {
  TConvertResult r = Convert(TConvertRow::Mersenne, "m4-2", kAll);
  EXPECT_EQ(r.integer, "13");
  EXPECT_EQ(r.fermat, "F2-4");
  EXPECT_EQ(r.mersenne, "");

  r = Convert(TConvertRow::Mersenne, "M7", TConvertBoxes{false, true, true});
  EXPECT_EQ(r.integer, "");
  EXPECT_EQ(r.fermat, "F2+110");

  r = Convert(TConvertRow::Fermat, "F5", kAll);
  EXPECT_EQ(r.integer, "4294967297");
  EXPECT_EQ(r.mersenne, "M32+2");
  r = Convert(TConvertRow::Fermat, "F2+83", TConvertBoxes{true, false, true});
  EXPECT_EQ(r.integer, "100");
  EXPECT_EQ(r.mersenne, "");
}

TEST(Convertor, EmptySourcesDoNotFail) {
  TConvertResult r = Convert(TConvertRow::Integer, "", kAll);
  EXPECT_EQ(r.mersenne, "M0");
  EXPECT_EQ(r.fermat, "F0-3");
  for (TConvertRow row : {TConvertRow::Mersenne, TConvertRow::Fermat}) {
    r = Convert(row, "", kAll);
    EXPECT_EQ(r.message, "");
    EXPECT_EQ(r.integer, "0");
  }
}

TEST(Convertor, LengthLimits) {
  struct Case {
    TConvertRow row;
    std::string atLimit;
    const char* message;
  };
  const Case cases[] = {
      {TConvertRow::Integer, std::string(2500, '7'),
       "Please, note that integers with  more than 2500 digits are not supported yet."},
      {TConvertRow::Mersenne, "M7+" + std::string(197, '1'),
       "Please, the Mersenne expression may not exceed 200 characters."},
      {TConvertRow::Fermat, "F3+" + std::string(47, '1'),
       "Please, the Fermat expression may not exceed 50 characters."},
  };
  for (const Case& c : cases) {
    TConvertResult r = Convert(c.row, c.atLimit, kAll);
    EXPECT_EQ(r.message, "") << c.message;
    EXPECT_FALSE(r.integer.empty() && r.mersenne.empty()) << c.message;
    r = Convert(c.row, c.atLimit + "1", kAll);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.integer + r.mersenne + r.fermat, "");
  }
  // Characters, not bytes: 2500 two-byte letters are not too long.
  std::string letters;
  for (int i = 0; i < 2499; ++i) letters += "\xC3\xA9";
  EXPECT_EQ(Convert(TConvertRow::Integer, letters + "5", kAll).message, "");
}

TEST(Convertor, NotAnIntegerIsTheConversionError) {
  EXPECT_THROW(Convert(TConvertRow::Integer, "12a", kAll), EConvertError);
}

TEST(Convertor, LargestValuesFinishAndReadBack) {
  TConvertResult r = Convert(TConvertRow::Fermat, "F20", kAll);
  EXPECT_EQ(r.integer.size(), 315653U);
  EXPECT_EQ(r.integer.substr(0, 6), "674114");  // 2^1048576 + 1
  EXPECT_EQ(r.integer.substr(r.integer.size() - 4), "9137");
  EXPECT_EQ(r.mersenne, "M1048576+2");
  // That text is beyond the Mersenne reader's limit of 99999: 0.
  EXPECT_EQ(Convert(TConvertRow::Mersenne, r.mersenne, kAll).integer, "0");

  r = Convert(TConvertRow::Mersenne, "M99999", kAll);
  EXPECT_EQ(r.integer.size(), 30103U);
  EXPECT_EQ(r.integer.substr(r.integer.size() - 4), "4687");  // 2^99999 - 1
  EXPECT_EQ(r.fermat.substr(0, 20), "F16+4995010465071922");
  EXPECT_EQ(r.fermat.size(), 30107U);
  EXPECT_EQ(Convert(TConvertRow::Fermat, "F16", kAll).mersenne, "M65536+2");
}

TEST(Convertor, CancelStopsBetweenSteps) {
  TProgress progress;
  progress.Cancel();
  EXPECT_THROW(Convert(TConvertRow::Fermat, "F20", kAll, &progress), ECancelled);
  // A too long source is refused before any work.
  EXPECT_NO_THROW(Convert(TConvertRow::Fermat, std::string(51, '1'), kAll, &progress));
}

}  // namespace
