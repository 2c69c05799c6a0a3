#include "cli/LongRun.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <exception>
#include <mutex>
#include <ostream>
#include <thread>

#include "cli/Command.h"
#include "tools/Convertor.h"

namespace {

// Read by the signal handler: a fixed buffer, never reallocated.
char gInterruptPath[4096];

extern "C" void OnInterrupt(int signal) {
  if (gInterruptPath[0] != '\0') std::remove(gInterruptPath);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

bool TakeNoLimit(std::vector<std::string>& args) {
  const auto end = std::remove(args.begin(), args.end(), std::string(kNoLimitOption));
  const bool found = end != args.end();
  args.erase(end, args.end());
  return found;
}

void CheckLength(const std::string& what, const std::string& text, std::size_t limit) {
  const std::size_t length = Utf8Length(text);
  if (length <= limit) return;
  throw EBadInput(what + " has " + std::to_string(length) + " characters; the limit is " + std::to_string(limit) +
                  ". " + kNoLimitAdvice);
}

void CheckLength(const std::string& text, std::size_t limit, const std::string& message) {
  if (Utf8Length(text) > limit) throw EBadInput(message + " " + kNoLimitAdvice);
}

void RunWork(bool showProgress, std::ostream& err, const std::function<void(TProgress&)>& work) {
  TProgress progress;
  if (!showProgress) {
    work(progress);
    return;
  }
  err << "calvenna-cli: this may take long; progress follows every second (Ctrl+C stops)." << std::endl;
  std::mutex mutex;
  std::condition_variable doneSignal;
  bool done = false;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      work(progress);
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard<std::mutex> lock(mutex);
    done = true;
    doneSignal.notify_one();
  });
  const auto start = std::chrono::steady_clock::now();
  {
    std::unique_lock<std::mutex> lock(mutex);
    while (!doneSignal.wait_for(lock, std::chrono::seconds(1), [&] { return done; })) {
      const auto seconds =
          std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
      // Appended, not "text" + string: GCC 12 warns wrongly (-Wrestrict) on
      // the inlined insert of the latter, which -Werror would stop on.
      std::string line = "calvenna-cli: ";
      line += std::to_string(seconds);
      line += " s";
      const std::string text = progress.Text();
      if (!text.empty()) {
        line += ", ";
        line += text;
      }
      const double fraction = progress.Fraction();
      if (fraction >= 0) {
        line += " ";
        line += std::to_string(static_cast<int>(fraction * 100));
        line += " %";
      }
      err << line << std::endl;
    }
  }
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

void RemoveOnInterrupt(const std::string& path) {
  // The first character goes in last, so the handler never sees half a name.
  gInterruptPath[0] = '\0';
  if (path.empty() || path.size() >= sizeof gInterruptPath) return;
  std::copy(path.begin() + 1, path.end(), gInterruptPath + 1);
  gInterruptPath[path.size()] = '\0';
  gInterruptPath[0] = path[0];
}

void InstallInterruptHandler() { std::signal(SIGINT, OnInterrupt); }
