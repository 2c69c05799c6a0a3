#include "windows/SettingBindings.h"

#include <QCheckBox>
#include <QLineEdit>

#include "settings/SettingsStore.h"
#include "windows/WidgetHelpers.h"

TSettingBinding Bind(TSetting id, QCheckBox* box) {
  return {id, [box] { return QVariant(box->isChecked()); }, [box](const QVariant& v) { box->setChecked(v.toBool()); }};
}

TSettingBinding Bind(TSetting id, QLineEdit* edit, int limit) {
  return {id, [edit] { return QVariant(edit->text()); },
          [edit, limit](const QVariant& v) { SetTextBeyondLimit(edit, limit, v.toString()); }};
}

bool LoadSettings(SettingsStore& store, const TSettingBindings& bindings) {
  if (!store.OpenKey(false)) return false;
  for (const TSettingBinding& b : bindings) {
    const TSettingInfo& info = SettingInfo(b.id);
    const QString name = QString::fromLatin1(info.name);
    switch (info.type) {
      case TSettingType::Bool: {
        bool value = false;
        if (store.ReadBool(name, value)) b.set(value);
        break;
      }
      case TSettingType::Integer: {
        int value = 0;
        if (store.ReadInteger(name, value)) b.set(value);
        break;
      }
      case TSettingType::String: {
        QString value;
        if (store.ReadString(name, value)) b.set(value);
        break;
      }
    }
  }
  store.CloseKey();
  return true;
}

void StoreSettings(SettingsStore& store, const TSettingBindings& bindings) {
  if (!store.OpenKey(true)) return;
  for (const TSettingBinding& b : bindings) {
    const TSettingInfo& info = SettingInfo(b.id);
    const QString name = QString::fromLatin1(info.name);
    const QVariant value = b.get();
    switch (info.type) {
      case TSettingType::Bool: store.WriteBool(name, value.toBool()); break;
      case TSettingType::Integer: store.WriteInteger(name, value.toInt()); break;
      case TSettingType::String: store.WriteString(name, value.toString()); break;
    }
  }
  store.CloseKey();
}
