// The Splitter's three methods on one decimal integer: the complete
// factorisation by Pollard's rho, one sample factor, and the next probable
// prime with its distance; plus the per-method settings of the window.
#pragma once

#include <string>
#include <vector>

#include "numbers/progress/Progress.h"

enum class TSplitterMethod { Factorization, SampleDivisor, NextPrime };

// What the window applies when a method is picked.
struct TSplitterMethodSettings {
  const char* caption;
  int maxLength;      // of the entry field, in characters
  const char* hint;   // of the entry field
  bool titleRow;      // the table's "Status" / "Factor" row shown
  int statusWidth;    // of the left column, in pixels
};
const TSplitterMethodSettings& SplitterMethodSettings(TSplitterMethod method);
// The method of a radio item: 0 factorisation, 1 sample divisor, any other
// the prime generator.
TSplitterMethod SplitterMethodOfItem(int item);

extern const char* const kSplitterStatusTitle;  // "Status"
extern const char* const kSplitterFactorTitle;  // "Factor"

// The hint of "Analyze" for the entry text and the method.
std::string AnalyseButtonHint(TSplitterMethod method, const std::string& entry);

// One row of the result table: status text, number text.
struct TSplitterRow {
  std::string status;
  std::string number;
  bool operator==(const TSplitterRow&) const = default;
};

struct TSplitterResult {
  std::vector<TSplitterRow> rows;
  std::string math;  // the math expression; empty when the box is unticked
};

// The entry's canonical text for the history, or false when the magnitude
// of the number is 0 or 1 (then nothing at all happens). Throws
// EConvertError for a text that is not an integer.
bool SplitterEntry(const std::string& text, std::string& historyText);

// Runs a method on the entry text. A number of magnitude 0 or 1
// gives no rows. The factor searches have no iteration limit: they poll
// progress and throw ECancelled when asked to stop. Throws EConvertError
// for a text that is not an integer.
TSplitterResult Analyse(TSplitterMethod method, const std::string& text, bool mathExpression,
                        TProgress* progress = nullptr);
