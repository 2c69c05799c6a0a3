// TBigInt beside GMP in the same run: decimal parse and print, multiply,
// square and divmod at 10, 100, 1000 and 3000 digits of base 2^31 (multiply
// and square also at 20000 and 100000), and the decimal texts of
// F20 = 2^(2^20) + 1 and of a 44497-bit residue. After the run a table gives
// our time over GMP's for each row (CPU time), from the measured results.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "numbers/bigint/BigInt.h"

namespace {

const int kSizes[] = {10, 100, 1000, 3000};
// Products and squares also where the transform takes over (about 9700 and
// 48000 limbs).
const int kLargeSizes[] = {20000, 100000};

// A random number of exactly n digits in base 2^31, as decimal text.
std::string RandomDecimal(int n, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  TBigInt a;
  a.Cells.assign(static_cast<std::size_t>(n) + 1, 0);
  a.Cells[0] = n;
  for (int i = 1; i <= n; ++i) a.Cells[i] = static_cast<std::int64_t>(rng() & 0x7FFFFFFF);
  if (a.Cells[n] == 0) a.Cells[n] = 1;
  return BigIntToDecimal(a);
}

struct Operands {
  std::string text, text2, textLong;
  TBigInt a, b, c;  // n, n and 2n digits
  mpz_t ga, gb, gc;
  explicit Operands(int n) {
    text = RandomDecimal(n, static_cast<std::uint64_t>(n));
    text2 = RandomDecimal(n, static_cast<std::uint64_t>(n) + 1);
    textLong = RandomDecimal(2 * n, static_cast<std::uint64_t>(n) + 2);
    a = BigIntFromDecimal(text);
    b = BigIntFromDecimal(text2);
    c = BigIntFromDecimal(textLong);
    mpz_inits(ga, gb, gc, nullptr);
    mpz_set_str(ga, text.c_str(), 10);
    mpz_set_str(gb, text2.c_str(), 10);
    mpz_set_str(gc, textLong.c_str(), 10);
  }
};

Operands& For(int n) {
  static std::map<int, Operands*> cache;
  auto it = cache.find(n);
  if (it == cache.end()) it = cache.emplace(n, new Operands(n)).first;
  return *it->second;
}

void OursParse(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  TBigInt r;
  for (auto _ : st) {
    DecimalToBigInt(o.text, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}
void GmpParse(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  mpz_t r;
  mpz_init(r);
  for (auto _ : st) {
    mpz_set_str(r, o.text.c_str(), 10);
    benchmark::DoNotOptimize(r->_mp_d);
  }
  mpz_clear(r);
}
void OursPrint(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(BigIntToDecimal(o.a));
}
void GmpPrint(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  std::vector<char> buf(mpz_sizeinbase(o.ga, 10) + 2);
  for (auto _ : st) benchmark::DoNotOptimize(mpz_get_str(buf.data(), 10, o.ga));
}
void OursMul(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  TBigInt r;
  for (auto _ : st) {
    MultiplyBigInt(o.a, o.b, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}
void GmpMul(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  mpz_t r;
  mpz_init(r);
  for (auto _ : st) {
    mpz_mul(r, o.ga, o.gb);
    benchmark::DoNotOptimize(r->_mp_d);
  }
  mpz_clear(r);
}
void OursSqr(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  TBigInt r;
  for (auto _ : st) {
    SquareBigInt(o.a, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}
void GmpSqr(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  mpz_t r;
  mpz_init(r);
  for (auto _ : st) {
    mpz_mul(r, o.ga, o.ga);
    benchmark::DoNotOptimize(r->_mp_d);
  }
  mpz_clear(r);
}
// 2n digits by n digits.
void OursDivMod(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  TBigInt q, r;
  for (auto _ : st) {
    DivModBigInt(o.c, o.a, q, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}
void GmpDivMod(benchmark::State& st) {
  Operands& o = For(static_cast<int>(st.range(0)));
  mpz_t q, r;
  mpz_inits(q, r, nullptr);
  for (auto _ : st) {
    mpz_fdiv_qr(q, r, o.gc, o.ga);
    benchmark::DoNotOptimize(r->_mp_d);
  }
  mpz_clears(q, r, nullptr);
}

// F20 = 2^(2^20) + 1: its decimal text (315653 digits) and 2^(2^20).
void OursF20Text(benchmark::State& st) {
  TBigInt p, f;
  PowerBigInt(BigIntFromInt64(2), BigIntFromInt64(1 << 20), p);
  AddBigInt(p, BigIntFromInt64(1), f);
  for (auto _ : st) benchmark::DoNotOptimize(BigIntToDecimal(f));
}
void GmpF20Text(benchmark::State& st) {
  mpz_t f;
  mpz_init(f);
  mpz_ui_pow_ui(f, 2, 1 << 20);
  mpz_add_ui(f, f, 1);
  std::vector<char> buf(mpz_sizeinbase(f, 10) + 2);
  for (auto _ : st) benchmark::DoNotOptimize(mpz_get_str(buf.data(), 10, f));
  mpz_clear(f);
}
// A residue of the Mersenne test p = 44497 (44497 random bits, 13395
// digits): the size of every row of its certificate file.
struct Residue44497 {
  TBigInt a;
  mpz_t g;
  Residue44497() {
    std::mt19937_64 rng(44497);
    const int digits = (44497 + 30) / 31;  // base 2^31; the top one holds 13 bits
    a.Cells.assign(static_cast<std::size_t>(digits) + 1, 0);
    a.Cells[0] = digits;
    for (int i = 1; i <= digits; ++i) a.Cells[i] = static_cast<std::int64_t>(rng() & 0x7FFFFFFF);
    a.Cells[digits] = (a.Cells[digits] & 0xFFF) | 0x1000;
    mpz_init(g);
    mpz_set_str(g, BigIntToDecimal(a).c_str(), 10);
  }
};
Residue44497& TheResidue() {
  static Residue44497 r;
  return r;
}
void OursPrint44497Bits(benchmark::State& st) {
  const TBigInt& a = TheResidue().a;
  for (auto _ : st) benchmark::DoNotOptimize(BigIntToDecimal(a));
}
void GmpPrint44497Bits(benchmark::State& st) {
  Residue44497& r = TheResidue();
  std::vector<char> buf(mpz_sizeinbase(r.g, 10) + 2);
  for (auto _ : st) benchmark::DoNotOptimize(mpz_get_str(buf.data(), 10, r.g));
}

// 3^(2^16): a power that needs real squarings (2 is a shift).
void OursPower3(benchmark::State& st) {
  TBigInt r, three = BigIntFromInt64(3), e = BigIntFromInt64(1 << 16);
  for (auto _ : st) {
    PowerBigInt(three, e, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}
void GmpPower3(benchmark::State& st) {
  mpz_t r;
  mpz_init(r);
  for (auto _ : st) {
    mpz_ui_pow_ui(r, 3, 1 << 16);
    benchmark::DoNotOptimize(r->_mp_d);
  }
  mpz_clear(r);
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int n : kSizes) b->Arg(n);
}
void WithLarge(benchmark::internal::Benchmark* b) {
  Sizes(b);
  for (int n : kLargeSizes) b->Arg(n);
}

BENCHMARK(OursParse)->Apply(Sizes);
BENCHMARK(GmpParse)->Apply(Sizes);
BENCHMARK(OursPrint)->Apply(Sizes);
BENCHMARK(GmpPrint)->Apply(Sizes);
BENCHMARK(OursMul)->Apply(WithLarge);
BENCHMARK(GmpMul)->Apply(WithLarge);
BENCHMARK(OursSqr)->Apply(WithLarge);
BENCHMARK(GmpSqr)->Apply(WithLarge);
BENCHMARK(OursDivMod)->Apply(Sizes);
BENCHMARK(GmpDivMod)->Apply(Sizes);
BENCHMARK(OursPrint44497Bits);
BENCHMARK(GmpPrint44497Bits);
BENCHMARK(OursF20Text)->Unit(benchmark::kMillisecond);
BENCHMARK(GmpF20Text)->Unit(benchmark::kMillisecond);
BENCHMARK(OursPower3)->Unit(benchmark::kMillisecond);
BENCHMARK(GmpPower3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable("operation/digits", 3);
  benchmark::Shutdown();
  return 0;
}
