#include "windows/FieldKeys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "windows/SharedRoutines.h"
#include "windows/WidgetHelpers.h"

namespace {

class ReturnKeyFilter : public QObject {
public:
  ReturnKeyFilter(QWidget* field, std::function<void()> action) : QObject(field), action_(std::move(action)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (action_) action_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  std::function<void()> action_;
};

// Marks the time the field spends losing the focus, when Qt's own pick
// report is no user's pick.
class FocusOutMark : public QObject {
public:
  explicit FocusOutMark(QComboBox* field) : QObject(field) {}
  bool losingFocus = false;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      // Delivered here, once: the field must not see it again.
      losingFocus = true;
      watched->event(event);
      losingFocus = false;
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void RunOnReturn(QWidget* field, std::function<void()> action) {
  field->installEventFilter(new ReturnKeyFilter(field, std::move(action)));
}

DigitFilter::DigitFilter(QWidget* field, std::function<void(std::uint16_t)> keyUp)
    : QObject(field), keyUp_(std::move(keyUp)) {}

bool DigitFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat() && keyUp_) keyUp_(VirtualKeyCode(key->key(), key->modifiers() & Qt::KeypadModifier));
  }
  return QObject::eventFilter(watched, event);
}

void InstallDigitFilter(QWidget* field, std::function<void(std::uint16_t)> keyUp) {
  field->installEventFilter(new DigitFilter(field, std::move(keyUp)));
}

void ApplyDigitFilter(QComboBox* field, bool filterOn, std::uint16_t key) {
  if (!filterOn || IsEditingKey(key)) return;
  ClearHistoryItems(field);
  field->setEditText(QString());
}

void OnUserPick(QComboBox* field, std::function<void(int index)> picked) {
  auto* mark = new FocusOutMark(field);
  field->installEventFilter(mark);
  QObject::connect(field, &QComboBox::activated, mark, [mark, picked = std::move(picked)](int index) {
    if (!mark->losingFocus) picked(index);
  });
}
