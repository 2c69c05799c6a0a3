// The prime search engine's computation: every prime of an interval of
// signed 64-bit integers (upper end at most 10^18), distributed over five
// report parts of at most 32000 numbers, with the research summary, the
// Legendre-Hadamard estimate and the twin-prime count. Values in, results
// out: the window shows what RunSearch returns and keeps TSearchState.
//
// The primes are exactly those the trial division of IsPrimeInt64 accepts,
// in the same order, but found by a segmented sieve (small ends) or a
// pre-sieve and the deterministic 64-bit test (high ends).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "numbers/progress/Progress.h"

constexpr int kSearchPartCount = 5;
constexpr std::size_t kSearchPartCapacity = 32000;
constexpr std::int64_t kSearchHighest = 1000000000000000000;  // 10^18

extern const char* const kSearchLimitMessage;    // more primes than the five parts hold
extern const char* const kTwinLowMemoryMessage;  // the twin count failed (two sentences, CR LF between)

// The engine's state between searches (the window's LowBound, HighBound,
// PartCount and report parts). Start values: all zero, parts empty.
struct TSearchState {
  std::int64_t lowBound = 0;
  std::int64_t highBound = 0;
  int partCount = 0;                                       // non-empty parts: parts 1 .. partCount
  std::array<std::vector<std::int64_t>, kSearchPartCount> parts;  // the primes, without the signature
};

// Where the summary's date and times come from; the window passes the
// system's clock and formats, tests pass fixed ones.
struct TSearchClock {
  std::string date;                               // today, in the system's short date format
  std::function<double()> now;                    // the time of day in seconds (0 when unset)
  std::function<std::string(double)> timeText;    // seconds as a time of day in the long time format
};                                                // (hh:mm:ss when unset)

struct TSearchRequest {
  std::string lowText;   // the "From :" field
  std::string highText;  // the "To :" field
  bool countTwins = false;        // the option "Count Twin prime #s"
  std::string decimalSeparator = ".";  // the system's, for estimates written in E notation
  TSearchClock clock;
  // Bytes the twin count may take for its copy of the results; above it the
  // count fails like on a machine out of memory (the window leaves it).
  std::size_t twinMemoryLimit = std::numeric_limits<std::size_t>::max();
};

struct TSearchOutcome {
  // The conversion failure for the error report ("'%s' is not a valid
  // integer value"). When set, only the state changed (parts emptied,
  // partCount 0, lowBound read when only the upper field failed) and the
  // window, besides the report, shows empty parts and "No item selected",
  // empties the value field and unchecks the save boxes of parts 2 to 5;
  // everything below is unset.
  std::string error;

  std::string lowText, highText;  // the fields' new texts, also added to their histories
  std::string caption;            // "Search Engine:  2 < Prime < 100"
  std::array<std::string, kSearchPartCount> tabCaptions;  // "Part 1/1" .. "Part 5/1"
  std::array<bool, kSearchPartCount> tabVisible{};        // tab k shown exactly when part k holds primes
  // The save boxes: IntroCheck, part1Check, then CheckBox1 .. CheckBox4 (parts 2 to 5).
  std::array<bool, kSearchPartCount + 1> saveChecks{};
  std::vector<std::string> summary;   // the lines of the research summary
  std::vector<std::string> messages;  // plain messages, in the order to show them
  bool limitReached = false;          // the limit message is among the messages
  std::int64_t twinCount = -1;        // -1 when the option was off
  bool disableTwinOption = false;     // uncheck "Count Twin prime #s" (the count failed)
  std::size_t primeCount = 0;         // primes stored in the five parts
};

// The search: reads and corrects the bounds, scans, fills the state and
// returns what the window shows. Long work reports to progress and stops
// with ECancelled when asked; the state is then left as it was.
TSearchOutcome RunSearch(const TSearchRequest& request, TSearchState& state, TProgress* progress = nullptr);

// The bounds after the corrections: high above 10^18 becomes 10^18, low
// above 10^18 - 1 becomes 10^18 - 1, a negative high becomes 3, low below 2
// becomes 2, and high below low becomes low + 1.
void CorrectSearchBounds(std::int64_t& low, std::int64_t& high);

// The entries of part (0-based, 0..4) as listed: its numbers, then the
// signature when the part holds any.
std::size_t SearchPartEntryCount(const TSearchState& state, int part);
std::string SearchPartEntry(const TSearchState& state, int part, std::size_t index);
std::vector<std::string> SearchPartLines(const TSearchState& state, int part);

// "00:00:05": seconds as hh:mm:ss, the default time format.
std::string ClockText(double seconds);
