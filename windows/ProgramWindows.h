// The nine windows of the program, created once in their fixed order and
// destroyed in the reverse order. The options window reads the stored
// options at creation and already sets the search engine's page style, so
// the search engine comes before it.
#pragma once

#include <memory>

#include "windows/Windows.h"

class Platform;
class SettingsStore;

class TProgramWindows {
public:
  TProgramWindows(Platform& platform, SettingsStore& settings);
  ~TProgramWindows();
  TProgramWindows(const TProgramWindows&) = delete;
  TProgramWindows& operator=(const TProgramWindows&) = delete;

  TWindows& Windows() { return windows_; }

private:
  TWindows windows_;
  std::unique_ptr<TMainForm> main_;
  std::unique_ptr<TSearchForm> search_;
  std::unique_ptr<TOptionsForm> options_;
  std::unique_ptr<TDivForm> div_;
  std::unique_ptr<TAnalyserForm> analyser_;
  std::unique_ptr<TCalcForm> calc_;
  std::unique_ptr<TModForm> mod_;
  std::unique_ptr<TCertifForm> certif_;
  std::unique_ptr<TConvertForm> convert_;
};
