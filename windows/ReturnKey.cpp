#include "windows/ReturnKey.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

ReturnKeyFilter::ReturnKeyFilter(QWidget* field, std::function<void()> action)
    : QObject(field), action_(std::move(action)) {}

bool ReturnKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (action_) action_();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void RunOnReturn(QWidget* field, std::function<void()> action) {
  QWidget* target = field;
  if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) target = combo->lineEdit();
  target->installEventFilter(new ReturnKeyFilter(target, std::move(action)));
}
