// The Super Modulo: RunModulo on any factor text, count and expression,
// against a model of the rewriting on GMP values; and the two chunked
// powers against mpz_powm. Input: factor text, a line break, the number of
// further factors (its digits taken modulo 4), a line break, the expression.
#include <climits>
#include <optional>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/Modulo.h"

using namespace fuzz;

namespace {

Mpz Residue(const Mpz& x, const Mpz& m) {
  Mpz r;
  mpz_mod(r.get(), x.get(), m.get());
  return r;
}

// The residue text of one expression, or nothing when the rewriting ends
// on a text that is not one integer or an exponent of 150 * 2^63 or more.
// unsure: the final text is no plain integer, whose reading is open.
std::optional<std::string> Reduce(const std::string& expression, const Mpz& m, bool& unsure) {
  unsure = false;
  std::string s;
  for (char c : expression)
    if (c != ' ' && c != '\t') s += c;
  for (char op : {'^', '*', '+', '-'}) {
    for (;;) {
      const std::size_t p = s.find(op);
      if (p == std::string::npos) break;
      std::size_t begin = p;
      while (begin > 0 && IsDigit(s[begin - 1])) --begin;
      std::size_t end = p + 1;
      while (end < s.size() && IsDigit(s[end])) ++end;
      if (op == '-' && begin == p) break;
      const Mpz a = MpzFromDigits(s.substr(begin, p - begin));
      const Mpz b = MpzFromDigits(s.substr(p + 1, end - p - 1));
      Mpz v;
      switch (op) {
        case '^': {
          Mpz q;
          mpz_fdiv_q_ui(q.get(), b.get(), 150);
          if (!mpz_fits_slong_p(q.get())) return std::nullopt;
          mpz_powm(v.get(), a.get(), b.get(), m.get());
          break;
        }
        case '*': mpz_mul(v.get(), Residue(a, m).get(), Residue(b, m).get()); break;
        case '+': mpz_add(v.get(), Residue(a, m).get(), Residue(b, m).get()); break;
        default: mpz_sub(v.get(), Residue(a, m).get(), Residue(b, m).get()); break;
      }
      s.replace(begin, end - begin, v.Str());
    }
  }
  std::size_t i = s.empty() || s[0] != '-' ? 0 : 1;
  bool plain = i < s.size();
  for (std::size_t k = i; k < s.size(); ++k)
    if (!IsDigit(s[k])) plain = false;
  if (!plain) {
    unsure = true;
    return std::nullopt;
  }
  Mpz v;
  mpz_set_str(v.get(), s.c_str(), 10);
  return Residue(v, m).Str();
}

std::string Line(const std::string& text, std::size_t& pos) {
  const std::size_t nl = text.find('\n', pos);
  const std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
  pos = nl == std::string::npos ? text.size() : nl + 1;
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 300) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t pos = 0;
  const std::string factorText = Line(text, pos);
  const std::string countText = Line(text, pos);
  const std::string expression = text.substr(pos);
  int count = 0;
  for (char c : countText)
    if (IsDigit(c)) count = (count * 10 + (c - '0')) % 4;

  const TModuloRun run = RunModulo(expression, factorText, count);
  const std::optional<long long> factor = ReadSigned64(factorText);
  FUZZ_CHECK(run.factorRead == factor.has_value(), "factor read " << run.factorRead);
  if (!factor) {
    FUZZ_CHECK(!run.error.empty() && run.lines.empty() && !run.computed, "bad factor accepted");
    return 0;
  }
  FUZZ_CHECK(run.startFactor == *factor, "start factor " << run.startFactor);
  if (*factor <= 0) {
    FUZZ_CHECK(!run.computed && run.lines.empty() && run.error.empty(), "factor below 1 computed");
    return 0;
  }
  if (!IsModuloExpressionText(expression) ||
      expression.find_first_not_of(" \t") == std::string::npos) {
    FUZZ_CHECK(!run.message.empty() && run.lines.empty(), "bad expression computed");
    return 0;
  }
  FUZZ_CHECK(run.computed && run.message.empty(), "not computed");

  Mpz m(static_cast<long>(*factor));
  std::size_t k = 0;
  for (; k <= static_cast<std::size_t>(count); ++k, mpz_add_ui(m.get(), m.get(), 1)) {
    bool unsure = false;
    const std::optional<std::string> want = Reduce(expression, m, unsure);
    if (!want && !unsure) {
      FUZZ_CHECK(run.lines.size() == k && !run.error.empty(), "line " << k << " should fail");
      return 0;
    }
    if (unsure) {
      if (run.lines.size() == k) {
        FUZZ_CHECK(!run.error.empty(), "lines end without an error");
        return 0;
      }
      // Read as some value: it must be a residue.
      const std::string& got = run.lines[k];
      FUZZ_CHECK(!got.empty() && got.find_first_not_of("0123456789") == std::string::npos &&
                     mpz_cmp(MpzFromDigits(got).get(), m.get()) < 0,
                 "line " << k << " " << got);
      continue;
    }
    FUZZ_CHECK(k < run.lines.size(), "line " << k << " missing: " << run.error);
    FUZZ_CHECK(run.lines[k] == *want, "line " << k << " " << run.lines[k] << " want " << *want);
  }
  FUZZ_CHECK(run.lines.size() == k && run.error.empty(), "lines " << run.lines.size() << " error " << run.error);

  // The two powers agree with GMP for exponents the chunks handle quickly.
  if (size >= 8) {
    TInput in(data, size);
    const TBigInt b = BigFromBytes(in.Bytes(6), data[0] & 1);
    const long e = in.U16() % 3000;
    const Mpz mm(static_cast<long>(1 + (in.U64() >> 4)));
    Mpz want;
    const Mpz mb = ToMpz(b);
    mpz_powm_ui(want.get(), mb.get(), static_cast<unsigned long>(e), mm.get());
    const TBigInt bm = FromMpz(mm), be = BigIntFromInt64(e);
    FUZZ_CHECK_VALUE(PowerModChunked(b, be, bm), want);
    FUZZ_CHECK_VALUE(PowerModFast(b, be, bm), want);
  }
  return 0;
}
