#include "numbers/factor/Siqs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "numbers/factor/Gf2Solver.h"
#include "numbers/montgomery/MontgomeryWords.h"
#include "numbers/factor/SiqsBase.h"
#include "numbers/factor/SiqsSieve.h"

namespace {

// The columns of odd exponent, sorted.
std::vector<std::uint32_t> OddColumns(const std::vector<std::uint32_t>& columns, std::vector<std::uint8_t>& parity) {
  std::vector<std::uint32_t> odd;
  for (std::uint32_t c : columns) parity[c] ^= 1;
  for (std::uint32_t c : columns)
    if (parity[c]) {
      odd.push_back(c);
      parity[c] = 0;
    }
  for (std::uint32_t c : columns) parity[c] = 0;
  std::sort(odd.begin(), odd.end());
  return odd;
}

struct TCollected {
  std::vector<TSiqsRelation> fulls, partials;
  std::vector<std::pair<std::size_t, std::size_t>> cycles;  // partials sharing a large prime
  std::unordered_map<std::uint64_t, std::size_t> firstWith;
  std::size_t Count() const { return fulls.size() + cycles.size(); }
};

// Polynomials are made and sieved by units of one A with all its B values;
// unit u always holds the same polynomials, whichever thread sieves it, and
// the relations are taken unit by unit, polynomial by polynomial, in that
// order. So the relations collected, and the factor found, never depend on
// the number of threads or their timing.
struct TUnit {
  std::vector<TSiqsRelation> rels;
  std::vector<std::uint32_t> ends;  // rels.size() after each polynomial
};

// Units a thread may sieve ahead of the one being taken.
constexpr std::uint64_t kAheadPerThread = 2;

class TRelationSource {
public:
  TRelationSource(const TSiqsBase& base, std::uint64_t seed, unsigned threads, TProgress* progress)
      : base_(base), chooser_(base, seed), threads_(threads), progress_(progress) {}
  ~TRelationSource() { StopAndJoin(); }

  // Takes polynomials in their order until c holds wanted relations.
  void Collect(TCollected& c, std::size_t wanted) {
    stop_ = false;
    if (threads_ > 1)
      for (unsigned t = 0; t < threads_; ++t) workers_.emplace_back([this] { Work(); });
    while (c.Count() < wanted) {
      CheckCancelled(progress_);
      if (!haveCurrent_) Fetch();
      const std::size_t polys = current_.ends.size();
      while (poly_ < polys && c.Count() < wanted) {
        const std::uint32_t from = poly_ == 0 ? 0 : current_.ends[poly_ - 1], to = current_.ends[poly_];
        for (std::uint32_t i = from; i < to; ++i) {
          TSiqsRelation& r = current_.rels[i];
          if (r.largePrime == 1) {
            c.fulls.push_back(std::move(r));
            continue;
          }
          c.partials.push_back(std::move(r));
          const std::size_t k = c.partials.size() - 1;
          const auto [it, inserted] = c.firstWith.emplace(c.partials[k].largePrime, k);
          if (!inserted) c.cycles.emplace_back(it->second, k);
        }
        ++poly_;
        if ((++polynomials_ & 7) == 0 && progress_) {
          const std::size_t have = std::min(c.Count(), wanted);
          progress_->Report(static_cast<double>(have) / static_cast<double>(wanted),
                            "Quadratic sieve: relations " + std::to_string(have) + " of " + std::to_string(wanted));
        }
      }
      if (poly_ == polys) {
        haveCurrent_ = false;
        poly_ = 0;
        {
          std::lock_guard<std::mutex> lock(mutex_);
          ++unit_;
        }
        changed_.notify_all();
      }
    }
    StopAndJoin();
  }

private:
  // The A of unit u; made in unit order, under the lock.
  const std::vector<std::uint32_t>& AFor(std::uint64_t u) {
    while (as_.size() <= u) as_.push_back(chooser_.NextA());
    return as_[u];
  }

  // Sieves unit u; false when a stop came first.
  bool Produce(TSiqsSieve& sieve, const std::vector<std::uint32_t>& a, TUnit& unit) {
    sieve.SetA(a);
    const std::uint32_t polys = sieve.PolynomialsPerA();
    for (std::uint32_t i = 0; i < polys; ++i) {
      if (stop_.load(std::memory_order_relaxed) || (progress_ && progress_->Cancelled())) return false;
      sieve.Sieve(i, unit.rels);
      unit.ends.push_back(static_cast<std::uint32_t>(unit.rels.size()));
    }
    return true;
  }

  // Makes unit_ the current unit: sieved here with one thread, else waited for.
  void Fetch() {
    current_ = TUnit{};
    if (threads_ <= 1) {
      if (!local_) local_ = std::make_unique<TSiqsSieve>(base_, chooser_.PrimesInA());
      const std::vector<std::uint32_t> a = AFor(unit_);
      if (!Produce(*local_, a, current_)) CheckCancelled(progress_);
      haveCurrent_ = true;
      return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (error_) {
        const std::exception_ptr e = error_;
        lock.unlock();
        StopAndJoin();
        std::rethrow_exception(e);
      }
      const auto it = ready_.find(unit_);
      if (it != ready_.end()) {
        current_ = std::move(it->second);
        ready_.erase(it);
        haveCurrent_ = true;
        return;
      }
      if (progress_ && progress_->Cancelled()) {
        lock.unlock();
        StopAndJoin();
        throw ECancelled();
      }
      // Woken by a finished unit; the timeout only serves the stop button.
      changed_.wait_for(lock, std::chrono::milliseconds(20));
    }
  }

  void Work() {
    try {
      TSiqsSieve sieve(base_, chooser_.PrimesInA());
      for (;;) {
        std::uint64_t u;
        std::vector<std::uint32_t> a;
        {
          std::unique_lock<std::mutex> lock(mutex_);
          changed_.wait(lock, [&] {
            return stop_.load() || !abandoned_.empty() || fresh_ < unit_ + kAheadPerThread * threads_;
          });
          if (stop_.load()) return;
          if (!abandoned_.empty()) {
            u = *abandoned_.begin();
            abandoned_.erase(abandoned_.begin());
          } else {
            u = fresh_++;
          }
          a = AFor(u);
        }
        TUnit unit;
        const bool done = Produce(sieve, a, unit);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          if (done) ready_.emplace(u, std::move(unit));
          else abandoned_.insert(u);  // sieved again from its start when wanted
        }
        changed_.notify_all();
        if (!done) return;
      }
    } catch (...) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error_) error_ = std::current_exception();
      }
      stop_ = true;
      changed_.notify_all();
    }
  }

  void StopAndJoin() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& w : workers_)
      if (w.joinable()) w.join();
    workers_.clear();
  }

  const TSiqsBase& base_;
  TSiqsChooser chooser_;
  const unsigned threads_;
  TProgress* const progress_;
  std::vector<std::vector<std::uint32_t>> as_;  // the A of every unit made so far
  std::unique_ptr<TSiqsSieve> local_;           // the sieve of a run on one thread

  // The taking side: the unit being taken and the next polynomial in it.
  TUnit current_;
  bool haveCurrent_ = false;
  std::uint32_t poly_ = 0;
  std::uint64_t polynomials_ = 0;

  // Shared with the threads, under mutex_.
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t unit_ = 0;   // the unit being taken
  std::uint64_t fresh_ = 0;  // the first unit no thread has started
  std::set<std::uint64_t> abandoned_;
  std::map<std::uint64_t, TUnit> ready_;
  std::exception_ptr error_;
  std::atomic<bool> stop_{false};
  std::vector<std::thread> workers_;
};

// The square root step for one dependency: 1 < factor < n on success.
bool TryDependency(const TSiqsBase& base, const TCollected& c, const std::vector<std::uint32_t>& dep,
                   const TMontgomeryWords& mont, TBigInt& factor) {
  const std::size_t k = static_cast<std::size_t>(mont.Words());
  std::vector<std::uint64_t> x(mont.One(), mont.One() + k), y = x, t(k);
  std::vector<std::uint32_t> exponents(base.primes.size() + 1, 0);
  auto take = [&](const TSiqsRelation& r) {
    const TInt128 v = r.y < 0 ? -r.y : r.y;
    mont.Load(t.data(), BigIntFromInt128(v));
    mont.Multiply(x.data(), x.data(), t.data());
    for (std::uint32_t col : r.columns) ++exponents[col];
  };
  for (std::uint32_t row : dep) {
    if (row < c.fulls.size()) {
      take(c.fulls[row]);
    } else {
      const auto& [a, b] = c.cycles[row - c.fulls.size()];
      take(c.partials[a]);
      take(c.partials[b]);
      // The large prime appears squared; its root is itself.
      mont.LoadSmall(t.data(), static_cast<std::int64_t>(c.partials[a].largePrime));
      mont.Multiply(y.data(), y.data(), t.data());
    }
  }
  // Pack prime powers into one word before each product.
  std::uint64_t word = 1;
  auto flush = [&]() {
    mont.LoadSmall(t.data(), static_cast<std::int64_t>(word));
    mont.Multiply(y.data(), y.data(), t.data());
    word = 1;
  };
  for (std::size_t col = 1; col < exponents.size(); ++col) {
    if (exponents[col] % 2 != 0) return false;  // not a square: a solver fault
    const std::uint64_t p = base.primes[col - 1];
    for (std::uint32_t e = 0; e < exponents[col] / 2; ++e) {
      if (word > (std::uint64_t{1} << 62) / p) flush();
      word *= p;
    }
  }
  if (exponents[0] % 2 != 0) return false;
  flush();
  TBigInt xs, ys, d, g;
  mont.Store(x.data(), xs);
  mont.Store(y.data(), ys);
  SubtractBigInt(xs, ys, d);
  GcdBigInt(d, base.n, g);
  MakePositiveBigInt(g);
  if (BigIntCompareMagnitude(g, BigIntFromInt64(1)) != foGreater) return false;
  if (BigIntCompareMagnitude(g, base.n) == foEqual) return false;
  factor = g;
  return true;
}

}  // namespace

unsigned SiqsThreadCount() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

bool SiqsFactor(const TBigInt& n, TBigInt& factor, TProgress* progress, std::uint64_t seed, unsigned threads) {
  TSiqsBase base;
  std::uint64_t small = 0;
  if (!BuildSiqsBase(n, base, small)) {
    factor = BigIntFromInt64(static_cast<std::int64_t>(small));
    return true;
  }
  if (threads == 0) threads = SiqsThreadCount();
  TRelationSource source(base, seed * 0x9E3779B97F4A7C15ULL + 12345, threads, progress);
  const TMontgomeryWords mont(base.n);
  TCollected c;
  std::size_t wanted = base.wanted;
  std::vector<std::uint8_t> parity(base.primes.size() + 1, 0);
  // Each dependency splits a product of two primes with odds one half; a
  // failure of all of them asks for more relations, a few times.
  for (int round = 0; round < 8; ++round) {
    source.Collect(c, wanted);
    std::vector<std::vector<std::uint32_t>> rows;
    rows.reserve(c.Count());
    for (const TSiqsRelation& r : c.fulls) rows.push_back(OddColumns(r.columns, parity));
    for (const auto& [a, b] : c.cycles) {
      std::vector<std::uint32_t> both = c.partials[a].columns;
      both.insert(both.end(), c.partials[b].columns.begin(), c.partials[b].columns.end());
      rows.push_back(OddColumns(both, parity));
    }
    ReportProgress(progress, 1.0, "Quadratic sieve: linear algebra");
    const auto deps = FindDependencies(rows, static_cast<std::uint32_t>(base.primes.size() + 1), 64);
    for (const auto& dep : deps) {
      CheckCancelled(progress);
      if (TryDependency(base, c, dep, mont, factor)) return true;
    }
    wanted = c.Count() + 32;
  }
  return false;
}
