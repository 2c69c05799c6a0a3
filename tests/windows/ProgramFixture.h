// A whole program run for tests: the nine windows over a FakePlatform and a
// settings store in an INI file of a temporary directory, which survives
// Restart() the way the registry survives a new start.
#pragma once

#include <QComboBox>
#include <QPoint>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <gtest/gtest.h>

#include <memory>

#include "QStringPrint.h"
#include "platform/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "windows/ProgramWindows.h"

class ProgramFixture : public ::testing::Test {
protected:
  ProgramFixture();
  ~ProgramFixture() override;

  // Ends the run (no close handlers: what a run stores is written by the
  // tests through the windows) and starts a new one on the same settings.
  void Restart();
  void Start();

  TWindows& W() { return program_->Windows(); }
  QString IniPath() const { return dir_.filePath(QStringLiteral("settings.ini")); }
  QString TempPath(const QString& name) const { return dir_.filePath(name); }

  // The stored values as the file holds them, with no store in between.
  QStringList StoredNames() const;
  QVariant Stored(const QString& name) const;
  void Store(const QString& name, const QVariant& value);

  // ---- the user's hands: events delivered the way the window system
  // delivers them, keys always to the control that has the focus.
  // Shows the window and waits until it is the active one.
  void Activate(QWidget* window);
  // A left click on the innermost control under the point (the control's
  // centre by default): a click on a field lands on its line edit.
  void Click(QWidget* control, QPoint at = QPoint(-1, -1));
  // A right click, which opens the control's context menu if it has one.
  void RightClick(QWidget* control, QPoint at = QPoint(-1, -1));
  // An entry of a combo box's list: Alt+Down in the clicked box opens the
  // list, a click on the entry picks it.
  void Pick(QComboBox* box, int row);
  // Tab (or Shift+Tab) until control has the focus; fails after a round.
  void TabTo(QWidget* control, bool backwards = false);
  void Type(const QString& text);
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // A menu command as reached from the keyboard: Alt+menu opens the menu
  // of the focused window, then the item's underlined letter.
  void Choose(Qt::Key menu, Qt::Key item);
  QWidget* Focus() const;
  // Where a key goes: the open menu, else the focused control.
  QWidget* KeyTarget() const;
  // While true, a modal window is expected (a test that drives one itself).
  bool modalExpected = false;

  QTemporaryDir dir_;
  FakePlatform platform_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<TProgramWindows> program_;

private:
  // Every modal window that appears unexpectedly fails the test and is
  // closed, so the test goes on instead of hanging.
  void WatchModals();
  QTimer watchdog_;
};
