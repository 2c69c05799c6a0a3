// The runner of long work: the work runs on a worker thread, quick work shows
// only the hour-glass, long work a modal progress dialog whose Cancel stops
// it, and the worker never outlives Run().
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "QStringPrint.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "ModalDriver.h"
#include "platform/LongWorkRunner.h"

namespace {

using namespace std::chrono_literals;

// Waits in the work until the user-interface thread lets it go. Gives up
// on a cancel, or after ten seconds, so a broken runner fails the test
// rather than hanging it.
void WaitFor(const std::atomic<bool>& flag, const TProgress& p) {
  const auto giveUp = std::chrono::steady_clock::now() + 10s;
  while (!flag.load() && !p.Cancelled() && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(1ms);
}

TEST(LongWorkRunner, QuickWorkShowsTheHourGlassAndNoDialog) {
  std::atomic<bool> looked{false};
  bool waitCursor = false;
  bool dialog = true;
  // Runs on the user-interface thread while the work waits for it: the
  // runner keeps the event loop going, without any dialog yet.
  QTimer::singleShot(0, [&] {
    waitCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    dialog = AnyWindowShown<QProgressDialog>();
    looked = true;
  });
  std::thread::id workThread;
  LongWorkRunner runner(nullptr, QStringLiteral("Search"));
  const WorkResult result = runner.Run([&](TProgress& p) {
    workThread = std::this_thread::get_id();
    p.Report(0.5, "Half");
    WaitFor(looked, p);
  });
  EXPECT_EQ(result, WorkResult::Done);
  EXPECT_FALSE(runner.DialogShown());
  EXPECT_TRUE(waitCursor);
  EXPECT_FALSE(dialog);
  EXPECT_NE(workThread, std::this_thread::get_id());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(LongWorkRunner, ExceptionsOfTheWorkReachTheCaller) {
  LongWorkRunner runner(nullptr, QStringLiteral("Split"));
  try {
    runner.Run([](TProgress&) { throw std::runtime_error("'12a' is not a valid integer value"); });
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // The work's own stop is a cancellation, not an error.
  LongWorkRunner stopping(nullptr, QStringLiteral("Split"));
  EXPECT_EQ(stopping.Run([](TProgress&) { throw ECancelled(); }), WorkResult::Cancelled);
}

struct SeenDialog {
  QString title;
  QString label;
  int value = -2;
  int maximum = -2;
  Qt::WindowModality modality = Qt::NonModal;
  QWidget* parent = nullptr;
};

SeenDialog Look(QProgressDialog* d) {
  return {d->windowTitle(), d->labelText(), d->value(), d->maximum(), d->windowModality(), d->parentWidget()};
}

TEST(LongWorkRunner, LongWorkShowsAModalDialogWithItsProgress) {
  QWidget window;
  window.show();
  std::atomic<bool> release{false};
  SeenDialog seen;
  ModalDriver driver;
  driver.OnModal<QProgressDialog>([&](QProgressDialog* d) {
    // The first refreshes may not have the work's latest report yet.
    if (d->labelText() != QStringLiteral("Sieving")) return;
    seen = Look(d);
    release = true;
  });
  LongWorkRunner runner(&window, QStringLiteral("Prime search"));
  const WorkResult result = runner.Run([&](TProgress& p) {
    p.Report(0.25, "Sieving");
    WaitFor(release, p);
  });
  EXPECT_EQ(result, WorkResult::Done);
  EXPECT_TRUE(runner.DialogShown());
  EXPECT_EQ(seen.title, QStringLiteral("Prime search"));
  EXPECT_EQ(seen.label, QStringLiteral("Sieving"));
  EXPECT_EQ(seen.maximum, 1000);
  EXPECT_EQ(seen.value, 250);
  EXPECT_EQ(seen.modality, Qt::ApplicationModal);
  EXPECT_EQ(seen.parent, &window);
  EXPECT_FALSE(AnyWindowShown<QProgressDialog>());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(LongWorkRunner, CancelStopsTheWorkAndWaitsForIt) {
  std::atomic<bool> ended{false};
  SeenDialog seen;
  ModalDriver driver;
  driver.OnModal<QProgressDialog>([&](QProgressDialog* d) {
    seen = Look(d);
    QPushButton* cancel = d->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
  });
  LongWorkRunner runner(nullptr, QStringLiteral("Lucas-Lehmer"));
  const WorkResult result = runner.Run([&](TProgress& p) {
    p.Report(-1);  // the amount of work is unknown
    std::atomic<bool> never{false};
    WaitFor(never, p);
    // Some clean-up after the request: Run() must wait for it.
    std::this_thread::sleep_for(50ms);
    ended = p.Cancelled();  // false when the request never reached the work
  });
  EXPECT_EQ(result, WorkResult::Cancelled);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(runner.DialogShown());
  EXPECT_EQ(seen.maximum, 0);  // a busy indicator
  EXPECT_EQ(seen.label, QStringLiteral("Lucas-Lehmer"));  // no text reported: the title
  EXPECT_FALSE(AnyWindowShown<QProgressDialog>());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
