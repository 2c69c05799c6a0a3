#include "tools/DivisorList.h"

#include <cmath>

#include "numbers/FormatGeneral.h"
#include "numbers/NumberText.h"
#include "tools/TextFile.h"

const char* const kDivisorSaveTitle = "Save thie current dividers' list into...";
const char* const kDivisorLoadTitle = "Load dividers\" list from...";
const char* const kDivisorFileFilter = "Text files (*.txt)|*.txt|All files|*.*";

namespace {

constexpr std::size_t kMaxListBytes = 64u << 20;
// A real list has two levels. The cap keeps the recursive walks over the
// tree (and the window's tree view) shallow whatever a file holds.
constexpr std::size_t kMaxLevels = 256;

void AppendLines(const std::vector<TTreeEntry>& entries, std::size_t depth, std::vector<std::string>& lines) {
  for (const TTreeEntry& e : entries) {
    lines.push_back(std::string(depth, '\t') + e.text);
    AppendLines(e.children, depth + 1, lines);
  }
}

TDivisorLoadOutcome Refused(const std::string& path) {
  TDivisorLoadOutcome out;
  out.message = "Sorry, the file: " + path + " is not compatible format !";
  return out;
}

}  // namespace

std::string DivisorListProposedName(const std::string& fieldText) { return "Divisors list of " + fieldText; }

std::vector<std::string> DivisorListLines(const std::vector<TTreeEntry>& tree) {
  std::vector<std::string> lines;
  AppendLines(tree, 0, lines);
  return lines;
}

TDivisorSaveOutcome SaveDivisorList(const std::string& path, const std::vector<TTreeEntry>& tree, bool showMessages) {
  TDivisorSaveOutcome out;
  out.error = WriteTextLines(path, DivisorListLines(tree));
  if (out.error.empty() && showMessages) out.message = "The File: \"" + path + "\" was created !";
  return out;
}

TDivisorLoadOutcome ParseDivisorList(const std::string& content, const std::string& path, std::string_view sep) {
  const std::vector<std::string> lines = SplitLines(content);
  if (lines.empty()) return Refused(path);

  TDivisorLoadOutcome out;
  // The chain from the first level down to the last entry added.
  std::vector<TTreeEntry*> chain;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::size_t depth = 0;
    while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' ')) ++depth;
    TTreeEntry entry{line.substr(depth), kSquareRootImage, {}};
    if (i == 0) depth = 0;
    const std::size_t level = chain.empty() ? 0 : chain.size() - 1;  // of the entry before
    if (!chain.empty() && depth > level + 1) return Refused(path);
    if (depth >= kMaxLevels) return Refused(path);
    if (depth == 0) {
      out.tree.push_back(std::move(entry));
      chain.assign(1, &out.tree.back());
    } else {
      chain.resize(depth);  // the parent is the ancestor one level up
      std::vector<TTreeEntry>& siblings = chain.back()->children;
      siblings.push_back(std::move(entry));
      chain.push_back(&siblings.back());
    }
  }
  // Pointers into out.tree are dropped from here on.
  const TTreeEntry& first = out.tree.front();
  if (first.children.empty()) return Refused(path);
  const std::optional<long double> a = ReadFloatText(first.text, sep);
  const std::optional<long double> b = a ? ReadFloatText(first.children.front().text, sep) : std::nullopt;
  if (!a || !b || !std::isfinite(*a * *b)) return Refused(path);
  out.fieldText = FormatGeneral(*a * *b, sep);
  out.ok = true;
  return out;
}

TDivisorLoadOutcome LoadDivisorList(const std::string& path, std::string_view sep) {
  const std::optional<std::string> content = ReadWholeFile(path, kMaxListBytes);
  if (!content) return Refused(path);
  return ParseDivisorList(*content, path, sep);
}
