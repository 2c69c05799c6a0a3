// The store of the program's settings, with the registry's operations over
// QSettings: native format, user scope, organisation "Orvane", application
// "Calvenna 4", every value in the group "Setup". Booleans are written as the
// integers 1 and 0 and read as true when not 0.
//
// Reading never throws: a value of the wrong type, or a store that cannot be
// read or written, is reported once through the error report naming the
// value, and the caller's default stays.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSettings;

class SettingsStore {
public:
  using ErrorReport = std::function<void(const QString&)>;

  // The user's real store.
  explicit SettingsStore(ErrorReport report);
  // A store in an INI file of its own (tests, or a portable installation).
  SettingsStore(const QString& iniFile, ErrorReport report);
  ~SettingsStore();

  // Opens the key "Setup"; without create, false when it does not exist.
  bool OpenKey(bool create);
  void CloseKey();
  bool KeyExists() const;
  bool ValueExists(const QString& name) const;

  // Each reader returns false (and leaves value alone) when the value is
  // absent or could not be read as that type.
  bool ReadBool(const QString& name, bool& value);
  bool ReadInteger(const QString& name, int& value);
  bool ReadString(const QString& name, QString& value);

  void WriteBool(const QString& name, bool value);
  void WriteInteger(const QString& name, int value);
  void WriteString(const QString& name, const QString& value);

  // Pushes writes to permanent storage; reports a failure once.
  void Flush();

private:
  QString Key(const QString& name) const;
  // Reports once that the store could not be read, naming the value asked.
  void CheckReadable(const QString& name) const;
  // Reports once that a value could not be read as its type.
  void ReportWrongType(const QString& name, const QString& text, const QString& kind);
  void Report(const QString& message) const;
  void Written(const QString& name);

  std::unique_ptr<QSettings> settings_;
  ErrorReport report_;
  bool open_ = false;
  // The store could not be read or written; reported once. Set from the
  // const readers too (KeyExists).
  mutable bool reportedFailure_ = false;
  QSet<QString> reportedValues_;  // values of the wrong type, reported
  QStringList unsaved_;           // written since the last flush
};
