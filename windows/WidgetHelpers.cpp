#include "windows/WidgetHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace {

bool AlphabeticallyBefore(const QString& a, const QString& b) {
  return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// Replaces the items without letting the change touch the field's text or
// look like a user's edit to the handlers of the box.
void ReplaceItems(QComboBox* box, const QStringList& items) {
  QLineEdit* edit = box->lineEdit();
  const QString text = edit ? edit->text() : QString();
  const int cursor = edit ? edit->cursorPosition() : 0;
  {
    const QSignalBlocker blockBox(box);
    const QSignalBlocker blockEdit(edit);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    if (edit) {
      if (text.size() > edit->maxLength()) edit->setMaxLength(text.size());
      edit->setText(text);
      edit->setCursorPosition(cursor);
    }
  }
}

}  // namespace

QStringList ItemTexts(const QComboBox* box) {
  QStringList out;
  out.reserve(box->count());
  for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
  return out;
}

void AddHistoryItem(QComboBox* box, const QString& text, bool sorted) {
  QStringList items = ItemTexts(box);
  auto at = sorted ? std::upper_bound(items.begin(), items.end(), text, AlphabeticallyBefore) : items.end();
  items.insert(at, text);
  ReplaceItems(box, items);
}

void SortHistoryItems(QComboBox* box) {
  QStringList items = ItemTexts(box);
  std::stable_sort(items.begin(), items.end(), AlphabeticallyBefore);
  ReplaceItems(box, items);
}

void ClearHistoryItems(QComboBox* box) { ReplaceItems(box, {}); }

void KeepTypingLimit(QLineEdit* edit, int limit) {
  edit->setMaxLength(limit);
  // After a longer text was set, each user edit lowers the limit to what is
  // left, so the text can only shrink back towards the design limit.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, limit](const QString& text) {
    edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
  });
}

void SetTextBeyondLimit(QLineEdit* edit, int limit, const QString& text) {
  edit->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
  edit->setText(text);
}

void AppendLine(QPlainTextEdit* panel, const QString& text) { panel->appendPlainText(text); }
