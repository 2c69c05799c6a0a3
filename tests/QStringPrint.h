// Lets GoogleTest print QString values as text in its failure messages.
#pragma once

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
