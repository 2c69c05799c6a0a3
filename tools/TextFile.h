// Plain 8-bit text files of lines, CR LF after every line (the last too).
// Writing goes to a temporary file beside the target, which is renamed into
// place only when complete: a failed write never leaves half a file where a
// good one was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Writes the lines to path, replacing any file of that name. Returns the
// empty text on success, else the failure for the error report:
// Cannot create file "<path>". <reason>
std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// The whole content of path; nothing when it cannot be opened or read or
// holds more than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The lines of a text, split at CR LF, CR or LF; a final line break makes
// no extra empty line.
std::vector<std::string> SplitLines(const std::string& text);
