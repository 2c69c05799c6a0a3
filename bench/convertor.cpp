// The Convertor's largest conversions beside GMP doing the same work: build
// the number and write its decimal digits (plus the expression texts).
#include <benchmark/benchmark.h>
#include <gmp.h>

#include "tools/Convertor.h"

namespace {

const TConvertBoxes kAll{true, true, true};

void ConvertF20AllBoxes(benchmark::State& state) {
  for (auto _ : state) {
    TConvertResult r = Convert(TConvertRow::Fermat, "F20", kAll);
    benchmark::DoNotOptimize(r.integer.data());
  }
}
BENCHMARK(ConvertF20AllBoxes)->Unit(benchmark::kMillisecond);

void ConvertM99999AllBoxes(benchmark::State& state) {
  for (auto _ : state) {
    TConvertResult r = Convert(TConvertRow::Mersenne, "M99999", kAll);
    benchmark::DoNotOptimize(r.integer.data());
  }
}
BENCHMARK(ConvertM99999AllBoxes)->Unit(benchmark::kMillisecond);

// The same number from the Integer row: reading 30103 digits back.
void ConvertM99999FromDigits(benchmark::State& state) {
  const std::string digits = Convert(TConvertRow::Mersenne, "M99999", kAll).integer;
  // Above the row's limit on purpose the Integer row refuses it; read a
  // 2500-digit prefix instead, the longest the row takes.
  const std::string text = digits.substr(0, 2500);
  for (auto _ : state) {
    TConvertResult r = Convert(TConvertRow::Integer, text, kAll);
    benchmark::DoNotOptimize(r.mersenne.data());
  }
}
BENCHMARK(ConvertM99999FromDigits)->Unit(benchmark::kMicrosecond);

// GMP: 2^(2^e) + offset, written in decimal.
void GmpDecimal(benchmark::State& state, unsigned long bits, long offset) {
  for (auto _ : state) {
    mpz_t n;
    mpz_init(n);
    mpz_ui_pow_ui(n, 2, bits);
    if (offset >= 0)
      mpz_add_ui(n, n, static_cast<unsigned long>(offset));
    else
      mpz_sub_ui(n, n, static_cast<unsigned long>(-offset));
    char* text = mpz_get_str(nullptr, 10, n);
    benchmark::DoNotOptimize(text);
    void (*freeFunc)(void*, size_t);
    mp_get_memory_functions(nullptr, nullptr, &freeFunc);
    freeFunc(text, std::char_traits<char>::length(text) + 1);
    mpz_clear(n);
  }
}
void GmpF20Decimal(benchmark::State& state) { GmpDecimal(state, 1UL << 20, 1); }
BENCHMARK(GmpF20Decimal)->Unit(benchmark::kMillisecond);
void GmpM99999Decimal(benchmark::State& state) { GmpDecimal(state, 99999, -1); }
BENCHMARK(GmpM99999Decimal)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
