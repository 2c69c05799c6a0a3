// The keyboard of the editable fields, caught where the window system
// delivers it. An editable QComboBox holds the focus itself and hands keys
// to its line edit by a direct call, so a filter on the line edit never sees
// them: every filter here sits on the combo box (or a plain line edit).
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

class QComboBox;
class QWidget;

// Enter in the field runs the window's default action exactly once, whether
// the window is a dialog (which would also press its default button) or a
// plain widget (which would do nothing).
void RunOnReturn(QWidget* field, std::function<void()> action);

// Every key released in the field (auto-repeats aside), as a Windows virtual
// key code, goes to keyUp: the window's handler of the "Digit filter".
class DigitFilter : public QObject {
public:
  DigitFilter(QWidget* field, std::function<void(std::uint16_t)> keyUp);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  std::function<void(std::uint16_t)> keyUp_;
};

void InstallDigitFilter(QWidget* field, std::function<void(std::uint16_t)> keyUp);

// The rule of every digit filter: with the filter on, a released key that is
// no editing key empties the field, text and history alike.
void ApplyDigitFilter(QComboBox* field, bool filterOn, std::uint16_t key);

// A history entry picked by the user (from the list, or with the arrow
// keys). Qt also reports a pick when the field merely loses the focus with a
// text that matches an entry; that is no change by the user and is left out.
void OnUserPick(QComboBox* field, std::function<void(int index)> picked);
