// The pure routines shared by the main window, the testers and the tool
// windows; no widgets, so they are tested as plain functions.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// True when the list holds an item equal to text, letters compared without
// regard to case (abc13 and ABC13 are one item; 7 and 007 are two).
bool IsInList(const QString& text, const QStringList& list);

// The key test of every digit filter, on a Windows virtual key code: keypad
// digits, arrows, Backspace, Enter and Delete are editing keys; everything
// else, the digits of the main row included, is not.
bool IsEditingKey(std::uint16_t key);

// The Windows virtual key code of a released Qt key, so the filters judge
// keys and not characters. keypad tells a keypad key from its twin on the
// main keyboard. Keys without a code of their own give 0.
std::uint16_t VirtualKeyCode(int qtKey, bool keypad);
