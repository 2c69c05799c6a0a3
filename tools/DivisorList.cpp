#include "tools/DivisorList.h"

#include <cmath>

#include "numbers/text/FormatGeneral.h"
#include "numbers/text/NumberText.h"
#include "tools/TextFile.h"

const char* const kDivisorSaveTitle = "Save thie current dividers' list into...";
const char* const kDivisorLoadTitle = "Load dividers\" list from...";

namespace {

constexpr std::size_t kMaxListBytes = 64u << 20;
// A real list has two levels; the cap keeps the window's tree view shallow
// whatever a file holds.
constexpr std::size_t kMaxLevels = 256;

TDivisorLoadOutcome Refused(const std::string& path) {
  TDivisorLoadOutcome out;
  out.message = "Sorry, the file: " + path + " is not compatible format !";
  return out;
}

}  // namespace

std::string DivisorListProposedName(const std::string& fieldText) { return "Divisors list of " + fieldText; }

std::vector<std::string> DivisorListLines(const TDivisorTree& tree) {
  std::vector<std::string> lines;
  lines.reserve(tree.size());
  for (const TTreeEntry& e : tree) lines.push_back(std::string(static_cast<std::size_t>(e.level), '\t') + e.text);
  return lines;
}

TDivisorSaveOutcome SaveDivisorList(const std::string& path, const TDivisorTree& tree, bool showMessages) {
  TDivisorSaveOutcome out;
  out.error = WriteTextLines(path, DivisorListLines(tree));
  if (out.error.empty() && showMessages) out.message = "The File: \"" + path + "\" was created !";
  return out;
}

TDivisorLoadOutcome ParseDivisorList(const std::string& content, const std::string& path, std::string_view sep) {
  const std::vector<std::string> lines = SplitLines(content);
  if (lines.empty()) return Refused(path);

  TDivisorLoadOutcome out;
  out.tree.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    std::size_t depth = 0;
    while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' ')) ++depth;
    std::string text = line.substr(depth);
    if (i == 0) {
      depth = 0;  // the first line is first-level whatever its indentation
    } else {
      // One level below the entry before at most: a child of it, a sibling,
      // or a sibling of one of its ancestors.
      const std::size_t previous = static_cast<std::size_t>(out.tree.back().level);
      if (depth > previous + 1 || depth >= kMaxLevels) return Refused(path);
    }
    out.tree.push_back({std::move(text), kSquareRootImage, static_cast<int>(depth)});
  }
  // The first entry's first child, if it has any, is the line after it.
  if (out.tree.size() < 2 || out.tree[1].level != 1) return Refused(path);
  const std::optional<long double> a = ReadFloatText(out.tree[0].text, sep);
  const std::optional<long double> b = a ? ReadFloatText(out.tree[1].text, sep) : std::nullopt;
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
