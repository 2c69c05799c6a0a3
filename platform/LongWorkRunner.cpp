#include "platform/LongWorkRunner.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

namespace {

// The hour-glass for the whole run, also when the work throws.
class WaitCursor {
public:
  WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The worker thread. Its destructor never lets the thread outlive it: if the
// user-interface side leaves early (an exception of its own), the work is
// asked to stop and waited for.
class Worker {
public:
  Worker(const std::function<void(TProgress&)>& work, TProgress& progress, QEventLoop& loop)
      : progress_(progress) {
    thread_ = std::thread([this, &work, &loop] {
      try {
        work(progress_);
      } catch (const ECancelled&) {
        threwCancelled_ = true;
      } catch (...) {
        error_ = std::current_exception();
      }
      finished_.store(true, std::memory_order_release);
      // Wakes the waiting loop now rather than at its next tick. The loop
      // outlives this thread (it is joined first), and an event still queued
      // when the loop goes is dropped with it.
      QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
  }

  ~Worker() {
    if (!thread_.joinable()) return;
    if (!Finished()) progress_.Cancel();
    thread_.join();
  }

  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  bool Finished() const { return finished_.load(std::memory_order_acquire); }

  // Only after Join().
  void Join() { thread_.join(); }
  bool ThrewCancelled() const { return threwCancelled_; }
  std::exception_ptr Error() const { return error_; }

private:
  TProgress& progress_;
  std::thread thread_;
  std::atomic<bool> finished_{false};
  bool threwCancelled_ = false;
  std::exception_ptr error_;
};

constexpr int kSteps = 1000;

void Refresh(QProgressDialog& dialog, const TProgress& progress, const QString& title) {
  QString text = QString::fromStdString(progress.Text());
  if (text.isEmpty()) text = title;
  if (dialog.labelText() != text) dialog.setLabelText(text);

  const double fraction = progress.Fraction();
  if (fraction < 0 || std::isnan(fraction)) {
    if (dialog.maximum() != 0) dialog.setRange(0, 0);  // busy indicator
    return;
  }
  if (dialog.maximum() != kSteps) dialog.setRange(0, kSteps);
  const int value = static_cast<int>(std::lround(std::min(fraction, 1.0) * kSteps));
  if (dialog.value() != value) dialog.setValue(value);
}

}  // namespace

LongWorkRunner::LongWorkRunner(QWidget* parent, const QString& title) : parent_(parent), title_(title) {}

WorkResult LongWorkRunner::Run(const std::function<void(TProgress&)>& work) {
  dialogShown_ = false;
  WaitCursor cursor;
  TProgress progress;
  QEventLoop loop;
  bool cancelRequested = false;
  bool quitting = false;

  Worker worker(work, progress, loop);

  // One turn of the local loop. Once the application is quitting, every
  // event loop returns at once: stop the work rather than spin until it ends.
  auto wait = [&](QEventLoop::ProcessEventsFlags flags) {
    if (loop.exec(flags) < 0) {
      quitting = true;
      progress.Cancel();
    }
  };

  // Quick work: wait without the dialog. Timers and painting go on, but no
  // click or key reaches any window, as in any short operation.
  {
    QTimer delay;
    delay.setSingleShot(true);
    QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
    delay.start(kDialogDelayMs);
    while (!worker.Finished() && delay.isActive() && !quitting) wait(QEventLoop::ExcludeUserInputEvents);
  }

  if (!worker.Finished() && !quitting) {
    // Application-modal rather than modal to the parent only: a click in any
    // other window could start a second piece of work inside this one.
    QProgressDialog dialog(parent_);
    dialog.setWindowTitle(title_);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setMinimumWidth(360);
    Refresh(dialog, progress, title_);
    QObject::connect(&dialog, &QProgressDialog::canceled, &loop, [&] {
      progress.Cancel();
      cancelRequested = true;
      loop.quit();
    });

    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &loop, [&] {
      if (worker.Finished()) {
        loop.quit();
        return;
      }
      if (!cancelRequested) Refresh(dialog, progress, title_);
    });
    refresh.start(kRefreshMs);

    dialog.show();
    dialogShown_ = true;
    QApplication::changeOverrideCursor(QCursor(Qt::BusyCursor));  // Cancel can be clicked
    while (!worker.Finished() && !cancelRequested && !quitting) wait(QEventLoop::AllEvents);

    // Cancelled: the work stops within a tenth of a second; until then, as
    // before the dialog, nothing takes input.
    dialog.hide();
    QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    while (!worker.Finished() && !quitting) wait(QEventLoop::ExcludeUserInputEvents);
  }

  worker.Join();  // at once, or within the tenth of a second a cancelled work takes
  if (worker.Error()) std::rethrow_exception(worker.Error());
  if (cancelRequested || quitting || worker.ThrewCancelled() || progress.Cancelled()) return WorkResult::Cancelled;
  return WorkResult::Done;
}
