// The prime search beside primesieve on the same highest window, and the
// small-range search. At the end the ratio of our time to primesieve's is
// printed (below 1: faster). primesieve comes from Debian's package of that
// name (apt-get install primesieve); without it its row is skipped.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "tools/Search.h"

namespace {

const char* const kTopLow = "999999999993000000";
const char* const kTopHigh = "1000000000000000000";

void Search(benchmark::State& state, const char* low, const char* high) {
  for (auto _ : state) {
    TSearchRequest q;
    q.lowText = low;
    q.highText = high;
    q.countTwins = true;
    TSearchState s;
    TSearchOutcome out = RunSearch(q, s);
    benchmark::DoNotOptimize(out.summary.data());
  }
}

void SearchTopWindow(benchmark::State& state) { Search(state, kTopLow, kTopHigh); }
BENCHMARK(SearchTopWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void SearchTwoTo2300000(benchmark::State& state) { Search(state, "2", "2300000"); }
BENCHMARK(SearchTwoTo2300000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: every prime of the same window printed, as a user would run it.
void PrimesieveTopWindow(benchmark::State& state) {
  if (std::system("command -v primesieve > /dev/null 2>&1") != 0) {
    state.SkipWithError("primesieve is not installed");
    return;
  }
  const std::string command = std::string("primesieve ") + kTopLow + " " + kTopHigh + " -p > /dev/null";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("primesieve failed");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
}
BENCHMARK(PrimesieveTopWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseManualTime();

// Keeps the real time per iteration of each row for the closing ratio.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.iterations > 0) seconds[r.benchmark_name()] = r.real_accumulated_time / r.iterations;
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto ours = reporter.seconds.find("SearchTopWindow/min_time:2.000/real_time");
  const auto peer = reporter.seconds.find("PrimesieveTopWindow/min_time:2.000/manual_time");
  if (ours != reporter.seconds.end() && peer != reporter.seconds.end())
    std::printf("\nsearch %s..%s: ours %.1f ms, primesieve %.1f ms, ratio ours/primesieve = %.2f\n", kTopLow,
                kTopHigh, ours->second * 1e3, peer->second * 1e3, ours->second / peer->second);
  benchmark::Shutdown();
  return 0;
}
