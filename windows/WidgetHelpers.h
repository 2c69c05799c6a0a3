// Small widget routines every form shares: history lists of combo boxes,
// typing limits that do not cut texts set by the program, and plain-text
// lines in text panels.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The item texts of a combo box, in list order.
QStringList ItemTexts(const QComboBox* box);

// Adds text to the list: at the end, or at its place in alphabetical order
// (letters without regard to case) when the list is kept sorted.
void AddHistoryItem(QComboBox* box, const QString& text, bool sorted);

// Puts the items in alphabetical order; the field's text stays as it is.
void SortHistoryItems(QComboBox* box);

// Removes every item; the field's text stays as it is.
void ClearHistoryItems(QComboBox* box);

// A typing limit of limit characters. Unlike QLineEdit's own, it does not
// shorten a longer text set by SetTextBeyondLimit (a stored or pasted one):
// such a text can be shortened by the user but not lengthened.
void KeepTypingLimit(QLineEdit* edit, int limit);
void SetTextBeyondLimit(QLineEdit* edit, int limit, const QString& text);

// Appends text as a new line, always as plain text.
void AppendLine(QPlainTextEdit* panel, const QString& text);
