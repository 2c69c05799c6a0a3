// The Convertor window: plain, Mersenne and Fermat notations of one number.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TConvertForm : public QWidget {
  Q_OBJECT
public:
  TConvertForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
