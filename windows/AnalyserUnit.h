// The Splitter window: factorisation, sample factor and next prime.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TAnalyserForm : public QWidget {
  Q_OBJECT
public:
  TAnalyserForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
