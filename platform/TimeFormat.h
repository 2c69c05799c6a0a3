// The long time format of the system, as reports write it: the time of day
// only. Many locales end (or start) their long format with the time zone,
// which has no place in a report line or in a duration.
#pragma once

#include <QString>

// Removes every time-zone field ("t", "tt", "ttt", "tttt") of a QLocale time
// format, with brackets that enclosed only it and the blanks or comma that
// separated it; quoted literal text is left alone.
QString WithoutTimeZone(const QString& timeFormat);
