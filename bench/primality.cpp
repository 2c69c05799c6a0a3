// The primality decision and the Lucas-Lehmer test beside GMP in one run:
// IsPrimeNumber of a 200-digit prime against mpz_probab_prime_p(n, 4) (with
// its two halves alone, Rabin-Miller and the strong Lucas test), and
// LucasLehmerTest against a GMP loop (square, subtract 2, reduce modulo
// 2^p - 1 by shifts). The ratios are printed at the end.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/RatioReporter.h"
#include "numbers/bigint/BigInt.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "numbers/montgomery/ModPower.h"
#include "numbers/primality/Primality.h"

namespace {

// The first prime after 10^199 (200 digits), as GMP finds it.
std::string Prime200() {
  mpz_t n;
  mpz_init(n);
  mpz_ui_pow_ui(n, 10, 199);
  mpz_nextprime(n, n);
  std::vector<char> buf(mpz_sizeinbase(n, 10) + 2);
  mpz_get_str(buf.data(), 10, n);
  mpz_clear(n);
  return buf.data();
}

const std::string& P200() {
  static const std::string p = Prime200();
  return p;
}

void OursIsPrime200(benchmark::State& state) {
  const TBigInt n = BigIntFromDecimal(P200());
  for (auto _ : state) benchmark::DoNotOptimize(IsPrimeNumber(n));
}

void GmpIsPrime200(benchmark::State& state) {
  mpz_t n;
  mpz_init_set_str(n, P200().c_str(), 10);
  for (auto _ : state) benchmark::DoNotOptimize(mpz_probab_prime_p(n, 4));
  mpz_clear(n);
}

// The two halves of IsPrimeNumber alone, to see where the time goes.
void OursRabinMiller200(benchmark::State& state) {
  const TBigInt n = BigIntFromDecimal(P200());
  for (auto _ : state) benchmark::DoNotOptimize(RabinMillerBigInt(n, 4));
}

void OursStrongLucas200(benchmark::State& state) {
  const TBigInt n = BigIntFromDecimal(P200());
  for (auto _ : state) benchmark::DoNotOptimize(StrongLucasBigInt(n));
}

// One Rabin-Miller exponentiation, to see the cost of the inner loop alone.
void OursPowMod200(benchmark::State& state) {
  const TBigInt n = BigIntFromDecimal(P200());
  TBigInt e, r;
  SubtractBigInt(n, BigIntFromInt64(1), e);
  const TBigInt b = BigIntFromInt64(9967);
  for (auto _ : state) {
    ModPowerBigInt(b, e, n, r);
    benchmark::DoNotOptimize(r.Cells.data());
  }
}

void GmpPowMod200(benchmark::State& state) {
  mpz_t n, e, b, r;
  mpz_init_set_str(n, P200().c_str(), 10);
  mpz_init(e);
  mpz_sub_ui(e, n, 1);
  mpz_init_set_ui(b, 9967);
  mpz_init(r);
  for (auto _ : state) {
    mpz_powm(r, b, e, n);
    benchmark::DoNotOptimize(r);
  }
  mpz_clears(n, e, b, r, nullptr);
}

void OursLucasLehmer(benchmark::State& state) {
  const auto p = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(LucasLehmerTest(p));
}

bool GmpLucasLehmerLoop(unsigned long p) {
  mpz_t m, s, t;
  mpz_init(m);
  mpz_ui_pow_ui(m, 2, p);
  mpz_sub_ui(m, m, 1);
  mpz_init_set_ui(s, 4);
  mpz_init(t);
  for (unsigned long i = 0; i + 2 < p; ++i) {
    mpz_mul(s, s, s);
    mpz_sub_ui(s, s, 2);
    if (mpz_sgn(s) < 0) mpz_add(s, s, m);
    mpz_tdiv_q_2exp(t, s, p);
    mpz_tdiv_r_2exp(s, s, p);
    mpz_add(s, s, t);
    if (mpz_cmp(s, m) >= 0) mpz_sub(s, s, m);
  }
  const bool prime = mpz_sgn(s) == 0;
  mpz_clears(m, s, t, nullptr);
  return prime;
}

void GmpLucasLehmer(benchmark::State& state) {
  const auto p = static_cast<unsigned long>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(GmpLucasLehmerLoop(p));
}

BENCHMARK(OursIsPrime200)->Unit(benchmark::kMicrosecond);
BENCHMARK(GmpIsPrime200)->Unit(benchmark::kMicrosecond);
BENCHMARK(OursRabinMiller200)->Unit(benchmark::kMicrosecond);
BENCHMARK(OursStrongLucas200)->Unit(benchmark::kMicrosecond);
BENCHMARK(OursPowMod200)->Unit(benchmark::kMicrosecond);
BENCHMARK(GmpPowMod200)->Unit(benchmark::kMicrosecond);
BENCHMARK(OursLucasLehmer)->Arg(4423)->Arg(9941)->Arg(21701)->Unit(benchmark::kMillisecond);
BENCHMARK(GmpLucasLehmer)->Arg(4423)->Arg(9941)->Arg(21701)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintTable("operation", 1);
  std::printf("targets: IsPrime200 within 1.0x; Lucas-Lehmer at p = 86243 in bench_mersenne\n");
  benchmark::Shutdown();
  return 0;
}
