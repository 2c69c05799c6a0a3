// The one rule for the end of an error report, shared by the windows'
// message boxes and the command line.
#pragma once

#include <string>

// A full stop is added unless the text already ends with one or with a
// character that sorts before it (a blank, "!", "-", ")" ...); an empty
// text becomes ".". The text is UTF-8.
std::string WithFullStop(std::string text);
