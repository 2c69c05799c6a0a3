#include <gtest/gtest.h>

#include "numbers/bigint/BigInt.h"
#include "tools/RichText.h"
#include "tools/Testers.h"

namespace {

TEST(Testers, DecideNumberText) {
  struct Case {
    const char* text;
    bool prime;
  };
  const Case cases[] = {{"0", false}, {"1", false},  {"2", true},   {"-2", true},   {"-1", false},
                        {"-4", false}, {"97", true}, {"abc13", true}, {"007", true}, {"-7", true},
                        {"1000000007", true}, {"170141183460469231731687303715884105727", true},
                        {"170141183460469231731687303715884105729", false}};
  for (const Case& c : cases) EXPECT_EQ(DecideNumberText(c.text), c.prime) << c.text;
  try {
    DecideNumberText("12a3");
    FAIL() << "12a3 was accepted";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12a3' is not a valid integer value");
  }
}

TEST(Testers, ReadExponentText) {
  EXPECT_EQ(ReadExponentText("07"), 7);
  EXPECT_EQ(ReadExponentText("-5"), -5);
  EXPECT_EQ(ReadExponentText("100000"), 100000);
  EXPECT_EQ(ReadExponentText(" 12"), 12);
  for (const char* bad : {"", "abc", "1e3", "12 ", "2147483648", "7x"}) {
    try {
      ReadExponentText(bad);
      ADD_FAILURE() << bad << " was accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(Testers, DurationAcrossMidnightIsTakenModuloADay) {
  const int day = 86400000;
  EXPECT_EQ(DurationOfDay(1000, 3500), 2500);
  EXPECT_EQ(DurationOfDay(5000, 5000), 0);
  EXPECT_EQ(DurationOfDay(day - 1000, 2000), 3000);
}

TEST(Testers, ReportsAndNames) {
  const std::vector<std::string> generic = {"Date & time: 11/12/2026 10:20:30", "Tested Number: 97",
                                            "Duration of test: 00:00:00", "Results: Prime", "Comments: ", ""};
  EXPECT_EQ(NumberReportLines("11/12/2026 10:20:30", "97", "00:00:00", true), generic);
  const auto mersenne = MersenneReportLines("d t", "11", "00:00:01", false, false);
  ASSERT_EQ(mersenne.size(), 7u);
  EXPECT_EQ(mersenne[1], "Tested Number: The 11th number of Mersenne");
  EXPECT_EQ(mersenne[3], "Results: Composite");
  EXPECT_EQ(mersenne[4], "Certificate was not created.");
  EXPECT_EQ(MersenneReportLines("d t", "7", "x", true, true)[4], "The Certificate was created.");
  EXPECT_EQ(MersenneVerdictLine("127", true), "127th Mersenne number is Prime");
  EXPECT_EQ(MersenneVerdictLine("2", false), "2th Mersenne number is Composite");
  EXPECT_EQ(CertificateFileName(125), "Mersenne127 certificate.txt");
  EXPECT_EQ(CertificateFileName(0), "Mersenne2 certificate.txt");
  EXPECT_EQ(FileNameOfText("11/12/2026 10:20:30"), "11-12-2026 10-20-30");
  EXPECT_EQ(FileNameOfText("a\\b*c?d\"e<f>g|h"), "a-b-c-d-e-f-g-h");
}

TEST(Testers, RichTextEscapesWhatRtfReserves) {
  const std::string doc = RichTextDocument("a{b}\\c\nn\xC3\xA9");
  EXPECT_EQ(doc.rfind("{\\rtf1", 0), 0u);
  EXPECT_NE(doc.find("a\\{b\\}\\\\c\\par\r\nn\\u233?"), std::string::npos);
  EXPECT_EQ(doc.substr(doc.size() - 3), "}\r\n");
}

}  // namespace
