#include "windows/TextFileWriter.h"

#include <QFile>

#include <string>
#include <vector>

#include "tools/TextFile.h"

QString SaveLinesFile(const QString& path, const QStringList& lines) {
  // The lists hold what the user typed, so they go out as UTF-8 through the
  // same all-or-nothing writer as every other text file.
  std::vector<std::string> bytes;
  bytes.reserve(static_cast<std::size_t>(lines.size()));
  for (const QString& line : lines) bytes.push_back(line.toUtf8().toStdString());
  const std::string failure = WriteTextLines(QFile::encodeName(path).toStdString(), bytes);
  return QString::fromLocal8Bit(failure.c_str());
}
