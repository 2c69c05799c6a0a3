#include <QKeyEvent>

#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "windows/SharedRoutines.h"

TEST(IsEditingKey, KeypadDigitsArrowsAndEditingKeysOnly) {
  struct Case {
    std::uint16_t key;
    bool editing;
  };
  const Case cases[] = {
      {96, true},  {100, true}, {105, true},   // keypad 0, 4, 9
      {48, false}, {57, false},                // main-row 0 and 9
      {37, true},  {38, true},  {39, true},  {40, true},  // arrows
      {8, true},   {13, true},  {46, true},    // Backspace, Enter, Delete
      {36, false}, {35, false}, {16, false}, {17, false},  // Home, End, Shift, Ctrl
      {65, false}, {95, false}, {106, false}, {41, false}, {45, false}, {0, false}, {65535, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsEditingKey(c.key), c.editing) << "key " << c.key;
}

TEST(VirtualKeyCode, TellsKeypadDigitsFromMainRowDigits) {
  EXPECT_EQ(VirtualKeyCode(Qt::Key_0, true), 96);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_9, true), 105);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_0, false), 48);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_A, false), 65);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Left, false), 37);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Enter, true), 13);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Delete, false), 46);
  EXPECT_EQ(VirtualKeyCode(Qt::Key_Home, false), 36);
  // The keys a digit filter must let through are exactly the editing keys.
  for (int k : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Delete, Qt::Key_Up, Qt::Key_Down})
    EXPECT_TRUE(IsEditingKey(VirtualKeyCode(k, false))) << k;
  for (int k : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Home, Qt::Key_End, Qt::Key_5, Qt::Key_Period, Qt::Key_Space})
    EXPECT_FALSE(IsEditingKey(VirtualKeyCode(k, false))) << k;
}

TEST(IsInList, WholeItemsWithoutRegardToCase) {
  struct Case {
    const char* text;
    QStringList list;
    bool found;
  };
  const Case cases[] = {
      {"7", {"007"}, false},
      {"abc", {"ABC"}, true},
      {"abc13", {"7", "ABC13"}, true},
      {"13", {"abc13"}, false},
      {"12", {"123"}, false},
      {"", {}, false},
      {"7", {}, false},
      {"", {""}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsInList(QString::fromLatin1(c.text), c.list), c.found) << c.text << " in " << c.list.join(',').toStdString();
}
