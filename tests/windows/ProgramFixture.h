// A whole program run for tests: the nine windows over a FakePlatform and a
// settings store in an INI file of a temporary directory, which survives
// Restart() the way the registry survives a new start.
#pragma once

#include <QSettings>
#include <QTemporaryDir>
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

  QTemporaryDir dir_;
  FakePlatform platform_;
  std::unique_ptr<SettingsStore> store_;
  std::unique_ptr<TProgramWindows> program_;
};
