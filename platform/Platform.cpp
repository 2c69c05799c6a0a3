#include "platform/Platform.h"

QString WithFullStop(const QString& text) {
  if (!text.isEmpty() && text.back() <= QChar('.')) return text;
  return text + QChar('.');
}
