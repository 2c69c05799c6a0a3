#include "tools/SearchFiles.h"

#include "numbers/text/FormatGeneral.h"
#include "numbers/int64/Int64Primes.h"
#include "numbers/text/NumberText.h"
#include "tools/TextFile.h"

const char* const kSearchSavedMessage = "OK, the file(s) was/were successfully saved.";
const char* const kSearchNoItem = "No item selected";
const char* const kSearchSaveTitle = "Save the list of prime numbers into...";

namespace {

// The hint when a field is empty.
const char* const kSearchNoFields = "The both fields are empty, so the search is not possible...";

}  // namespace

std::vector<std::string> LiveEstimateLines(const std::string& lowText, const std::string& highText,
                                           std::string_view sep) {
  std::vector<std::string> lines{"", "The estimation is :"};
  const std::optional<long double> low = ReadFloatText(lowText, sep);
  const std::optional<long double> high = low ? ReadFloatText(highText, sep) : std::nullopt;
  if (!low || !high) {
    lines.push_back("The estimations cannot be done.");
    return lines;
  }
  lines.push_back("=>Legendre-Hadamard: " + FormatGeneral(EstimatePrimeCount(*low, *high), sep));
  lines.push_back(" ...prime #s will be found.");
  return lines;
}

std::string SearchButtonHint(const std::string& lowText, const std::string& highText) {
  if (lowText.empty() || highText.empty()) return kSearchNoFields;
  return "Start searching all prime numbers \r\nbetween " + lowText + " and " + highText;
}

TSearchEntryDisplay SearchEntryDisplay(int index, int count, const std::string& entryText) {
  if (index >= 0 && index < count - 1) return {"Item #: " + std::to_string(index + 1), entryText};
  return {kSearchNoItem, ""};
}

std::string SearchProposedFileName(const TSearchState& state) {
  return "Prime numbers list from " + std::to_string(state.lowBound) + " To " + std::to_string(state.highBound);
}

std::vector<TSearchFile> SearchFilesToSave(const std::string& chosenName, const std::vector<std::string>& summary,
                                           const TSearchState& state, const TSearchSaveChecks& checks) {
  std::vector<TSearchFile> files;
  if (state.partCount >= 1 && checks[0]) files.push_back({chosenName + " [Summary].txt", summary});
  for (int k = 0; k < kSearchPartCount; ++k)
    if (state.partCount >= k + 1 && checks[k + 1])
      files.push_back({chosenName + " [Part " + std::to_string(k + 1) + "].txt", SearchPartLines(state, k)});
  return files;
}

TSearchSaveOutcome SaveSearchFiles(const std::string& chosenName, const std::vector<std::string>& summary,
                                   const TSearchState& state, const TSearchSaveChecks& checks, bool showMessages) {
  TSearchSaveOutcome out;
  for (const TSearchFile& file : SearchFilesToSave(chosenName, summary, state, checks)) {
    out.error = WriteTextLines(file.name, file.lines);
    if (!out.error.empty()) return out;
    out.written.push_back(file.name);
  }
  if (showMessages) out.message = kSearchSavedMessage;
  return out;
}
