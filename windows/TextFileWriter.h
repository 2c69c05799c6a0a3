// Writing a text file of lines, each ended by CR LF, all or nothing: the
// file is built aside and only replaces the target once it is complete, so
// a failure never leaves a half-written file (tools/TextFile does it).
#pragma once

#include <QString>
#include <QStringList>

// Returns an empty text on success, else the message of the failure.
QString SaveLinesFile(const QString& path, const QStringList& lines);
