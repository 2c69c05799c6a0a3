// Runs one piece of long work on a worker thread while the user-interface
// thread keeps painting. Quick work looks like any short operation: the
// hour-glass and nothing else. Work that outlasts the dialog delay gets a
// modal progress dialog with a Cancel button, refreshed from the progress
// object. Nothing else in the program takes user input meanwhile, and the
// worker has always ended when Run() returns.
#pragma once

#include <QString>

#include <functional>

#include "numbers/progress/Progress.h"
#include "platform/Platform.h"

class QWidget;

class LongWorkRunner {
public:
  static constexpr int kDialogDelayMs = 500;
  static constexpr int kRefreshMs = 30;

  // parent: the window the dialog is centred over; may be null.
  LongWorkRunner(QWidget* parent, const QString& title);

  // Done when the work finished, Cancelled when it was cancelled from the
  // dialog or threw ECancelled; any other exception of the work is rethrown
  // here. Call from the user-interface thread, once.
  WorkResult Run(const std::function<void(TProgress&)>& work);

  // Whether the progress dialog was shown during Run().
  bool DialogShown() const { return dialogShown_; }

private:
  QWidget* parent_;
  QString title_;
  bool dialogShown_ = false;
};
