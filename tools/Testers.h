// The computations and texts of the main window's two testers: the
// decisions, the notebook reports, the duration of a test and the names of
// the files they save. Values in, texts out; the window does the rest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The generic decision on a typed text: leading junk is skipped, a '-' is a
// sign, and the verdict rests on the magnitude. Throws EConvertError when
// the text is not an integer.
bool DecideNumberText(const std::string& text);

// The p of the Mersenne tester: a signed 32-bit decimal integer with
// optional leading blanks and sign. Throws EConvertError otherwise (an empty
// text included), with the whole text in the message.
std::int32_t ReadExponentText(const std::string& text);

constexpr std::int32_t kMaxMersenneExponent = 99999;

// Milliseconds from start to now, both times of day. A test that runs across
// midnight gives the duration modulo one day instead of a negative time.
int DurationOfDay(int startMs, int nowMs);

// The six lines of a generic test's notebook report.
std::vector<std::string> NumberReportLines(const std::string& dateTime, const std::string& text,
                                           const std::string& duration, bool prime);

// The seven lines of a Mersenne test's notebook report.
std::vector<std::string> MersenneReportLines(const std::string& dateTime, const std::string& exponentText,
                                             const std::string& duration, bool prime, bool certified);

// The results panel's line for a Mersenne test, e.g. "127th Mersenne number is Prime".
std::string MersenneVerdictLine(const std::string& exponentText, bool prime);

// "Mersenne" + (rowCount + 2) + " certificate.txt".
std::string CertificateFileName(std::int64_t rowCount);

// A date-and-time text made fit for a file name: the characters that file
// systems refuse (/ \ : * ? " < > |) become '-'.
std::string FileNameOfText(const std::string& text);
