// Plain 8-bit text files of lines, CR LF after every line (the last too).
// Every file the program writes goes through TAtomicFile: the bytes go to a
// temporary file beside the target, which replaces the target only when
// complete, so a failed or interrupted write never leaves half a file where
// a good one was.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The one failure text of every file write:
// Cannot create file "<path>". <reason>
std::string FileWriteFailure(const std::string& path, const std::string& reason);

// A file written by pieces and put in place at once. Paths are UTF-8.
class TAtomicFile {
public:
  // Opens a fresh temporary file beside path; Failure() tells when it could
  // not be made.
  explicit TAtomicFile(std::string path);
  // Removes the temporary file unless committed.
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  // Appends bytes; false once anything failed (the first failure is kept).
  bool Write(std::string_view bytes);
  // Appends a line and CR LF.
  bool WriteLine(std::string_view line);
  // Drops what was written so far and starts again from an empty file.
  bool Restart();
  // Flushes to disk and replaces the target (also an existing one). Returns
  // the empty text on success, else the failure text; the temporary file is
  // gone either way.
  std::string Commit();

  const std::string& Failure() const { return failure_; }
  const std::string& Path() const { return path_; }
  // The file being written, until Commit().
  const std::string& TemporaryPath() const { return temp_; }

private:
  bool Open();
  void Discard();
  bool Fail(int error);

  std::string path_, temp_;
  std::FILE* file_ = nullptr;
  std::string failure_;
  bool committed_ = false;
};

// Writes the lines to path, replacing any file of that name. Returns the
// empty text on success, else the failure text.
std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// The whole content of path; nothing when it cannot be opened or read or
// holds more than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// The lines of a text, split at CR LF, CR or LF; a final line break makes
// no extra empty line.
std::vector<std::string> SplitLines(const std::string& text);
