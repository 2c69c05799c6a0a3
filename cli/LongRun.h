// Bounds on the size of the input, and the long runs past them: the command
// line refuses what the windows cannot take in (their fields' lengths),
// unless --no-limit is given; then the work shows its progress on stderr.
// Ctrl+C ends any run at once, leaving no temporary file behind.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "numbers/progress/Progress.h"

constexpr const char* kNoLimitOption = "--no-limit";

// Removes every --no-limit from args; true when there was one.
bool TakeNoLimit(std::vector<std::string>& args);

// Throws EBadInput (exit status 2) when text has more than limit characters:
// "<what> has N characters; the limit is L. --no-limit accepts longer
// input, but it may take long."
void CheckLength(const std::string& what, const std::string& text, std::size_t limit);
// The same with a message of the window's own, followed by the advice.
void CheckLength(const std::string& text, std::size_t limit, const std::string& message);

constexpr const char* kNoLimitAdvice = "--no-limit accepts longer input, but it may take long.";

// Runs work. With showProgress, it runs on a worker while this thread writes
// the progress object's text and fraction (or the time spent) to err every
// second. Rethrows what work throws.
void RunWork(bool showProgress, std::ostream& err, const std::function<void(TProgress&)>& work);

// A file that an interrupt removes before the program ends (one at a time;
// the empty path forgets it).
void RemoveOnInterrupt(const std::string& path);

// Installs the interrupt handler; main calls it once.
void InstallInterruptHandler();
