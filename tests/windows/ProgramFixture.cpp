#include "ProgramFixture.h"

ProgramFixture::ProgramFixture() { Start(); }

ProgramFixture::~ProgramFixture() {
  program_.reset();
  store_.reset();
}

void ProgramFixture::Start() {
  store_ = std::make_unique<SettingsStore>(IniPath(), [this](const QString& m) { platform_.ShowError(m); });
  program_ = std::make_unique<TProgramWindows>(platform_, *store_);
}

void ProgramFixture::Restart() {
  program_.reset();
  store_.reset();
  Start();
}

QStringList ProgramFixture::StoredNames() const {
  QSettings ini(IniPath(), QSettings::IniFormat);
  ini.beginGroup(QStringLiteral("Setup"));
  QStringList names = ini.childKeys();
  names.sort();
  return names;
}

QVariant ProgramFixture::Stored(const QString& name) const {
  QSettings ini(IniPath(), QSettings::IniFormat);
  return ini.value(QStringLiteral("Setup/") + name);
}

void ProgramFixture::Store(const QString& name, const QVariant& value) {
  {
    QSettings ini(IniPath(), QSettings::IniFormat);
    ini.setValue(QStringLiteral("Setup/") + name, value);
  }
}
