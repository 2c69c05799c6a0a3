// The Convertor's conversions between a plain integer, a Mersenne expression
// ('M'a +/- b) and a Fermat expression ('F'a +/- b).
#pragma once

#include <cstddef>
#include <string>

#include "numbers/progress/Progress.h"

enum class TConvertRow { Integer, Mersenne, Fermat };

// The longest source text each row accepts, in characters.
std::size_t ConvertLimit(TConvertRow row);
// The message for a source text above that limit.
std::string ConvertLimitMessage(TConvertRow row);

// Which rows are filled when the conversion starts from another row.
struct TConvertBoxes {
  bool integer = true;
  bool mersenne = true;
  bool fermat = false;
};

struct TConvertResult {
  // Non-empty: the source was too long; show this and change no field.
  std::string message;
  // The new texts of the rows; the source row's own entry is left empty and
  // must not be written back (what the user typed stays as typed). A row
  // whose box is unticked gets the empty text.
  std::string integer, mersenne, fermat;
};

// Converts the source text of one row. A source that is not an integer
// throws EConvertError; a stop asked through progress throws ECancelled
// between the steps (the largest values, F20 with its 315653 digits, are
// built and written in well under a few seconds).
// bounded false lifts the length limit (for callers that warned the user).
TConvertResult Convert(TConvertRow from, const std::string& source, const TConvertBoxes& boxes,
                       TProgress* progress = nullptr, bool bounded = true);

// Number of characters of a UTF-8 text.
std::size_t Utf8Length(const std::string& text);
