// The certificate window: the residues of the last certified Lucas-Lehmer test.
#pragma once

#include <QWidget>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TCertifForm : public QWidget {
  Q_OBJECT
public:
  TCertifForm(Platform& platform, SettingsStore& settings, TWindows& windows);

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
};
