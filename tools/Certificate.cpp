#include "tools/Certificate.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "numbers/mersenne/LucasLehmer.h"

namespace {

// The largest spacing: a cancel or a row shown must not wait for more than
// this many iterations.
constexpr std::int64_t kMaxSpacing = 32;

void ReportIteration(TProgress* progress, std::int64_t done, std::int64_t total) {
  if (!progress) return;
  progress->CheckCancelled();
  progress->Report(static_cast<double>(done) / static_cast<double>(total),
                   "Iteration " + std::to_string(done) + " of " + std::to_string(total));
}

}  // namespace

TCertificate TCertificate::Run(std::int32_t p, TProgress* progress, std::size_t checkpointBytes) {
  TCertificate c;
  c.p_ = p;
  if (p == 2) c.prime_ = true;
  if (p < 3) return c;
  c.rows_ = static_cast<std::int64_t>(p) - 2;
  c.width_ = static_cast<std::size_t>((p + 30) / 31);
  const std::uint64_t all = static_cast<std::uint64_t>(c.rows_) * c.width_ * sizeof(std::uint32_t);
  const std::uint64_t budget = std::max<std::uint64_t>(checkpointBytes, 1);
  c.spacing_ = std::clamp<std::int64_t>(static_cast<std::int64_t>((all + budget - 1) / budget), 1, kMaxSpacing);
  c.words_.reserve(static_cast<std::size_t>(c.rows_ / c.spacing_ + 1) * c.width_);

  // One running residue for the whole test: the transform for large p is
  // set up once, and only the kept residues are converted.
  TLucasLehmerRun run(p);
  c.Keep(BigIntFromInt64(4));
  for (std::int64_t done = 0; done < c.rows_;) {
    const std::int64_t step = std::min(c.spacing_, c.rows_ - done);
    for (std::int64_t i = 0; i < step; ++i) run.Step();
    done += step;
    if (step == c.spacing_) c.Keep(run.Residue());
    ReportIteration(progress, done, c.rows_);
  }
  c.prime_ = run.IsZero();
  return c;
}

void TCertificate::Keep(const TBigInt& residue) {
  const std::size_t at = words_.size();
  words_.resize(at + width_, 0);
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(residue.Count()), width_);
  for (std::size_t i = 0; i < n; ++i) words_[at + i] = static_cast<std::uint32_t>(residue.Cells[i + 1]);
}

TBigInt TCertificate::Checkpoint(std::int64_t index) const {
  const std::uint32_t* w = words_.data() + static_cast<std::size_t>(index) * width_;
  std::size_t n = width_;
  while (n > 1 && w[n - 1] == 0) --n;
  TBigInt r;
  r.Cells.assign(n + 1, 0);
  r.Cells[0] = static_cast<std::int64_t>(n);
  for (std::size_t i = 0; i < n; ++i) r.Cells[i + 1] = w[i];
  return r;
}

TBigInt TCertificate::Residue(std::int64_t row, TCertificateCursor& cursor) const {
  const std::int64_t iteration = row + 1;
  const std::int64_t kept = iteration / spacing_;
  const std::int64_t keptIteration = kept * spacing_;
  // Step on from the cursor when it is at least as close as the checkpoint.
  if (cursor.iteration < keptIteration || cursor.iteration > iteration) {
    cursor.residue = Checkpoint(kept);
    cursor.iteration = keptIteration;
  }
  if (cursor.iteration < iteration) {
    LucasLehmerAdvance(p_, cursor.residue, iteration - cursor.iteration);
    cursor.iteration = iteration;
  }
  return cursor.residue;
}

std::string TCertificate::ComputedValue(std::int64_t row, TCertificateCursor& cursor) const {
  return BigIntToDecimal(Residue(row, cursor));
}

std::string TCertificate::Value(std::int64_t row, TCertificateCursor& cursor) const {
  const auto edited = overrides_.find(row);
  if (edited != overrides_.end()) return edited->second;
  return ComputedValue(row, cursor);
}

void TCertificate::SetValue(std::int64_t row, const std::string& text) {
  if (row < 0 || row >= rows_) return;
  overrides_[row] = text;
}

void TCertificate::ForEachRow(const std::function<void(const std::string&, const std::string&)>& line,
                              TProgress* progress, int threads) const {
  if (rows_ == 0) return;
  if (threads <= 0) threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
  // The decimal conversions dominate and every row is independent of the
  // others once its checkpoint is known: blocks of rows are computed side
  // by side and handed over in order.
  const std::int64_t block = spacing_ * std::max<std::int64_t>(1, 64 / spacing_);
  std::vector<std::vector<std::string>> texts(static_cast<std::size_t>(threads));
  std::atomic<bool> stop{false};
  for (std::int64_t first = 0; first < rows_; first += block * threads) {
    auto produce = [&](int t) {
      std::vector<std::string>& out = texts[static_cast<std::size_t>(t)];
      out.clear();
      TCertificateCursor cursor;
      const std::int64_t from = first + t * block;
      const std::int64_t to = std::min(rows_, from + block);
      for (std::int64_t row = from; row < to && !stop.load(std::memory_order_relaxed); ++row) {
        const auto edited = overrides_.find(row);
        out.push_back(edited != overrides_.end() ? edited->second : ComputedValue(row, cursor));
        if (progress && progress->Cancelled()) stop = true;
      }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads && first + t * block < rows_; ++t) helpers.emplace_back(produce, t);
    produce(0);
    for (std::thread& h : helpers) h.join();
    CheckCancelled(progress);
    std::int64_t row = first;
    for (std::vector<std::string>& out : texts) {
      for (const std::string& value : out) line(Key(row++), value);
      out.clear();
    }
    if (row > first) ReportIteration(progress, row, rows_);
  }
}

std::string CertificateLine(const std::string& key, const std::string& value) {
  std::string out;
  out.reserve(key.size() + value.size() + 3);
  out += key;
  out += '=';
  out += value;
  out += "\r\n";
  return out;
}
