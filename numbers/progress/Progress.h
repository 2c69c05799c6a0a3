// The progress object long computations take: they report how far they are
// and poll whether the user asked them to stop. A computation that sees the
// request ends by throwing ECancelled (or returns early where it says so).
//
// Report() may be called from a worker thread and often; the receiver keeps
// only the latest values, and the window shows them on its own clock.
#pragma once

#include <atomic>
#include <exception>
#include <mutex>
#include <string>

class ECancelled : public std::exception {
public:
  const char* what() const noexcept override { return "Cancelled"; }
};

class TProgress {
public:
  virtual ~TProgress() = default;

  // fraction in 0..1, or negative when the amount of work is unknown.
  void Report(double fraction, const std::string& text = std::string()) {
    std::lock_guard<std::mutex> lock(mutex_);
    fraction_ = fraction;
    text_ = text;
  }
  double Fraction() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return fraction_;
  }
  std::string Text() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }

  void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
  bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
  // For loops: throws ECancelled once a stop was asked for.
  void CheckCancelled() const {
    if (Cancelled()) throw ECancelled();
  }

private:
  mutable std::mutex mutex_;
  double fraction_ = -1.0;
  std::string text_;
  std::atomic<bool> cancelled_{false};
};

// Helpers for engines that accept a null progress pointer.
inline void ReportProgress(TProgress* p, double fraction, const std::string& text = std::string()) {
  if (p) p->Report(fraction, text);
}
inline void CheckCancelled(const TProgress* p) {
  if (p) p->CheckCancelled();
}
