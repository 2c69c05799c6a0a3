#include "ModalDriver.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {
constexpr int kPollMs = 10;
constexpr int kGiveUpPolls = 1000;
}  // namespace

ModalDriver::ModalDriver() {
  timer_.setInterval(kPollMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
}

void ModalDriver::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal->isVisible() && tryAct_(modal)) {
    acted_ = true;
    timer_.stop();
    return;
  }
  if (++polls_ < kGiveUpPolls) return;
  timer_.stop();
  ADD_FAILURE() << "the expected modal window did not appear";
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) d->reject();
}
