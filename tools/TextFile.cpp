#include "tools/TextFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

std::string CreateFailure(const std::string& path, int error) {
  return "Cannot create file \"" + path + "\". " + std::strerror(error);
}

// A name beside the target that no other writer uses; "x" mode below makes
// sure an existing file is never taken over.
std::string TemporaryName(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  static const unsigned salt = std::random_device{}();
  return path + ".~" + std::to_string(salt) + "-" + std::to_string(counter++) + ".tmp";
}

}  // namespace

std::string WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string content;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  content.reserve(size);
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }

  std::string temp;
  std::FILE* f = nullptr;
  for (int attempt = 0; attempt < 8 && !f; ++attempt) {
    temp = TemporaryName(path);
    f = std::fopen(temp.c_str(), "wbx");
    if (!f && errno != EEXIST) break;
  }
  if (!f) return CreateFailure(path, errno);
  const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  int error = written ? 0 : errno;
  if (std::fclose(f) != 0 && written) error = errno ? errno : EIO;
  if (!written || error) {
    std::remove(temp.c_str());
    return CreateFailure(path, error ? error : EIO);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    error = errno;
    std::remove(temp.c_str());
    return CreateFailure(path, error);
  }
  return std::string();
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
