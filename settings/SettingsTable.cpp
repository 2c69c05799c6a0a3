#include "settings/SettingsTable.h"

const std::array<TSettingInfo, kSettingCount>& AllSettings() {
  using T = TSettingType;
  using S = TSetting;
  static const std::array<TSettingInfo, kSettingCount> table{{
      {S::AutoClear, "AutoClear", T::Bool, false},
      {S::MainPositionTop, "MainPositionTop", T::Integer, 107},
      {S::MainPositionLeft, "MainPositionLeft", T::Integer, 59},
      {S::Certif, "Certif", T::Bool, true},
      {S::MainRef, "MainRef", T::Bool, false},
      {S::PrimeList, "PrimeList", T::Bool, true},
      {S::NotPrimeList, "NotPrimeList", T::Bool, true},
      {S::Message1, "Message1", T::String, QStringLiteral("This is a prime number")},
      {S::Message2, "Message2", T::String, QStringLiteral("This is composite")},
      {S::Sep, "Sep", T::Bool, false},
      {S::Warn, "Warn", T::Bool, true},
      {S::Filter, "Filter", T::Bool, false},
      {S::Sort, "Sort", T::Bool, false},
      {S::AutoImport, "AutoImport", T::Bool, false},
      {S::History, "History", T::Bool, true},
      {S::AddToHistory, "AddToHistory", T::Bool, true},
      {S::AutoExpand, "AutoExpand", T::Bool, false},
      {S::Messages, "Messages", T::Bool, true},
      {S::SETabApp, "SETabApp", T::Bool, true},
      {S::LH, "LH", T::Bool, true},
      {S::CTPN, "CTPN", T::Bool, true},
      {S::ME, "ME", T::Bool, true},
      {S::WWidth, "WWidth", T::Integer, 218},
      {S::WHeight, "WHeight", T::Integer, 250},
  }};
  return table;
}

const TSettingInfo& SettingInfo(TSetting id) { return AllSettings()[static_cast<std::size_t>(id)]; }
