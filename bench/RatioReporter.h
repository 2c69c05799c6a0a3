// The console report of a benchmark that runs each of our operations beside
// a peer's: benchmarks named "Ours<X>" and "<Peer><X>" pair up, and after
// the run a table gives both times and our time over the peer's (processor
// time of the benchmark thread, as the machine may be shared).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  // peer: the prefix of the peer's benchmarks; shown: its name in the table.
  explicit TRatioReporter(std::string peer = "Gmp", std::string shown = "GMP")
      : peer_(std::move(peer)), shown_(std::move(shown)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations == 0) continue;
      std::string name = r.benchmark_name();
      const double ns = r.GetAdjustedCPUTime() * NanosecondsPer(r.time_unit);
      if (name.rfind("Ours", 0) == 0) {
        name = name.substr(4);
        if (!ours_.count(name)) order_.push_back(name);
        ours_[name] = ns;
      } else if (name.rfind(peer_, 0) == 0) {
        peer_ns_[name.substr(peer_.size())] = ns;
      }
    }
  }

  // The table, times in microseconds with the given decimals.
  void PrintTable(const char* heading, int decimals) const {
    std::printf("\n%-22s %14s %14s %10s\n", heading, "ours (us)", (shown_ + " (us)").c_str(),
                ("ours/" + shown_).c_str());
    for (const std::string& name : order_) {
      const auto peer = peer_ns_.find(name);
      if (peer == peer_ns_.end()) continue;
      const double ours = ours_.at(name);
      std::printf("%-22s %14.*f %14.*f %10.2f\n", name.c_str(), decimals, ours / 1e3, decimals, peer->second / 1e3,
                  ours / peer->second);
    }
  }

private:
  static double NanosecondsPer(benchmark::TimeUnit u) {
    switch (u) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1.0;
    }
  }

  std::string peer_, shown_;
  std::map<std::string, double> ours_, peer_ns_;
  std::vector<std::string> order_;
};
