#include "numbers/int64/PrimeRange.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

#include "numbers/int64/PrimeRangeVerdicts.h"

namespace {

// Above this bound the sieve stops deciding and only pre-sieves: crossing
// off by larger primes would cost more than the tests it saves.
constexpr std::uint32_t kPresieveBound = 1u << 18;
// Odd numbers per chunk: the unit of work of one thread, and its sieve.
constexpr std::size_t kChunk = 1u << 17;
// Only the first chunk can hold a sieving prime itself, so the crossing off
// of every later chunk may start anywhere in its stride.
static_assert(kPresieveBound <= 2 * kChunk);
// Chunks a thread may finish ahead of the one being merged.
constexpr std::uint64_t kAheadPerThread = 2;
constexpr unsigned kMaxThreads = 8;

// The odd numbers 2c + 1 divisible by 3, 5, 7, 11 or 13 repeat with period
// 15015 in c; copying this pattern replaces the densest crossing-off.
constexpr std::uint32_t kPatternPrimes[] = {3, 5, 7, 11, 13};
constexpr std::size_t kPatternPeriod = 3 * 5 * 7 * 11 * 13;

const std::vector<std::uint8_t>& Pattern() {
  static const std::vector<std::uint8_t> pattern = [] {
    // Two periods, so any offset can be copied in one piece of a period.
    std::vector<std::uint8_t> p(2 * kPatternPeriod, 1);
    for (std::size_t c = 0; c < p.size(); ++c)
      for (std::uint32_t q : kPatternPrimes)
        if ((2 * c + 1) % q == 0) p[c] = 0;
    return p;
  }();
  return pattern;
}

const std::vector<std::uint32_t>& PresievePrimes() {
  static const std::vector<std::uint32_t> primes = OddPrimesUpTo(kPresieveBound);
  return primes;
}

void FillFromPattern(std::uint8_t* sieve, std::size_t len, std::uint64_t canonicalStart) {
  const std::uint8_t* pattern = Pattern().data();
  std::size_t offset = static_cast<std::size_t>(canonicalStart % kPatternPeriod);
  std::size_t done = 0;
  while (done < len) {
    const std::size_t piece = std::min(kPatternPeriod, len - done);
    std::memcpy(sieve + done, pattern + offset, piece);
    done += piece;
    offset = (offset + piece) % kPatternPeriod;
  }
}

// What every chunk of one search shares.
struct TPlan {
  std::uint64_t oddLow = 3, high = 3;
  std::uint64_t total = 0;   // odd numbers in the interval
  std::uint64_t chunks = 0;
  bool exact = true;         // the sieve decides alone
  std::size_t first = 0, used = 0;  // the crossing primes: PresievePrimes()[first, used)
};

// One thread's sieve. It takes chunks in increasing order, each a multiple
// of the stride after the one before, and carries the next multiple of each
// prime from one to the next, so no chunk but its first needs a division.
class TChunkSieve {
public:
  TChunkSieve(const TPlan& plan, std::uint64_t stride) : plan_(plan), stride_(stride), sieve_(kChunk) {
    const auto& all = PresievePrimes();
    next_.resize(plan.used);
    skip_.resize(plan.used);
    for (std::size_t k = plan.first; k < plan.used; ++k)
      skip_[k] = static_cast<std::uint32_t>((stride - 1) * kChunk % all[k]);
  }

  // Appends the primes of chunk c, ascending.
  void Run(std::uint64_t c, std::vector<std::uint64_t>& out) {
    const auto& all = PresievePrimes();
    const std::uint64_t start = c * kChunk;
    const std::size_t len = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, plan_.total - start));
    const std::uint64_t base = plan_.oddLow + 2 * start;  // the number of index 0
    if (!started_) {
      // The first odd multiple at or after the chunk's start, never below
      // 3p: p itself stays, the composites below p^2 are crossed once more.
      for (std::size_t k = plan_.first; k < plan_.used; ++k) {
        const std::uint64_t p = all[k];
        std::uint64_t m = std::max(3 * p, (base + p - 1) / p * p);
        if ((m & 1) == 0) m += p;
        next_[k] = static_cast<std::uint32_t>((m - base) / 2);
      }
      started_ = true;
    } else {
      // next_ holds offsets from the chunk after the last one, below p.
      for (std::size_t k = plan_.first; k < plan_.used; ++k) {
        const std::uint32_t r = next_[k], s = skip_[k];
        next_[k] = r >= s ? r - s : r + all[k] - s;
      }
    }

    std::uint8_t* s = sieve_.data();
    FillFromPattern(s, len, (plan_.oddLow - 1) / 2 + start);
    if (c == 0)
      for (std::uint32_t q : kPatternPrimes)  // the pattern struck the primes themselves
        if (q >= plan_.oddLow && q <= plan_.high) s[(q - plan_.oddLow) / 2] = 1;
    for (std::size_t k = plan_.first; k < plan_.used; ++k) {
      const std::uint32_t p = all[k];
      std::uint32_t j = next_[k];
      for (; j < len; j += p) s[j] = 0;
      next_[k] = j - static_cast<std::uint32_t>(kChunk);
    }

    if (plan_.exact) {
      for (std::size_t i = 0; i < len; ++i)
        if (s[i]) out.push_back(base + 2 * i);
      return;
    }
    candidates_.clear();
    for (std::size_t i = 0; i < len; ++i)
      if (s[i]) candidates_.push_back(base + 2 * i);
    verdicts_.resize(candidates_.size());
    BpswVerdicts64(candidates_.data(), candidates_.size(), verdicts_.data());
    for (std::size_t i = 0; i < candidates_.size(); ++i)
      if (verdicts_[i]) out.push_back(candidates_[i]);
  }

private:
  const TPlan& plan_;
  std::uint64_t stride_;
  bool started_ = false;
  std::vector<std::uint32_t> next_, skip_;  // skip_: (stride - 1) chunks mod p
  std::vector<std::uint8_t> sieve_;
  std::vector<std::uint64_t> candidates_;
  std::vector<std::uint8_t> verdicts_;
};

// Merges chunk results in chunk order; true once maxCount is reached.
bool Append(std::vector<std::uint64_t>& out, const std::vector<std::uint64_t>& primes, std::size_t maxCount) {
  const std::size_t room = maxCount - out.size();
  out.insert(out.end(), primes.begin(), primes.begin() + static_cast<std::ptrdiff_t>(std::min(room, primes.size())));
  return out.size() >= maxCount;
}

void ReportDone(TProgress* progress, const TPlan& plan, std::uint64_t chunksDone, std::size_t found,
                std::size_t maxCount) {
  if (!progress) return;
  const double byRange =
      static_cast<double>(std::min(plan.total, chunksDone * kChunk)) / static_cast<double>(plan.total);
  const double byCount = static_cast<double>(found) / static_cast<double>(maxCount);
  progress->Report(std::max(byRange, byCount));
}

// The chunks shared out over several threads, thread t taking t, t + T,
// t + 2T, ...; the calling thread merges them in order. The result is the
// same as one thread's, whatever the timing.
class TParallelRun {
public:
  TParallelRun(const TPlan& plan, unsigned threads, TProgress* progress)
      : plan_(plan), threads_(threads), progress_(progress) {}
  ~TParallelRun() { StopAndJoin(); }

  void Run(std::vector<std::uint64_t>& out, std::size_t maxCount) {
    for (unsigned t = 0; t < threads_; ++t) workers_.emplace_back([this, t] { Work(t); });
    for (std::uint64_t c = 0; c < plan_.chunks; ++c) {
      std::vector<std::uint64_t> primes;
      bool failed = false;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
          failed = error_ != nullptr;
          if (failed) break;
          const auto it = ready_.find(c);
          if (it != ready_.end()) {
            primes.swap(it->second);
            ready_.erase(it);
            break;
          }
          if (progress_ && progress_->Cancelled()) break;
          // Woken by a finished chunk; the timeout only serves the stop button.
          changed_.wait_for(lock, std::chrono::milliseconds(20));
        }
        merged_ = c + 1;
      }
      changed_.notify_all();
      if (failed || (progress_ && progress_->Cancelled())) {
        StopAndJoin();
        if (failed) std::rethrow_exception(error_);
        throw ECancelled();
      }
      if (Append(out, primes, maxCount)) break;
      ReportDone(progress_, plan_, c + 1, out.size(), maxCount);
    }
    StopAndJoin();
  }

private:
  void Work(unsigned t) {
    try {
      TChunkSieve sieve(plan_, threads_);
      for (std::uint64_t c = t; c < plan_.chunks; c += threads_) {
        {
          std::unique_lock<std::mutex> lock(mutex_);
          changed_.wait(lock, [&] { return stop_ || c < merged_ + kAheadPerThread * threads_; });
          if (stop_) return;
        }
        if (progress_ && progress_->Cancelled()) return;  // the merging thread throws
        std::vector<std::uint64_t> primes;
        sieve.Run(c, primes);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          ready_.emplace(c, std::move(primes));
        }
        changed_.notify_all();
      }
    } catch (...) {
      {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error_) error_ = std::current_exception();
        stop_ = true;
      }
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

  const TPlan& plan_;
  const unsigned threads_;
  TProgress* const progress_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<std::uint64_t, std::vector<std::uint64_t>> ready_;
  std::uint64_t merged_ = 0;
  bool stop_ = false;
  std::exception_ptr error_;
  std::vector<std::thread> workers_;
};

}  // namespace

std::uint64_t IntegerSqrt64(std::uint64_t n) {
  std::uint64_t r = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
  while (r > 0 && (r > 0xFFFFFFFFULL || r * r > n)) --r;
  while (r < 0xFFFFFFFFULL && (r + 1) * (r + 1) <= n) ++r;
  return r;
}

std::vector<std::uint32_t> OddPrimesUpTo(std::uint32_t limit) {
  std::vector<std::uint32_t> primes;
  if (limit < 3) return primes;
  // composite[i] stands for 2i + 1.
  const std::size_t count = (static_cast<std::size_t>(limit) - 1) / 2 + 1;
  std::vector<std::uint8_t> composite(count, 0);
  for (std::size_t i = 1; i < count; ++i) {
    if (composite[i]) continue;
    const std::uint64_t p = 2 * i + 1;
    primes.push_back(static_cast<std::uint32_t>(p));
    for (std::uint64_t j = (p * p - 1) / 2; j < count; j += p) composite[j] = 1;
  }
  return primes;
}

unsigned SearchThreadCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return std::clamp(n, 1u, kMaxThreads);
}

std::vector<std::uint64_t> PrimesInRange(std::uint64_t low, std::uint64_t high, std::size_t maxCount,
                                         TProgress* progress, unsigned threads) {
  std::vector<std::uint64_t> out;
  low = std::max<std::uint64_t>(low, 2);
  if (high < low || maxCount == 0) return out;
  if (low == 2) out.push_back(2);
  TPlan plan;
  plan.oddLow = low <= 3 ? 3 : (low | 1);
  plan.high = high;
  if (plan.oddLow > high || out.size() >= maxCount) return out;

  const std::uint64_t root = IntegerSqrt64(high);
  plan.exact = root <= kPresieveBound;
  const std::vector<std::uint32_t>& all = PresievePrimes();
  plan.used = plan.exact ? std::upper_bound(all.begin(), all.end(), root) - all.begin() : all.size();
  // The pattern covers the primes up to 13; the rest cross off.
  plan.first = std::upper_bound(all.begin(), all.begin() + plan.used, 13u) - all.begin();
  plan.total = (high - plan.oddLow) / 2 + 1;
  plan.chunks = (plan.total + kChunk - 1) / kChunk;

  if (threads == 0) threads = SearchThreadCount();
  threads = static_cast<unsigned>(std::min<std::uint64_t>(threads, plan.chunks));
  if (threads <= 1) {
    TChunkSieve sieve(plan, 1);
    std::vector<std::uint64_t> primes;
    for (std::uint64_t c = 0; c < plan.chunks; ++c) {
      CheckCancelled(progress);
      primes.clear();
      sieve.Run(c, primes);
      if (Append(out, primes, maxCount)) break;
      ReportDone(progress, plan, c + 1, out.size(), maxCount);
    }
    return out;
  }
  CheckCancelled(progress);
  TParallelRun(plan, threads, progress).Run(out, maxCount);
  return out;
}
