#include "platform/TimeFormat.h"

namespace {

// The first run of 't' outside quoted text, as [begin, end); begin < 0 when
// there is none. In a format '' is a literal quote, inside or outside quotes.
void FindZoneField(const QString& f, qsizetype& begin, qsizetype& end) {
  bool quoted = false;
  for (qsizetype i = 0; i < f.size(); ++i) {
    const QChar c = f[i];
    if (c == u'\'') {
      if (i + 1 < f.size() && f[i + 1] == u'\'') {
        ++i;
        continue;
      }
      quoted = !quoted;
    } else if (!quoted && c == u't') {
      end = i;
      while (end < f.size() && f[end] == u't') ++end;
      begin = i;
      return;
    }
  }
  begin = -1;
  end = -1;
}

bool IsSeparator(QChar c) { return c.isSpace() || c == u','; }

QString RemoveField(const QString& f, qsizetype b, qsizetype e) {
  // "(t)" and "[t]" go with their content.
  if (b > 0 && e < f.size() &&
      ((f[b - 1] == u'(' && f[e] == u')') || (f[b - 1] == u'[' && f[e] == u']'))) {
    --b;
    ++e;
  }
  qsizetype lb = b;
  while (lb > 0 && f[lb - 1].isSpace()) --lb;
  qsizetype re = e;
  while (re < f.size() && f[re].isSpace()) ++re;

  if (re == f.size()) {
    // At the end: drop the separator that led to it ("HH:mm:ss, t").
    while (lb > 0 && IsSeparator(f[lb - 1])) --lb;
    return f.left(lb);
  }
  if (lb == 0) {
    while (re < f.size() && IsSeparator(f[re])) ++re;
    return f.mid(re);
  }
  // Between two fields: keep one blank where there was one.
  if (lb < b) return f.left(lb + 1) + f.mid(re);
  if (re > e) return f.left(lb) + f[e] + f.mid(re);
  return f.left(lb) + f.mid(re);
}

}  // namespace

QString WithoutTimeZone(const QString& timeFormat) {
  QString f = timeFormat;
  for (;;) {
    qsizetype b, e;
    FindZoneField(f, b, e);
    if (b < 0) return f;
    f = RemoveField(f, b, e);
  }
}
