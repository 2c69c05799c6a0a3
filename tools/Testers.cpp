#include "tools/Testers.h"

#include <limits>

#include "numbers/bigint/BigInt.h"
#include "numbers/text/NumberText.h"
#include "numbers/primality/Primality.h"

bool DecideNumberText(const std::string& text) {
  TBigInt n;
  DecimalToBigInt(text, n);
  return IsPrimeNumber(n);
}

std::int32_t ReadExponentText(const std::string& text) {
  const std::optional<std::int64_t> v = ReadInt64Text(text);
  if (!v || *v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
    throw EConvertError::NotInteger(text);
  return static_cast<std::int32_t>(*v);
}

int DurationOfDay(int startMs, int nowMs) {
  constexpr int kDay = 24 * 60 * 60 * 1000;
  const int d = (nowMs - startMs) % kDay;
  return d < 0 ? d + kDay : d;
}

std::vector<std::string> NumberReportLines(const std::string& dateTime, const std::string& text,
                                           const std::string& duration, bool prime) {
  return {"Date & time: " + dateTime,
          "Tested Number: " + text,
          "Duration of test: " + duration,
          prime ? "Results: Prime" : "Results: Composite",
          "Comments: ",
          ""};
}

std::vector<std::string> MersenneReportLines(const std::string& dateTime, const std::string& exponentText,
                                             const std::string& duration, bool prime, bool certified) {
  return {"Date & time: " + dateTime,
          "Tested Number: The " + exponentText + "th number of Mersenne",
          "Duration of test: " + duration,
          prime ? "Results: Prime" : "Results: Composite",
          certified ? "The Certificate was created." : "Certificate was not created.",
          "Comments: ",
          ""};
}

std::string MersenneVerdictLine(const std::string& exponentText, bool prime) {
  return exponentText + (prime ? "th Mersenne number is Prime" : "th Mersenne number is Composite");
}

std::string CertificateFileName(std::int64_t rowCount) {
  return "Mersenne" + std::to_string(rowCount + 2) + " certificate.txt";
}

std::string FileNameOfText(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    switch (c) {
      case '/': case '\\': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        c = '-';
        break;
      default:
        break;
    }
  return out;
}
