// The application quitting while long work runs (the main window closed in
// the first half second, or the session ending): the work is stopped and
// waited for instead of the runner spinning until it ends by itself.
#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/LongWorkRunner.h"

namespace {

using namespace std::chrono_literals;

TEST(LongWorkRunnerQuit, QuittingStopsTheWork) {
  std::atomic<bool> sawCancel{false};
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  LongWorkRunner runner(nullptr, QStringLiteral("Prime search"));
  const WorkResult result = runner.Run([&](TProgress& p) {
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (!p.Cancelled() && std::chrono::steady_clock::now() < giveUp) std::this_thread::sleep_for(1ms);
    sawCancel = p.Cancelled();
  });
  EXPECT_EQ(result, WorkResult::Cancelled);
  EXPECT_TRUE(sawCancel);
  EXPECT_FALSE(runner.DialogShown());
}

}  // namespace
