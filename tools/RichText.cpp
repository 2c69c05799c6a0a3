#include "tools/RichText.h"

#include <cstdint>

namespace {

// Decodes one UTF-8 sequence starting at i; malformed bytes read as U+FFFD.
std::uint32_t NextCodePoint(const std::string& s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i++);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  std::uint32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (byte(i++) & 0x3F);
  }
  return cp;
}

void AppendUnicode(std::string& out, std::uint32_t cp) {
  // RTF's \u takes a signed 16-bit value; others go as a surrogate pair.
  auto unit = [&](std::uint32_t u) {
    out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(u))) + "?";
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    unit(0xD800 + (cp >> 10));
    unit(0xDC00 + (cp & 0x3FF));
  } else {
    unit(cp);
  }
}

}  // namespace

std::string RichTextDocument(const std::string& text, const std::string& fontName, int pointSize) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss " + fontName + ";}}\r\n";
  out += "\\viewkind4\\uc1\\pard\\f0\\fs" + std::to_string(pointSize * 2) + " ";
  for (std::size_t i = 0; i < text.size();) {
    const std::uint32_t cp = NextCodePoint(text, i);
    switch (cp) {
      case '\\': out += "\\\\"; break;
      case '{': out += "\\{"; break;
      case '}': out += "\\}"; break;
      case '\t': out += "\\tab "; break;
      case '\r': break;
      case '\n': out += "\\par\r\n"; break;
      default:
        if (cp < 0x80) out += static_cast<char>(cp);
        else AppendUnicode(out, cp);
    }
  }
  out += "\\par\r\n}\r\n";
  return out;
}
