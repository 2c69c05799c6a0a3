// The search engine between searches: the live estimate, the search
// button's hint, the display of a selected result, and the result files.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Search.h"

extern const char* const kSearchSavedMessage;  // "OK, the file(s) was/were successfully saved."
extern const char* const kSearchNoItem;        // "No item selected"
extern const char* const kSearchSaveTitle;     // "Save the list of prime numbers into..."

// The summary while a bound is typed (when the option "Estimations" is on):
// an empty line, "The estimation is :", then the estimate of the two texts
// read as floating values, uncorrected, and " ...prime #s will be found.",
// or "The estimations cannot be done." when a text is not a number.
std::vector<std::string> LiveEstimateLines(const std::string& lowText, const std::string& highText,
                                           std::string_view decimalSeparator = ".");

// The hint of the search button for the two field texts.
std::string SearchButtonHint(const std::string& lowText, const std::string& highText);

// What a click in a part shows: "Item #: " + (index + 1) and the entry, for
// a selected entry other than the last (the signature); otherwise
// "No item selected" and an empty value. index -1: nothing selected.
struct TSearchEntryDisplay {
  std::string label;
  std::string value;
};
TSearchEntryDisplay SearchEntryDisplay(int index, int count, const std::string& entryText);

// "Prime numbers list from 2 To 100": the name the save dialog proposes.
std::string SearchProposedFileName(const TSearchState& state);

// One result file: its full name and its lines.
struct TSearchFile {
  std::string name;
  std::vector<std::string> lines;
};

// The save boxes: IntroCheck, part1Check, CheckBox1 .. CheckBox4.
using TSearchSaveChecks = std::array<bool, kSearchPartCount + 1>;

// The files a save writes, in order: chosenName + " [Summary].txt" with the
// summary as it stands (the last search's or a live estimate), then
// chosenName + " [Part k].txt" with part k's entries; each only when its box
// is checked and partCount >= 1 (>= k for part k).
std::vector<TSearchFile> SearchFilesToSave(const std::string& chosenName, const std::vector<std::string>& summary,
                                           const TSearchState& state, const TSearchSaveChecks& checks);

struct TSearchSaveOutcome {
  std::vector<std::string> written;  // the names written, in order
  std::string error;                 // for the error report; the files before it stay
  std::string message;               // the success message, when to be shown
};

// Writes the files of SearchFilesToSave, stopping at the first failure. The
// success message comes when every write succeeded and showMessages is on,
// also when no file qualified.
TSearchSaveOutcome SaveSearchFiles(const std::string& chosenName, const std::vector<std::string>& summary,
                                   const TSearchState& state, const TSearchSaveChecks& checks, bool showMessages);
