// The prime search engine's run on any two field texts: the fields read as
// signed 64-bit integers (or refused with the conversion message), the
// bounds corrected, and the five parts holding exactly the first 160000
// primes of the interval, with the summary, the tabs and the twin count to
// match. Intervals are kept to those an oracle covers quickly: upper ends
// up to three million (a sieve here), or any 20000 numbers (GMP).
// Input: low field, line break, high field, line break, "t" for twins.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tools/Search.h"

using namespace fuzz;

namespace {

std::string Line(const std::string& text, std::size_t& pos) {
  const std::size_t nl = text.find('\n', pos);
  const std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
  pos = nl == std::string::npos ? text.size() : nl + 1;
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 200) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t pos = 0;
  TSearchRequest request;
  request.lowText = Line(text, pos);
  request.highText = Line(text, pos);
  request.countTwins = Line(text, pos) == "t";

  const std::optional<long long> low = ReadSigned64(request.lowText), high = ReadSigned64(request.highText);
  long long lo = 0, hi = 0;
  if (low && high) {
    // The corrections, in their order.
    lo = *low;
    hi = *high;
    if (hi > 1000000000000000000LL) hi = 1000000000000000000LL;
    if (lo > 999999999999999999LL) lo = 999999999999999999LL;
    if (hi < 0) hi = 3;
    if (lo < 2) lo = 2;
    if (lo > hi) hi = lo + 1;
    if (hi > 3000000 && hi - lo > 20000) return 0;  // no quick oracle
  }

  TSearchState state;
  state.parts[0] = {5, 7};
  state.partCount = 1;
  const TSearchOutcome out = RunSearch(request, state);
  if (!low || !high) {
    const std::string bad = low ? request.highText : request.lowText;
    FUZZ_CHECK(out.error == "'" + bad + "' is not a valid integer value", "error " << out.error);
    FUZZ_CHECK(state.partCount == 0 && state.parts[0].empty(), "parts kept after a refusal");
    return 0;
  }
  FUZZ_CHECK(out.error.empty(), "error " << out.error);
  FUZZ_CHECK(state.lowBound == lo && state.highBound == hi, "bounds " << state.lowBound << " " << state.highBound);
  FUZZ_CHECK(out.lowText == std::to_string(lo) && out.highText == std::to_string(hi), "field texts");

  std::vector<long long> want;
  const std::size_t capacity = 5 * 32000;
  if (hi <= 3000000) {
    std::vector<bool> composite(static_cast<std::size_t>(hi) + 1);
    for (long long p = 2; p <= hi && want.size() < capacity; ++p) {
      if (composite[p]) continue;
      if (p >= lo) want.push_back(p);
      for (long long q = p * p; q <= hi; q += p) composite[q] = true;
    }
  } else {
    Mpz k;
    for (long long n = lo; n <= hi && want.size() < capacity; ++n) {
      mpz_set_si(k.get(), n);
      if (mpz_probab_prime_p(k.get(), 25)) want.push_back(n);
    }
  }
  const bool over = [&] {
    if (want.size() < capacity) return false;
    for (long long n = want.back() + 1; n <= hi; ++n) {
      Mpz k(static_cast<long>(n));
      if (mpz_probab_prime_p(k.get(), 25)) return true;
    }
    return false;
  }();

  std::vector<long long> got;
  int nonEmpty = 0;
  for (int k = 0; k < kSearchPartCount; ++k) {
    FUZZ_CHECK(state.parts[k].size() <= kSearchPartCapacity, "part " << k << " overfull");
    FUZZ_CHECK(k == 0 || state.parts[k].empty() || state.parts[k - 1].size() == kSearchPartCapacity,
               "part " << k << " filled early");
    if (!state.parts[k].empty()) nonEmpty = k + 1;
    got.insert(got.end(), state.parts[k].begin(), state.parts[k].end());
  }
  FUZZ_CHECK(got == std::vector<long long>(want.begin(), want.end()), "primes " << got.size() << " want " << want.size());
  FUZZ_CHECK(state.partCount == nonEmpty && out.primeCount == want.size(), "counts");
  FUZZ_CHECK(out.limitReached == over, "limit " << out.limitReached);
  for (int k = 0; k < kSearchPartCount; ++k) {
    FUZZ_CHECK(out.tabCaptions[k] == "Part " + std::to_string(k + 1) + "/" + std::to_string(nonEmpty), "caption");
    FUZZ_CHECK(out.tabVisible[k] == !state.parts[k].empty(), "tab " << k);
  }
  const auto has = [&](const std::string& line) {
    return std::find(out.summary.begin(), out.summary.end(), line) != out.summary.end();
  };
  FUZZ_CHECK(has("From: " + std::to_string(lo)) && has("To:    " + std::to_string(hi)), "summary bounds");
  FUZZ_CHECK(has(" ==> " + std::to_string(want.size()) + " prime number(s) were found."), "summary count");
  if (request.countTwins) {
    long long twins = 0;
    for (std::size_t i = 1; i < want.size(); ++i) twins += want[i] - want[i - 1] == 2;
    FUZZ_CHECK(out.twinCount == twins, "twins " << out.twinCount << " want " << twins);
  } else {
    FUZZ_CHECK(out.twinCount == -1, "twins counted without the option");
  }
  return 0;
}
