// Elliptic-curve primality proofs of 100- and 200-digit primes beside
// PARI/GP's primecert on the same primes in the same run (when gp is
// installed), and our verifier on our certificates. Prints our time, PARI's
// and the ratio per prime.
#include <benchmark/benchmark.h>
#include <gmp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "numbers/ecpp/Ecpp.h"
#include "numbers/ecpp/EcppVerify.h"

namespace {

struct TCase {
  std::string name;
  std::vector<std::string> primes;
};

// A few primes of the given size: the next primes after lead * 10^(digits-1).
std::vector<std::string> PrimesNear(unsigned digits, std::vector<unsigned long> leads) {
  std::vector<std::string> out;
  for (unsigned long lead : leads) {
    mpz_t p;
    mpz_init(p);
    mpz_ui_pow_ui(p, 10, digits - 1);
    mpz_mul_ui(p, p, lead);
    mpz_add_ui(p, p, 987654321UL * lead);
    mpz_nextprime(p, p);
    std::vector<char> buf(mpz_sizeinbase(p, 10) + 2);
    mpz_get_str(buf.data(), 10, p);
    mpz_clear(p);
    out.push_back(buf.data());
  }
  return out;
}

const std::vector<TCase>& Cases() {
  static const std::vector<TCase> cases = {
      {"P20", PrimesNear(20, {1, 3, 5, 7})},   {"P50", PrimesNear(50, {1, 3, 5, 7})},
      {"P100", PrimesNear(100, {1, 3, 5, 7})}, {"P150", PrimesNear(150, {1, 3, 5, 7})},
      {"P200", PrimesNear(200, {1, 3, 5, 7})},
  };
  return cases;
}

std::map<std::string, double> gOurSteps;  // steps per prime, by case name

// One proof per prime of the case in each iteration; time per prime.
void Prove(benchmark::State& state, const TCase& c) {
  std::vector<ecpp::Big> primes;
  for (const std::string& p : c.primes) primes.push_back(BigIntFromDecimal(p));
  std::size_t steps = 0;
  // One untimed pass first: the class polynomials are then cached, as gp's
  // are in its timed second pass.
  for (const ecpp::Big& p : primes) ecpp::ProvePrimality(p);
  for (auto _ : state) {
    steps = 0;
    for (const ecpp::Big& p : primes) steps += ecpp::ProvePrimality(p).steps.size();
  }
  state.counters["steps/prime"] = static_cast<double>(steps) / static_cast<double>(primes.size());
  gOurSteps[c.name] = static_cast<double>(steps) / static_cast<double>(primes.size());
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * primes.size()));
}

void Verify(benchmark::State& state, const TCase& c) {
  std::vector<ecpp::TCertificate> certificates;
  for (const std::string& p : c.primes) {
    const ecpp::Big n = BigIntFromDecimal(p);
    certificates.push_back({n, ecpp::ProvePrimality(n).steps});
  }
  for (auto _ : state)
    for (const ecpp::TCertificate& certificate : certificates)
      if (!ecpp::VerifyCertificate(certificate).valid) state.SkipWithError("certificate refused");
}

class TKeepingReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      // CPU time, as gp's clock counts it: the machine may be shared.
      kept[r.benchmark_name()] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
  }
  std::map<std::string, double> kept;
};

struct TPari {
  double ms = 0, steps = 0;
};

// primecert's time per prime in milliseconds and its steps per prime, by
// case name, from gp's own clock over two passes (the first untimed, as
// our caches are warm too); empty when gp cannot be run.
std::map<std::string, TPari> PariTimes() {
  std::map<std::string, TPari> out;
  const char* path = "/tmp/calvenna_bench_ecpp.gp";
  FILE* script = std::fopen(path, "w");
  if (!script) return out;
  std::fprintf(script, "default(parisizemax, 2^31);\n");
  for (const TCase& c : Cases()) {
    std::string list = "[";
    for (std::size_t i = 0; i < c.primes.size(); ++i) list += (i ? "," : "") + c.primes[i];
    list += "]";
    std::fprintf(script,
                 "v=%s; st=sum(i=1,#v,#primecert(v[i])); gettime(); for(r=1,2,for(i=1,#v,primecert(v[i]))); "
                 "print(\"%s \", gettime()/(2.*#v), \" \", st/(1.*#v));\n",
                 list.c_str(), c.name.c_str());
  }
  std::fprintf(script, "quit\n");
  std::fclose(script);
  FILE* gp = popen((std::string("gp -q -f ") + path + " 2>/dev/null").c_str(), "r");
  if (!gp) return out;
  char name[64];
  double ms, steps;
  while (std::fscanf(gp, "%63s %lf %lf", name, &ms, &steps) == 3) out[name] = {ms, steps};
  pclose(gp);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  for (const TCase& c : Cases()) {
    benchmark::RegisterBenchmark(("Prove/" + c.name).c_str(), Prove, c)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Verify/" + c.name).c_str(), Verify, c)->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  TKeepingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::map<std::string, TPari> pari = PariTimes();
  std::printf("\n%-6s %18s %18s %8s %11s %11s %14s\n", "case", "ours ms/prime", "PARI ms/prime", "ratio",
              "our steps", "PARI steps", "our check ms");
  for (const TCase& c : Cases()) {
    const auto ours = reporter.kept.find("Prove/" + c.name);
    const auto check = reporter.kept.find("Verify/" + c.name);
    if (ours == reporter.kept.end()) continue;
    const double perPrime = ours->second / static_cast<double>(c.primes.size());
    const double checkPerPrime =
        check == reporter.kept.end() ? 0.0 : check->second / static_cast<double>(c.primes.size());
    const double steps = gOurSteps.count(c.name) ? gOurSteps[c.name] : 0.0;
    const auto peer = pari.find(c.name);
    if (peer == pari.end() || peer->second.ms <= 0)
      std::printf("%-6s %18.2f %18s %8s %11.1f %11s %14.2f\n", c.name.c_str(), perPrime, "-", "-", steps, "-",
                  checkPerPrime);
    else
      std::printf("%-6s %18.2f %18.2f %8.2f %11.1f %11.1f %14.2f\n", c.name.c_str(), perPrime, peer->second.ms,
                  perPrime / peer->second.ms, steps, peer->second.steps, checkPerPrime);
  }
  benchmark::Shutdown();
  return 0;
}
