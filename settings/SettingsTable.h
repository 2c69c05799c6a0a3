// Every value the program stores, declared once: its name under the key
// "Setup", its type, and the design default of the control that holds it
// (what a first start without stored settings shows).
#pragma once

#include <QVariant>

#include <array>

enum class TSettingType { Bool, Integer, String };

enum class TSetting {
  // main window
  AutoClear, MainPositionTop, MainPositionLeft, Certif, MainRef,
  // options window
  PrimeList, NotPrimeList, Message1, Message2, Sep, Warn, Filter, Sort, AutoImport, History,
  AddToHistory, AutoExpand, Messages, SETabApp, LH, CTPN,
  // Splitter
  ME,
  // divisor finder
  WWidth, WHeight,
};

struct TSettingInfo {
  TSetting id;
  const char* name;
  TSettingType type;
  QVariant designDefault;
};

inline constexpr int kSettingCount = 24;

// In the order above.
const std::array<TSettingInfo, kSettingCount>& AllSettings();
const TSettingInfo& SettingInfo(TSetting id);
