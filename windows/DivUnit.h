// The divisor finder window: all divisors of a 64-bit integer as a tree.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TDivForm : public QWidget {
  Q_OBJECT
public:
  TDivForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
