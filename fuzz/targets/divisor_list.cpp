// The divisor list file loader on any content, checked against a model of
// its rules (lines at CR LF, CR or LF; depth by leading TABs or blanks; a
// line at most one level below the one before; the number is the first
// entry times its first child); and the divisor finder's field: the tree of
// the number typed, every entry checked, saved and loaded back unchanged.
// Input: the content; its first line is also the divisor finder's field.
#include <cmath>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "numbers/text/FormatGeneral.h"
#include "numbers/text/NumberText.h"
#include "tools/DivisorList.h"
#include "tools/Divisors.h"

using namespace fuzz;

namespace {

std::vector<std::string> SplitModel(const std::string& content) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\r\n";
  return s;
}

// The whole part of an exact decimal, 0 for a negative one, capped at 10^18.
std::uint64_t WholePart(const TDecimalText& d) {
  if (d.negative || d.digits.empty() || d.exponent < 0) return 0;
  if (d.exponent >= 18) return 1000000000000000000ULL;
  std::uint64_t n = 0;
  for (long i = 0; i <= d.exponent; ++i)
    n = n * 10 + (static_cast<std::size_t>(i) < d.digits.size() ? static_cast<std::uint64_t>(d.digits[i] - '0') : 0);
  return n;
}

void CheckTree(const TDivisorTree& tree, std::uint64_t n) {
  // Divisors d < sqrt(n) ascending, each with its cofactor, then the root.
  std::uint64_t last = 1;
  for (std::size_t i = 0; i < tree.size(); ++i) {
    const TTreeEntry& e = tree[i];
    FUZZ_CHECK(e.level == 0, "entry " << i << " level " << e.level);
    const std::size_t blank = e.text.find(' ');
    const std::uint64_t d = std::stoull(e.text.substr(0, blank));
    FUZZ_CHECK(d > last && n % d == 0, "entry " << e.text << " of " << n);
    last = d;
    if (e.image == kSquareRootImage) {
      FUZZ_CHECK(e.text == std::to_string(d) + " (Square root)" && static_cast<unsigned __int128>(d) * d == n &&
                     i + 1 == tree.size(),
                 "root entry " << e.text);
    } else {
      FUZZ_CHECK(e.image == kNoImage && e.text == std::to_string(d) && i + 1 < tree.size(), "entry " << e.text);
      FUZZ_CHECK(static_cast<unsigned __int128>(d) * d < n, "divisor above the root " << d);
      const TTreeEntry& c = tree[++i];
      FUZZ_CHECK(c.level == 1 && c.image == kCofactorImage &&
                     c.text == FormatGeneral(static_cast<long double>(n / d)),
                 "cofactor " << c.text << " of " << d);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 20000) return 0;
  const std::string content(reinterpret_cast<const char*>(data), size);
  const std::string path = "/tmp/list.txt";
  const std::string refused = "Sorry, the file: " + path + " is not compatible format !";

  const TDivisorLoadOutcome load = ParseDivisorList(content, path);
  const std::vector<std::string> lines = SplitModel(content);
  bool structure = !lines.empty();
  std::vector<std::string> texts;
  std::vector<int> levels;
  for (std::size_t i = 0; structure && i < lines.size(); ++i) {
    std::size_t depth = 0;
    while (depth < lines[i].size() && (lines[i][depth] == '\t' || lines[i][depth] == ' ')) ++depth;
    texts.push_back(lines[i].substr(depth));
    if (i == 0) depth = 0;
    else if (depth > static_cast<std::size_t>(levels.back()) + 1 || depth >= 256) structure = false;
    levels.push_back(static_cast<int>(depth));
  }
  bool ok = structure && lines.size() >= 2 && levels[1] == 1;
  std::optional<long double> a, b;
  if (ok) {
    a = ReadFloatText(texts[0]);
    b = ReadFloatText(texts[1]);
    ok = a && b && std::isfinite(*a * *b);
  }
  FUZZ_CHECK(load.ok == ok, "loaded " << load.ok);
  if (!ok) {
    FUZZ_CHECK(load.tree.empty() && load.message == refused, "refusal " << load.message);
  } else {
    FUZZ_CHECK(load.tree.size() == lines.size(), "entries " << load.tree.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
      FUZZ_CHECK(load.tree[i].text == texts[i] && load.tree[i].level == levels[i] && load.tree[i].image == 0,
                 "entry " << i);
    FUZZ_CHECK(load.fieldText == FormatGeneral(*a * *b), "field " << load.fieldText);
  }

  // The field: the first line read as a number, capped at 10^18.
  const std::string field = content.substr(0, content.find_first_of("\r\n"));
  const TDivisorOutcome found = FindDivisors(field);
  const std::optional<long double> v = ReadFloatText(field);
  FUZZ_CHECK(found.error.empty() == v.has_value(), "field error " << found.error);
  if (!v) return 0;
  const long double number = *v > 1e18L ? 1e18L : *v;
  // Fifteen digits rounded once from the exact text; the long double may
  // have rounded before (8610000074616544.99999999999 reads as ...545), so
  // its text may differ in the last digit, never by more.
  const std::optional<long double> shown = ReadFloatText(found.fieldText);
  FUZZ_CHECK(found.fieldText == FormatGeneral(number) ||
                 (shown && std::fabs(*shown - number) <= std::fabs(number) * 1e-14L),
             "field text " << found.fieldText);
  // The number searched is the whole part of the text as typed, exactly (a
  // long double would round 99999099999.999999999998 up to 99999100000).
  const std::uint64_t n = WholePart(*ReadDecimalText(field));
  if (n < 2) {
    FUZZ_CHECK(found.tree.empty() && !found.prime && found.resultLine == kDivisorsBelowTwo, "below two");
    return 0;
  }
  CheckTree(found.tree, n);
  FUZZ_CHECK(found.entryCount == found.tree.size(), "entry count");
  Mpz mn;
  mpz_import(mn.get(), 1, -1, sizeof n, 0, 0, &n);
  FUZZ_CHECK(found.prime == (mpz_probab_prime_p(mn.get(), 30) != 0), n << " prime " << found.prime);

  // Saved and loaded back: the same texts and levels.
  const std::vector<std::string> saved = DivisorListLines(found.tree);
  FUZZ_CHECK(saved.size() == found.tree.size(), "saved lines");
  const TDivisorLoadOutcome back = ParseDivisorList(Join(saved), path);
  FUZZ_CHECK(back.ok == (found.tree.size() >= 2 && found.tree[1].level == 1), "reload " << back.ok);
  if (back.ok) {
    for (std::size_t i = 0; i < found.tree.size(); ++i)
      FUZZ_CHECK(back.tree[i].text == found.tree[i].text && back.tree[i].level == found.tree[i].level,
                 "reloaded entry " << i);
  }
  return 0;
}
