#include "windows/TesterSupport.h"

#include "platform/Platform.h"
#include "tools/Testers.h"

QString DateTimeText(Platform& platform, const QDateTime& at) {
  return platform.ShortDate(at.date()) + QLatin1Char(' ') + platform.LongTime(at.time());
}

QString DurationText(Platform& platform, const QTime& start) {
  const int ms = DurationOfDay(start.msecsSinceStartOfDay(), platform.Now().time().msecsSinceStartOfDay());
  return platform.LongTime(QTime::fromMSecsSinceStartOfDay(ms));
}

QStringList ToQStringList(const std::vector<std::string>& lines) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) out << QString::fromStdString(line);
  return out;
}
