#include "tools/Splitter.h"

#include "numbers/bigint/BigInt.h"
#include "numbers/factor/Factorizer.h"
#include "numbers/primality/Primality.h"

const char* const kSplitterStatusTitle = "Status";
const char* const kSplitterFactorTitle = "Factor";

namespace {

// In the order of TSplitterMethod.
const TSplitterMethodSettings kMethods[3] = {
    {"Splitter: Factorization", 40, " < e40", true, 100},
    {"Splitter: Sample divisor", 50, " < e50", true, 110},
    {"Splitter: Prime Generator", 40, " < e40", false, 65},
};

bool AboveOne(const TBigInt& n) { return BigIntCompareMagnitude(n, BigIntFromInt64(1)) == foGreater; }

// The Splitter always searches with Pollard's rho from 3 with c = -1 first,
// so small factors come out as they always did; past its budget the curves
// and the quadratic sieve finish the search. A magnitude of 1 means none.
TBigInt SearchFactor(const TBigInt& n, TProgress* progress) {
  TBigInt f;
  if (FindFactor(n, f, progress)) return f;
  return BigIntFromInt64(1);
}

TSplitterResult Factorise(TBigInt n, bool math, TProgress* progress) {
  std::vector<std::string> factors;
  while (!IsPrimeNumber(n)) {
    CheckCancelled(progress);
    ReportProgress(progress, -1.0, "Searching factor " + std::to_string(factors.size() + 1) + "...");
    const TBigInt f = SearchFactor(n, progress);
    if (!AboveOne(f)) break;
    DivideBigInt(n, f, n);
    factors.push_back(BigIntToDecimal(f));
  }
  if (AboveOne(n)) factors.push_back(BigIntToDecimal(n));

  TSplitterResult result;
  for (std::size_t i = 0; i < factors.size(); ++i) {
    const bool prime = IsPrimeNumber(BigIntFromDecimal(factors[i]));
    result.rows.push_back({"factor" + std::to_string(i + 1) + " is " + (prime ? "Prime" : "Composite"),
                           factors[i]});
    if (math) result.math += (i ? "*" : "") + factors[i];
  }
  return result;
}

TSplitterResult SampleFactor(const TBigInt& n, bool math, TProgress* progress) {
  // A prime has no factor to search: it is shown as its own factor.
  TBigInt f = n;
  if (!IsPrimeNumber(n)) {
    CheckCancelled(progress);
    ReportProgress(progress, -1.0, "Searching a factor...");
    f = SearchFactor(n, progress);
  }
  TSplitterResult result;
  const std::string text = BigIntToDecimal(f);
  result.rows.push_back({IsPrimeNumber(f) ? "Factor is Prime" : "Factor is Composite", text});
  if (math) result.math = text + " * Other factor";
  return result;
}

TSplitterResult NextPrime(const TBigInt& n, bool math, TProgress* progress) {
  ReportProgress(progress, -1.0, "Searching the next prime...");
  TBigInt p = n;
  NextPrimeBigInt(p);
  TSplitterResult result;
  const std::string text = BigIntToDecimal(p);
  result.rows.push_back({"Next prime is", text});
  if (math) result.math = text;
  TBigInt d;
  SubtractBigInt(p, n, d);
  result.rows.push_back({"Difference", BigIntToDecimal(d)});
  return result;
}

}  // namespace

const TSplitterMethodSettings& SplitterMethodSettings(TSplitterMethod method) {
  return kMethods[static_cast<int>(method)];
}

TSplitterMethod SplitterMethodOfItem(int item) {
  if (item == 0) return TSplitterMethod::Factorization;
  if (item == 1) return TSplitterMethod::SampleDivisor;
  return TSplitterMethod::NextPrime;
}

std::string AnalyseButtonHint(TSplitterMethod method, const std::string& entry) {
  if (entry.empty()) return "Type a number, select a method then click here";
  static const char* const kLead[3] = {"Get the complete factorization of", "Get a sample divisor for",
                                       "Reach for the next prime after"};
  return std::string(kLead[static_cast<int>(method)]) + "\n\r" + entry;
}

bool SplitterEntry(const std::string& text, std::string& historyText) {
  TBigInt n;
  DecimalToBigInt(text, n);
  if (!AboveOne(n)) return false;
  historyText = BigIntToDecimal(n);
  return true;
}

TSplitterResult Analyse(TSplitterMethod method, const std::string& text, bool mathExpression, TProgress* progress) {
  TBigInt n;
  DecimalToBigInt(text, n);
  if (!AboveOne(n)) return {};
  switch (method) {
    case TSplitterMethod::Factorization: return Factorise(n, mathExpression, progress);
    case TSplitterMethod::SampleDivisor: return SampleFactor(n, mathExpression, progress);
    case TSplitterMethod::NextPrime: break;
  }
  return NextPrime(n, mathExpression, progress);
}
