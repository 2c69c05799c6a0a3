// A window's stored values as one table: each entry ties a value of the
// settings table to the control (or property) that holds it, and the same
// table drives both loading and storing.
#pragma once

#include <QVariant>

#include <functional>
#include <vector>

#include "settings/SettingsTable.h"

class QCheckBox;
class QLineEdit;
class SettingsStore;

struct TSettingBinding {
  TSetting id;
  std::function<QVariant()> get;                 // the value to store
  std::function<void(const QVariant&)> set;      // applies a stored value
};
using TSettingBindings = std::vector<TSettingBinding>;

TSettingBinding Bind(TSetting id, QCheckBox* box);
// A text longer than limit (stored by hand) is shown whole.
TSettingBinding Bind(TSetting id, QLineEdit* edit, int limit);

// Applies every value present; an absent one leaves its control alone.
// Opens and closes the key; false when there is no key.
bool LoadSettings(SettingsStore& store, const TSettingBindings& bindings);
// Writes every value, creating the key when needed.
void StoreSettings(SettingsStore& store, const TSettingBindings& bindings);
