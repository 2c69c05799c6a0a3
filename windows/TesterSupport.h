// Texts the two testers of the main window share: the dated line of a
// report and the duration of a test, both in the system's formats.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class Platform;

// Short date, one blank, long time: "11/12/2026 10:20:30".
QString DateTimeText(Platform& platform, const QDateTime& at);
// The time from start to now as a time of day in the long time format.
QString DurationText(Platform& platform, const QTime& start);
QStringList ToQStringList(const std::vector<std::string>& lines);
