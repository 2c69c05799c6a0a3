#include "settings/SettingsStore.h"

#include <QSettings>
#include <QVariant>

#include <limits>

namespace {

const QString kGroup = QStringLiteral("Setup");

bool IsIntegerType(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
      return true;
    default:
      return false;
  }
}

// The stored text of a value, for reading numbers and for messages. An INI
// line with unquoted commas ("a, b") comes back as a list of its parts.
QString StoredText(const QVariant& v) {
  if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
  if (v.typeId() == QMetaType::QByteArray) return QString::fromUtf8(v.toByteArray());
  return v.toString();
}

}  // namespace

SettingsStore::SettingsStore(ErrorReport report)
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Orvane"), QStringLiteral("Calvenna 4"))),
      report_(std::move(report)) {}

SettingsStore::SettingsStore(const QString& iniFile, ErrorReport report)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)), report_(std::move(report)) {}

SettingsStore::~SettingsStore() {
  // A writer that forgot to close still gets its values stored, and hears
  // when they were not.
  if (!unsaved_.isEmpty()) {
    try {
      Flush();
    } catch (...) {
    }
  }
}

QString SettingsStore::Key(const QString& name) const { return kGroup + QLatin1Char('/') + name; }

void SettingsStore::Report(const QString& message) const {
  if (report_) report_(message);
}

void SettingsStore::CheckReadable(const QString& name) const {
  if (reportedFailure_ || settings_->status() == QSettings::NoError) return;
  reportedFailure_ = true;
  const QString why = settings_->status() == QSettings::FormatError
                          ? QStringLiteral("it is not a valid settings file")
                          : QStringLiteral("it cannot be opened");
  Report(QStringLiteral("The settings in \"%1\" could not be read while looking for \"%2\" (%3); "
                        "the defaults are used")
             .arg(settings_->fileName(), name, why));
}

void SettingsStore::ReportWrongType(const QString& name, const QString& text, const QString& kind) {
  if (reportedValues_.contains(name)) return;
  reportedValues_.insert(name);
  Report(QStringLiteral("The setting \"%1\" in \"%2\" holds \"%3\", which is not a valid %4 value; "
                        "its default is used")
             .arg(name, settings_->fileName(), text, kind));
}

bool SettingsStore::OpenKey(bool create) {
  CheckReadable(kGroup);
  if (!create && !KeyExists()) return false;
  open_ = true;
  return true;
}

void SettingsStore::CloseKey() {
  open_ = false;
  if (!unsaved_.isEmpty()) Flush();
}

bool SettingsStore::KeyExists() const {
  CheckReadable(kGroup);
  settings_->beginGroup(kGroup);
  const bool any = !settings_->allKeys().isEmpty();
  settings_->endGroup();
  return any;
}

bool SettingsStore::ValueExists(const QString& name) const {
  CheckReadable(name);
  return settings_->contains(Key(name));
}

bool SettingsStore::ReadBool(const QString& name, bool& value) {
  if (!ValueExists(name)) return false;
  const QVariant v = settings_->value(Key(name));
  if (v.typeId() == QMetaType::Bool) {
    value = v.toBool();
    return true;
  }
  if (IsIntegerType(v)) {
    value = v.toLongLong() != 0;
    return true;
  }
  const QString text = StoredText(v).trimmed();
  bool ok = false;
  const qlonglong n = text.toLongLong(&ok);
  if (ok) {
    value = n != 0;
    return true;
  }
  // Written as text by hand or by another program.
  if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
    value = true;
    return true;
  }
  if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
    value = false;
    return true;
  }
  ReportWrongType(name, StoredText(v), QStringLiteral("Boolean"));
  return false;
}

bool SettingsStore::ReadInteger(const QString& name, int& value) {
  if (!ValueExists(name)) return false;
  const QVariant v = settings_->value(Key(name));
  bool ok = false;
  qlonglong n = 0;
  if (IsIntegerType(v)) {
    n = v.toLongLong(&ok);
    if (v.typeId() == QMetaType::ULongLong && v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<int>::max())) ok = false;
  } else if (v.typeId() != QMetaType::Bool) {
    n = StoredText(v).trimmed().toLongLong(&ok);
  }
  // A 32-bit value, as the registry holds it.
  if (!ok || n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max()) {
    ReportWrongType(name, StoredText(v), QStringLiteral("integer"));
    return false;
  }
  value = static_cast<int>(n);
  return true;
}

bool SettingsStore::ReadString(const QString& name, QString& value) {
  if (!ValueExists(name)) return false;
  const QVariant v = settings_->value(Key(name));
  if (!v.canConvert<QString>() && v.typeId() != QMetaType::QStringList) {
    ReportWrongType(name, QString::fromLatin1(v.typeName()), QStringLiteral("text"));
    return false;
  }
  value = StoredText(v);
  return true;
}

void SettingsStore::Written(const QString& name) {
  if (!unsaved_.contains(name)) unsaved_ << name;
}

void SettingsStore::WriteBool(const QString& name, bool value) {
  settings_->setValue(Key(name), value ? 1 : 0);
  Written(name);
}

void SettingsStore::WriteInteger(const QString& name, int value) {
  settings_->setValue(Key(name), value);
  Written(name);
}

void SettingsStore::WriteString(const QString& name, const QString& value) {
  // Never a null string: it would read back as no text at all on some stores.
  settings_->setValue(Key(name), value.isNull() ? QString(QLatin1String("")) : value);
  Written(name);
}

void SettingsStore::Flush() {
  const QSettings::Status before = settings_->status();
  settings_->sync();
  const QSettings::Status after = settings_->status();
  const QStringList names = unsaved_;
  unsaved_.clear();
  // A file that was malformed when read is still rewritten; only an access
  // error means the values did not reach it. One report per store: a file
  // that could not be opened for reading was reported already.
  const bool failed = after == QSettings::AccessError || (after != QSettings::NoError && before == QSettings::NoError);
  if (!failed || reportedFailure_) return;
  reportedFailure_ = true;
  const QString what = names.isEmpty()
                           ? QStringLiteral("of the program")
                           : QLatin1Char('"') + names.join(QStringLiteral("\", \"")) + QLatin1Char('"');
  Report(QStringLiteral("The settings %1 could not be saved in \"%2\"").arg(what, settings_->fileName()));
}
