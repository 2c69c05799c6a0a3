// The divisor list file: one line per tree entry in display order, a TAB
// per level below the first, CR LF after every line; a prime's list is an
// empty file. Loading takes TABs or blanks as indentation and rebuilds the
// number as the first entry times its first child.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/Divisors.h"

extern const char* const kDivisorSaveTitle;   // "Save thie current dividers' list into..."
extern const char* const kDivisorLoadTitle;   // Load dividers" list from...

// "Divisors list of " + the field's text: the name the save dialog proposes.
std::string DivisorListProposedName(const std::string& fieldText);

// The file's lines for a tree.
std::vector<std::string> DivisorListLines(const TDivisorTree& tree);

struct TDivisorSaveOutcome {
  std::string error;    // for the error report; no message then
  std::string message;  // The File: "<path>" was created !  (when "Show messages" is on)
};
TDivisorSaveOutcome SaveDivisorList(const std::string& path, const TDivisorTree& tree, bool showMessages);

struct TDivisorLoadOutcome {
  bool ok = false;
  TDivisorTree tree;             // every entry with image 0; empty on failure
  std::string fieldText;         // the number, written with FormatGeneral
  std::string message;           // on failure: the incompatible-format message
};

// The tree of a file's content: the first line is a first-level entry
// whatever its indentation; a later line one level deeper than the entry
// before it is its child, at the same level its sibling, shallower a
// sibling of that entry's ancestor at its level; two or more levels deeper
// is refused, like an empty content, a first entry without a child, a
// text that is not a number or a nesting deeper than 256 levels. path only names the file in the message.
TDivisorLoadOutcome ParseDivisorList(const std::string& content, const std::string& path,
                                     std::string_view decimalSeparator = ".");

// Reads and parses the file; one that cannot be read, or is larger than any
// list of a number up to 10^18 could be (64 MiB), is refused the same way.
TDivisorLoadOutcome LoadDivisorList(const std::string& path, std::string_view decimalSeparator = ".");
