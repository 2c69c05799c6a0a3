#include "tools/Certificate.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "numbers/mersenne/LucasLehmer.h"
#include "tools/TextFile.h"

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

int ThreadsFor(int threads) {
  return threads > 0 ? threads : static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

// The rows in order through a small ring of slots of a few rows each: one
// thread steps the residues, converters turn them into decimal side by
// side, and the calling thread takes them in order. Memory stays at the
// ring's few residues however long the run; a slot of several rows keeps
// the hand-overs between threads rare beside the work.
class TRowPipeline {
public:
  // produce(row, residue): the residue after the row's iteration, called
  // for the rows in order on one thread. value(row, residue, text): the
  // row's text, called on the converters.
  using Produce = std::function<void(std::int64_t, TBigInt&)>;
  using Value = std::function<void(std::int64_t, const TBigInt&, std::string&)>;
  // take(row, text) on the calling thread; false stops the run.
  using Take = std::function<bool(std::int64_t, const std::string&)>;

  TRowPipeline(std::int64_t rows, int converters, Produce produce, Value value)
      : rows_(rows), batches_((rows + kRowsPerSlot - 1) / kRowsPerSlot),
        slots_(static_cast<std::size_t>(2 * converters + 2)), produce_(std::move(produce)), value_(std::move(value)),
        converters_(converters) {}

  // Returns false when take stopped it; throws ECancelled, or what a
  // worker threw.
  bool Run(const Take& take, TProgress* progress) {
    std::vector<std::thread> workers;
    workers.emplace_back([this] { Guard([this] { Producer(); }); });
    for (int i = 0; i < converters_; ++i) workers.emplace_back([this] { Guard([this] { Converter(); }); });
    bool taken = true, cancelled = false;
    try {
      for (std::int64_t batch = 0; batch < batches_ && taken; ++batch) {
        Slot& slot = At(batch);
        {
          std::unique_lock<std::mutex> lock(mutex_);
          // A short wait polls the cancel request, which has no signal.
          while (!stop_ && !(slot.batch == batch && slot.state == kConverted) && !Cancelled(progress))
            changed_.wait_for(lock, std::chrono::milliseconds(10));
          if (stop_) break;
          if (Cancelled(progress)) {
            cancelled = true;
            break;
          }
        }
        const std::int64_t first = batch * kRowsPerSlot;
        for (std::int64_t i = 0; i < slot.rows && taken; ++i) taken = take(first + i, slot.texts[i]);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          slot.state = kEmpty;
        }
        changed_.notify_all();
        const std::int64_t done = first + slot.rows;
        if (progress && (done / kRowsPerSlot % 32 == 0 || done == rows_)) ReportIteration(progress, done, rows_);
      }
    } catch (...) {
      Stop();
      for (std::thread& w : workers) w.join();
      throw;
    }
    Stop();
    for (std::thread& w : workers) w.join();
    if (failure_) std::rethrow_exception(failure_);
    if (cancelled) throw ECancelled();
    return taken;
  }

private:
  static constexpr std::int64_t kRowsPerSlot = 8;
  enum { kEmpty, kProduced, kConverting, kConverted };
  struct Slot {
    std::int64_t batch = -1;
    std::int64_t rows = 0;
    int state = kEmpty;
    std::vector<TBigInt> residues = std::vector<TBigInt>(kRowsPerSlot);
    std::vector<std::string> texts = std::vector<std::string>(kRowsPerSlot);
  };

  static bool Cancelled(const TProgress* progress) { return progress && progress->Cancelled(); }
  Slot& At(std::int64_t batch) { return slots_[static_cast<std::size_t>(batch) % slots_.size()]; }

  void Stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
  }

  template <class F>
  void Guard(F work) {
    try {
      work();
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      stop_ = true;
      changed_.notify_all();
    }
  }

  void Producer() {
    std::vector<TBigInt> residues(kRowsPerSlot);
    for (std::int64_t batch = 0; batch < batches_; ++batch) {
      const std::int64_t first = batch * kRowsPerSlot;
      const std::int64_t rows = std::min(kRowsPerSlot, rows_ - first);
      for (std::int64_t i = 0; i < rows; ++i) produce_(first + i, residues[static_cast<std::size_t>(i)]);
      Slot& slot = At(batch);
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || slot.state == kEmpty; });
      if (stop_) return;
      std::swap(slot.residues, residues);
      slot.batch = batch;
      slot.rows = rows;
      slot.state = kProduced;
      lock.unlock();
      changed_.notify_all();
    }
  }

  void Converter() {
    for (;;) {
      std::int64_t batch;
      Slot* slot;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        if (stop_ || next_ >= batches_) return;
        batch = next_++;
        slot = &At(batch);
        changed_.wait(lock, [&] { return stop_ || (slot->batch == batch && slot->state == kProduced); });
        if (stop_) return;
        slot->state = kConverting;
      }
      const std::int64_t first = batch * kRowsPerSlot;
      for (std::int64_t i = 0; i < slot->rows; ++i)
        value_(first + i, slot->residues[static_cast<std::size_t>(i)], slot->texts[static_cast<std::size_t>(i)]);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        slot->state = kConverted;
      }
      changed_.notify_all();
    }
  }

  const std::int64_t rows_, batches_;
  std::vector<Slot> slots_;
  Produce produce_;
  Value value_;
  const int converters_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t next_ = 0;  // the next batch to convert
  bool stop_ = false;
  std::exception_ptr failure_;
};

// Lines gathered into large writes.
class TLineBuffer {
public:
  explicit TLineBuffer(TAtomicFile& file) : file_(file) { buffer_.reserve(kSize + 4096); }
  bool Add(const std::string& key, const std::string& value) {
    buffer_ += key;
    buffer_ += '=';
    buffer_ += value;
    buffer_ += "\r\n";
    return buffer_.size() < kSize || Flush();
  }
  bool Flush() {
    const bool ok = file_.Write(buffer_);
    buffer_.clear();
    return ok;
  }

private:
  static constexpr std::size_t kSize = 1u << 20;
  TAtomicFile& file_;
  std::string buffer_;
};

}  // namespace

TCertificate TCertificate::Shape(std::int32_t p, std::size_t checkpointBytes) {
  TCertificate c;
  c.p_ = p;
  c.prime_ = p == 2;
  if (p < 3) return c;
  c.rows_ = static_cast<std::int64_t>(p) - 2;
  c.width_ = static_cast<std::size_t>((p + 30) / 31);
  const std::uint64_t all = static_cast<std::uint64_t>(c.rows_) * c.width_ * sizeof(std::uint32_t);
  const std::uint64_t budget = std::max<std::uint64_t>(checkpointBytes, 1);
  c.spacing_ = std::clamp<std::int64_t>(static_cast<std::int64_t>((all + budget - 1) / budget), 1, kMaxSpacing);
  c.words_.reserve(static_cast<std::size_t>(c.rows_ / c.spacing_ + 1) * c.width_);
  return c;
}

TCertificate TCertificate::Run(std::int32_t p, TProgress* progress, std::size_t checkpointBytes) {
  TCertificate c = Shape(p, checkpointBytes);
  if (p < 3) return c;

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

TCertificate TCertificate::RunWritingFile(std::int32_t p, TAtomicFile& file, TProgress* progress, int threads,
                                          std::size_t checkpointBytes) {
  if (p < 3) return Run(p, progress, checkpointBytes);
  TCertificate c = Shape(p, checkpointBytes);

  TLucasLehmerRun run(p);
  c.Keep(BigIntFromInt64(4));
  TRowPipeline pipeline(
      c.rows_, ThreadsFor(threads),
      [&](std::int64_t row, TBigInt& residue) {
        run.Step();
        residue = run.Residue();
        if ((row + 1) % c.spacing_ == 0) c.Keep(residue);
      },
      [](std::int64_t, const TBigInt& residue, std::string& text) { text = BigIntToDecimal(residue); });
  TLineBuffer lines(file);
  if (!pipeline.Run([&](std::int64_t row, const std::string& value) { return lines.Add(Key(row), value); },
                    progress) ||
      !lines.Flush())
    throw std::runtime_error(file.Failure());
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

bool TCertificate::EachRow(const std::function<bool(std::int64_t, const std::string&)>& take, TProgress* progress,
                           int threads) const {
  if (rows_ == 0) return true;
  // The residues are stepped on from the start on one thread (one
  // iteration a row, at the transform's speed); the decimal conversions
  // dominate and run side by side.
  TLucasLehmerRun run(p_);
  TRowPipeline pipeline(
      rows_, ThreadsFor(threads),
      [&](std::int64_t, TBigInt& residue) {
        run.Step();
        residue = run.Residue();
      },
      [this](std::int64_t row, const TBigInt& residue, std::string& text) {
        const auto edited = overrides_.find(row);
        text = edited != overrides_.end() ? edited->second : BigIntToDecimal(residue);
      });
  return pipeline.Run(take, progress);
}

void TCertificate::ForEachRow(const std::function<void(const std::string&, const std::string&)>& line,
                              TProgress* progress, int threads) const {
  EachRow(
      [&](std::int64_t row, const std::string& value) {
        line(Key(row), value);
        return true;
      },
      progress, threads);
}

bool TCertificate::WriteRows(TAtomicFile& file, TProgress* progress, int threads) const {
  TLineBuffer lines(file);
  const bool ok =
      EachRow([&](std::int64_t row, const std::string& value) { return lines.Add(Key(row), value); }, progress, threads);
  return lines.Flush() && ok;
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
