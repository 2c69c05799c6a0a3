#include "tools/Search.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "numbers/text/FormatGeneral.h"
#include "numbers/int64/Int64Primes.h"
#include "numbers/text/NumberText.h"
#include "numbers/int64/PrimeRange.h"

const char* const kSearchLimitMessage = "Sorry, you reached the highest limit of Calvenna !";
const char* const kTwinLowMemoryMessage =
    "The Twin prime numbers' counter cannot proceed because of low free memory on your computer.\r\n"
    "This feature will be disabled now for more security. But you can activate it again whenever you "
    "want from the Options dialog box.";

namespace {

// Ends every non-empty part.
const char* const kSearchSignature = "Created by Calvenna";

constexpr double kDaySeconds = 24 * 60 * 60;

std::string NotInteger(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

struct TClock {
  const TSearchClock& c;
  double Now() const { return c.now ? c.now() : 0; }
  std::string Text(double seconds) const { return c.timeText ? c.timeText(seconds) : ClockText(seconds); }
};

// The twin count over the whole result, part boundaries included. The copy
// of the results it needs is what may not fit; then the caller disables
// the option.
std::optional<std::int64_t> CountTwins(const TSearchState& s, std::size_t memoryLimit) {
  try {
    std::size_t total = 0;
    for (const auto& part : s.parts) total += part.size();
    if (total > memoryLimit / sizeof(std::int64_t)) return std::nullopt;
    TPrimeArray all;
    all.reserve(total);
    for (const auto& part : s.parts) all.insert(all.end(), part.begin(), part.end());
    return CountTwinPrimes(all);
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace

std::string ClockText(double seconds) {
  long s = static_cast<long>(std::floor(seconds));
  s = ((s % 86400) + 86400) % 86400;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

void CorrectSearchBounds(std::int64_t& low, std::int64_t& high) {
  if (high > kSearchHighest) high = kSearchHighest;
  if (low > kSearchHighest - 1) low = kSearchHighest - 1;
  if (high < 0) high = 3;
  if (low < 2) low = 2;
  if (low > high) high = low + 1;
}

TSearchOutcome RunSearch(const TSearchRequest& request, TSearchState& state, TProgress* progress) {
  TSearchOutcome out;
  const std::optional<std::int64_t> low = ReadInt64Text(request.lowText);
  const std::optional<std::int64_t> high = low ? ReadInt64Text(request.highText) : std::nullopt;
  if (!low || !high) {
    // The parts are emptied before the fields are read. partCount follows
    // them, so a later save cannot replace good files by empty ones.
    for (auto& part : state.parts) part.clear();
    state.partCount = 0;
    if (low) state.lowBound = *low;
    out.error = NotInteger(low ? request.highText : request.lowText);
    return out;
  }

  TSearchState s;
  s.lowBound = *low;
  s.highBound = *high;
  CorrectSearchBounds(s.lowBound, s.highBound);
  out.lowText = std::to_string(s.lowBound);
  out.highText = std::to_string(s.highBound);
  out.caption = "Search Engine:  " + out.lowText + " < Prime < " + out.highText;

  const TClock clock{request.clock};
  out.summary.push_back("Search date: " + request.clock.date);
  const double start = clock.Now();
  out.summary.push_back("Start: " + clock.Text(start));

  // One prime beyond the five parts tells that the limit was reached.
  const std::size_t capacity = kSearchPartCount * kSearchPartCapacity;
  std::vector<std::uint64_t> primes = PrimesInRange(static_cast<std::uint64_t>(s.lowBound),
                                                    static_cast<std::uint64_t>(s.highBound), capacity + 1, progress);
  if (primes.size() > capacity) {
    primes.resize(capacity);
    out.limitReached = true;
    out.messages.push_back(kSearchLimitMessage);
  }
  out.primeCount = primes.size();
  for (std::size_t i = 0; i < primes.size(); ++i)
    s.parts[i / kSearchPartCapacity].push_back(static_cast<std::int64_t>(primes[i]));
  for (int k = 0; k < kSearchPartCount; ++k)
    if (!s.parts[k].empty()) s.partCount = k + 1;

  const std::string count = std::to_string(s.partCount);
  for (int k = 0; k < kSearchPartCount; ++k) {
    out.tabVisible[k] = !s.parts[k].empty();
    out.tabCaptions[k] = "Part " + std::to_string(k + 1) + "/" + count;
  }

  const double end = clock.Now();
  double elapsed = end - start;
  if (elapsed < 0) elapsed += kDaySeconds;  // the search ran past midnight
  auto& sum = out.summary;
  sum.push_back("End: " + clock.Text(end));
  sum.push_back("Duration: " + clock.Text(elapsed));
  sum.push_back("");
  sum.push_back("From: " + out.lowText);
  sum.push_back("To:    " + out.highText);
  sum.push_back("");
  sum.push_back("The results are:");
  for (int k = 0; k < s.partCount; ++k)
    sum.push_back(" Part " + std::to_string(k + 1) + ":   " + std::to_string(s.parts[k].front()) + " - " +
                  std::to_string(s.parts[k].back()));
  sum.push_back("");
  sum.push_back(" ==> " + std::to_string(out.primeCount) + " prime number(s) were found.");
  sum.push_back("");
  sum.push_back("The estimation was: ");
  sum.push_back("Legendre-Hadamard: ");
  const long double estimate =
      EstimatePrimeCount(static_cast<long double>(s.lowBound), static_cast<long double>(s.highBound));
  sum.push_back(" " + FormatGeneral(estimate, request.decimalSeparator) + " prime number(s) to be found.");
  sum.push_back("");

  if (request.countTwins) {
    const std::optional<std::int64_t> twins = CountTwins(s, request.twinMemoryLimit);
    if (!twins) {
      out.messages.push_back(kTwinLowMemoryMessage);
      out.disableTwinOption = true;
    }
    out.twinCount = twins.value_or(0);
    sum.push_back("There are " + std::to_string(out.twinCount) + " Twin Prime #s.");
  }

  out.saveChecks[0] = true;
  out.saveChecks[1] = true;
  for (int k = 1; k < kSearchPartCount; ++k) out.saveChecks[k + 1] = !s.parts[k].empty();
  state = std::move(s);
  return out;
}

std::size_t SearchPartEntryCount(const TSearchState& state, int part) {
  const std::size_t n = state.parts[part].size();
  return n == 0 ? 0 : n + 1;
}

std::string SearchPartEntry(const TSearchState& state, int part, std::size_t index) {
  const auto& numbers = state.parts[part];
  return index < numbers.size() ? std::to_string(numbers[index]) : std::string(kSearchSignature);
}

std::vector<std::string> SearchPartLines(const TSearchState& state, int part) {
  std::vector<std::string> lines;
  const std::size_t count = SearchPartEntryCount(state, part);
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) lines.push_back(SearchPartEntry(state, part, i));
  return lines;
}
