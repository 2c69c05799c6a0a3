// The Super Modulo window: an expression reduced modulo a run of factors.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TModForm : public QWidget {
  Q_OBJECT
public:
  TModForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
