#include "tools/TextFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// A name beside the target that no other writer uses; the file is created
// exclusively below, so an existing file is never taken over.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return path + ".~" + std::to_string(salt) + "-" + std::to_string(counter++) + ".tmp";
}

#ifdef _WIN32
// The paths are UTF-8; the narrow C library calls of Windows would read
// them in the ANSI code page.
std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

std::FILE* CreateExclusive(const std::string& path) {
  const int fd = _wopen(Wide(path).c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (!f) _close(fd);
  return f;
}

bool SyncToDisk(std::FILE* f) { return _commit(_fileno(f)) == 0; }

void RemoveFile(const std::string& path) { _wremove(Wide(path).c_str()); }

// std::rename refuses an existing target on Windows; MoveFileEx replaces it.
std::string ReplaceFile(const std::string& from, const std::string& to) {
  if (MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return std::string();
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string reason = n && text ? std::string(text, n) : "Error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason.empty() ? "Error " + std::to_string(code) : reason;
}
#else
std::FILE* CreateExclusive(const std::string& path) { return std::fopen(path.c_str(), "wbx"); }

// A file system that cannot sync (some network and FUSE mounts) is not a
// failed write.
bool SyncToDisk(std::FILE* f) {
  return ::fsync(::fileno(f)) == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS;
}

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

std::string ReplaceFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return std::string();
  return std::strerror(errno);
}
#endif

}  // namespace

std::string FileWriteFailure(const std::string& path, const std::string& reason) {
  return "Cannot create file \"" + path + "\". " + reason;
}

TAtomicFile::TAtomicFile(std::string path) : path_(std::move(path)) { Open(); }

TAtomicFile::~TAtomicFile() {
  if (!committed_) Discard();
}

bool TAtomicFile::Open() {
  for (int attempt = 0; attempt < 8 && !file_; ++attempt) {
    temp_ = TemporaryName(path_);
    errno = 0;
    file_ = CreateExclusive(temp_);
    if (!file_ && errno != EEXIST) break;
  }
  if (!file_) {
    temp_.clear();
    return Fail(errno);
  }
  return true;
}

void TAtomicFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temp_.empty()) RemoveFile(temp_);
  temp_.clear();
}

bool TAtomicFile::Fail(int error) {
  if (failure_.empty()) failure_ = FileWriteFailure(path_, std::strerror(error ? error : EIO));
  return false;
}

bool TAtomicFile::Write(std::string_view bytes) {
  if (!failure_.empty() || !file_) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return Fail(errno);
  return true;
}

bool TAtomicFile::WriteLine(std::string_view line) { return Write(line) && Write("\r\n"); }

bool TAtomicFile::Restart() {
  if (committed_) return false;
  Discard();
  failure_.clear();
  return Open();
}

std::string TAtomicFile::Commit() {
  if (committed_) return failure_;
  if (failure_.empty() && file_) {
    errno = 0;
    if (std::fflush(file_) != 0 || !SyncToDisk(file_)) Fail(errno);
  }
  if (file_) {
    errno = 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) Fail(errno);
  }
  if (failure_.empty()) {
    const std::string reason = ReplaceFile(temp_, path_);
    if (!reason.empty()) failure_ = FileWriteFailure(path_, reason);
  }
  if (!failure_.empty()) {
    Discard();
    return failure_;
  }
  temp_.clear();
  committed_ = true;
  return std::string();
}

std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  TAtomicFile file(path);
  for (const std::string& line : lines)
    if (!file.WriteLine(line)) break;
  return file.Commit();
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string content;
  char buf[65536];
  bool ok = true;
  for (;;) {
    const std::size_t got = std::fread(buf, 1, sizeof buf, f);
    if (content.size() + got > maxBytes) {
      ok = false;
      break;
    }
    content.append(buf, got);
    if (got < sizeof buf) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  if (!ok) return std::nullopt;
  return content;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}
