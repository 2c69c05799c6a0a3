// The Mersenne tester's work for p = 86243 (a Mersenne prime): the plain
// Lucas-Lehmer test and the test keeping its certificate, beside a GMP loop
// (square, subtract 2, reduce modulo 2^p - 1 by shift and add); and, for
// p = 44497, the certificate file written (596 MB; 2.2 GB at 86243).
// Each run happens in a child process, so its peak memory (counter
// peak_MB, the child's maximum resident size) is the run's own.
// CALVENNA_MERSENNE_P chooses another exponent; the ratios to GMP (of the
// children's processor times) are printed at the end.
#include <benchmark/benchmark.h>
#include <gmp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "numbers/limb/Cpu.h"
#include "numbers/mersenne/LucasLehmer.h"
#include "numbers/mersenne/LucasLehmerDwt.h"
#include "tools/Certificate.h"
#include "tools/TextFile.h"

namespace {

int Exponent() {
  const char* p = std::getenv("CALVENNA_MERSENNE_P");
  return p ? std::atoi(p) : 86243;
}

// Runs work in a child; the child's exit status says the verdict (0 prime,
// 1 composite, 2 failure). Returns the child's peak resident size in MB.
double InChild(benchmark::State& st, const std::function<bool()>& work) {
  const pid_t pid = fork();
  if (pid == 0) _exit(work() ? 0 : 1);
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    st.SkipWithError("the child failed");
    return 0;
  }
  st.counters["prime"] = WEXITSTATUS(status) == 0 ? 1 : 0;
  // The child's own processor time: the wall time says little on a shared
  // machine, and the certificate file is written on several threads.
  st.counters["child_cpu_s"] = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

bool GmpLucasLehmer(int p) {
  if (p == 2) return true;
  mpz_t s, m, high;
  mpz_inits(s, m, high, nullptr);
  mpz_set_ui(s, 4);
  mpz_ui_pow_ui(m, 2, static_cast<unsigned long>(p));
  mpz_sub_ui(m, m, 1);
  for (int i = 1; i <= p - 2; ++i) {
    mpz_mul(s, s, s);
    mpz_sub_ui(s, s, 2);
    // s = high * 2^p + low = high + low (mod 2^p - 1); twice is enough.
    for (int k = 0; k < 2; ++k) {
      mpz_tdiv_q_2exp(high, s, static_cast<mp_bitcnt_t>(p));
      mpz_tdiv_r_2exp(s, s, static_cast<mp_bitcnt_t>(p));
      mpz_add(s, s, high);
    }
    if (mpz_cmp(s, m) >= 0) mpz_sub(s, s, m);
  }
  const bool prime = mpz_sgn(s) == 0;
  mpz_clears(s, m, high, nullptr);
  return prime;
}

struct Figures {
  double cpu = 0, peak = 0, wall = 0;
};
std::map<std::string, Figures> gFigures;

void Run(benchmark::State& st, const char* name, const std::function<bool()>& work, int p = Exponent()) {
  double peak = 0, wall = 0;
  for (auto _ : st) {
    const auto start = std::chrono::steady_clock::now();
    peak = InChild(st, work);
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  st.counters["peak_MB"] = peak;
  st.counters["p"] = p;
  gFigures[name] = {st.counters["child_cpu_s"], peak, wall};
}

constexpr int kFileExponent = 44497;

void OursPlain(benchmark::State& st) {
  Run(st, "OursPlain", [] { return LucasLehmerTest(Exponent()); });
}

void OursWithCertificate(benchmark::State& st) {
  Run(st, "OursWithCertificate", [] { return TCertificate::Run(Exponent()).Prime(); });
}

std::string TemporaryCertificatePath() {
  return "/tmp/calvenna-bench-certificate-" + std::to_string(getpid()) + ".txt";
}

// The test with its certificate file written as it runs (the command-line
// tool's certificate): one pass, the rows converted on the other core.
void OursCertificateFile(benchmark::State& st) {
  Run(st, "OursCertificateFile", [] {
    const std::string path = TemporaryCertificatePath();
    TAtomicFile file(path);
    const TCertificate c = TCertificate::RunWritingFile(kFileExponent, file);
    if (!file.Commit().empty()) _exit(2);
    std::remove(path.c_str());
    return c.Prime();
  }, kFileExponent);
}

// The test keeping its certificate, then the file written as the save
// button writes it: the residues stepped again from the start.
void OursCertificateSave(benchmark::State& st) {
  Run(st, "OursCertificateSave", [] {
    const TCertificate c = TCertificate::Run(kFileExponent);
    const std::string path = TemporaryCertificatePath();
    TAtomicFile file(path);
    if (!c.WriteRows(file) || !file.Commit().empty()) _exit(2);
    std::remove(path.c_str());
    return c.Prime();
  }, kFileExponent);
}

void GmpPlain(benchmark::State& st) {
  Run(st, "GmpPlain", [] { return GmpLucasLehmer(Exponent()); });
}

}  // namespace

BENCHMARK(OursPlain)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(OursWithCertificate)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(OursCertificateFile)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(OursCertificateSave)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK(GmpPlain)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const auto gmp = gFigures.find("GmpPlain");
  if (gmp != gFigures.end() && gmp->second.cpu > 0) {
    std::printf("\np = %d (transform of %zu digits, kernels %s), processor time against the GMP loop (%.2f s):\n",
                Exponent(), TLucasLehmerDwt::LengthFor(Exponent()), cpu::KernelsName(), gmp->second.cpu);
    for (const char* name : {"OursPlain", "OursWithCertificate"}) {
      const auto f = gFigures.find(name);
      if (f == gFigures.end()) continue;
      std::printf("%-22s %8.2f s %8.2f x %8.1f MB\n", name, f->second.cpu, f->second.cpu / gmp->second.cpu,
                  f->second.peak);
    }
    std::printf("targets: OursPlain within 0.15x, OursWithCertificate within 2x and under 300 MB\n");
  }
  bool heading = false;
  for (const char* name : {"OursCertificateFile", "OursCertificateSave"}) {
    const auto f = gFigures.find(name);
    if (f == gFigures.end()) continue;
    if (!heading) std::printf("\np = %d with its certificate file (wall, processor, peak memory):\n", kFileExponent);
    heading = true;
    std::printf("%-22s %8.2f s %8.2f s %8.1f MB\n", name, f->second.wall, f->second.cpu, f->second.peak);
  }
  if (heading) std::printf("target: OursCertificateFile within 3 s wall and 100 MB\n");
  benchmark::Shutdown();
  return 0;
}
