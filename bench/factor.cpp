// The factor search on products of two primes of 10 to 25 digits, beside
// PARI/GP's factorint on the same numbers in the same run (when gp is
// installed). Prints our time, PARI's and the ratio for each number. Both
// sides are timed by the wall clock: our sieve runs on every core, and gp
// may too.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "numbers/factor/Factorizer.h"

namespace {

struct TCase {
  std::string name;
  std::string n;
  int gpRepeats;  // gp's clock counts milliseconds: repeat the small ones
};

std::string PrimeNear(unsigned digits, unsigned long lead) {
  mpz_t p;
  mpz_init(p);
  mpz_ui_pow_ui(p, 10, digits - 1);
  mpz_mul_ui(p, p, lead);
  mpz_nextprime(p, p);
  std::vector<char> buf(mpz_sizeinbase(p, 10) + 2);
  mpz_get_str(buf.data(), 10, p);
  mpz_clear(p);
  return buf.data();
}

std::string Times(const std::string& a, const std::string& b) {
  mpz_t x, y;
  mpz_init_set_str(x, a.c_str(), 10);
  mpz_init_set_str(y, b.c_str(), 10);
  mpz_mul(x, x, y);
  std::vector<char> buf(mpz_sizeinbase(x, 10) + 2);
  mpz_get_str(buf.data(), 10, x);
  mpz_clears(x, y, nullptr);
  return buf.data();
}

const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"P10xP10", Times(PrimeNear(10, 3), PrimeNear(10, 7)), 200},
      {"P12xP12", Times(PrimeNear(12, 3), PrimeNear(12, 7)), 100},
      {"P14xP14", Times(PrimeNear(14, 3), PrimeNear(14, 7)), 100},
      {"P16xP16", Times(PrimeNear(16, 3), PrimeNear(16, 7)), 50},
      {"P20xP20", Times(PrimeNear(20, 3), PrimeNear(20, 7)), 20},
      {"P12xP28", Times(PrimeNear(12, 5), PrimeNear(28, 3)), 20},
      {"P25xP25", Times(PrimeNear(25, 3), PrimeNear(25, 7)), 4},
  };
  return cases;
}

void Factor(benchmark::State& state, const std::string& n) {
  const TBigInt value = BigIntFromDecimal(n);
  for (auto _ : state) {
    std::vector<TBigInt> f = FactorCompletely(value);
    benchmark::DoNotOptimize(f.data());
  }
}

// Keeps the mean wall time of each run, in milliseconds.
class TKeepingReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      kept[r.benchmark_name()] = r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
  }
  std::map<std::string, double> kept;
};

// factorint's time per number in milliseconds, by case name; empty when gp
// cannot be run.
std::map<std::string, double> PariTimes() {
  std::map<std::string, double> out;
  const char* path = "/tmp/calvenna_bench_factor.gp";
  FILE* script = std::fopen(path, "w");
  if (!script) return out;
  for (const TCase& c : Cases()) {
    std::fprintf(script,
                 "n=%s; t=getwalltime(); for(i=1,%d,factorint(n)); print(\"%s \", (getwalltime()-t)/%d.);\n",
                 c.n.c_str(), c.gpRepeats, c.name.c_str(), c.gpRepeats);
  }
  std::fprintf(script, "quit\n");
  std::fclose(script);
  FILE* gp = popen((std::string("gp -q -f ") + path + " 2>/dev/null").c_str(), "r");
  if (!gp) return out;
  char name[64];
  double ms;
  while (std::fscanf(gp, "%63s %lf", name, &ms) == 2) out[name] = ms;
  pclose(gp);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  for (const TCase& c : Cases())
    benchmark::RegisterBenchmark(("FactorCompletely/" + c.name).c_str(), Factor, c.n)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  TKeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::map<std::string, double> pari = PariTimes();
  std::printf("\n%-10s %-52s %10s %10s %8s\n", "case", "n", "ours ms", "PARI ms", "ratio");
  for (const TCase& c : Cases()) {
    const auto ours = reporter.kept.find("FactorCompletely/" + c.name + "/real_time");
    if (ours == reporter.kept.end()) continue;
    const auto peer = pari.find(c.name);
    if (peer == pari.end() || peer->second <= 0) {
      std::printf("%-10s %-52s %10.3f %10s %8s\n", c.name.c_str(), c.n.c_str(), ours->second, "-", "-");
    } else {
      std::printf("%-10s %-52s %10.3f %10.3f %8.2f\n", c.name.c_str(), c.n.c_str(), ours->second, peer->second,
                  ours->second / peer->second);
    }
  }
  benchmark::Shutdown();
  return 0;
}
