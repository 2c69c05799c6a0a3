// The prime search engine window, shown modally from the main window.
#pragma once

#include <QDialog>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TSearchForm : public QDialog {
  Q_OBJECT
public:
  TSearchForm(Platform& platform, SettingsStore& settings, TWindows& windows);

  // Pages chosen by tabs (true) or by flat buttons (false); the options
  // window sets it while it loads, before this window is first shown.
  void SetPageStyle(bool tabs);
  bool PageStyleTabs() const { return tabs_; }

private:
  Platform& platform_;
  SettingsStore& settings_;
  TWindows& windows_;
  bool tabs_ = true;
};
