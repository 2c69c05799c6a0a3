// The Super Calculator window: arithmetic on two big integers.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TCalcForm : public QWidget {
  Q_OBJECT
public:
  TCalcForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
