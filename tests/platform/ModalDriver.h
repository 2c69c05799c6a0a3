// Acts on the next modal window (a message box, a file dialog, the progress
// dialog) from inside the event loop that shows it, as a user would, so
// tests of real dialogs never block.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

class ModalDriver {
public:
  ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // act is called once, with the first visible modal window of type W. If
  // none appears within a few seconds, the test fails and every modal
  // window is rejected, so it fails instead of hanging.
  template <typename W>
  void OnModal(std::function<void(W*)> act) {
    tryAct_ = [act](QWidget* w) {
      W* typed = qobject_cast<W*>(w);
      if (!typed) return false;
      act(typed);
      return true;
    };
    acted_ = false;
    polls_ = 0;
    timer_.start();
  }

  bool Acted() const { return acted_; }

private:
  void Poll();

  std::function<bool(QWidget*)> tryAct_;
  QTimer timer_;
  int polls_ = 0;
  bool acted_ = false;
};

// Whether a visible top-level window of type W exists.
template <typename W>
bool AnyWindowShown() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && qobject_cast<W*>(w)) return true;
  return false;
}
