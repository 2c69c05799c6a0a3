#include "windows/TextFileWriter.h"

#include <QDir>
#include <QSaveFile>

QString SaveLinesFile(const QString& path, const QStringList& lines) {
  QByteArray data;
  for (const QString& line : lines) {
    data += line.toUtf8();
    data += "\r\n";
  }
  const QString shown = QDir::toNativeSeparators(path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return QStringLiteral("Cannot create file %1 (%2)").arg(shown, file.errorString());
  if (file.write(data) != data.size()) {
    const QString why = file.errorString();
    file.cancelWriting();
    return QStringLiteral("Cannot write file %1 (%2)").arg(shown, why);
  }
  if (!file.commit()) return QStringLiteral("Cannot write file %1 (%2)").arg(shown, file.errorString());
  return QString();
}
