#include "platform/Platform.h"

#include "tools/ErrorText.h"

QString WithFullStop(const QString& text) { return QString::fromStdString(WithFullStop(text.toStdString())); }
