#include "numbers/ecpp/EcppCertificate.h"

#include <cctype>

namespace ecpp {

std::string FormatCertificate(const TCertificate& c) {
  if (c.steps.empty()) return Text(c.n) + "\n";
  std::string out = "[";
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    const TEcppStep& s = c.steps[i];
    if (i) out += ", ";
    out += "[" + Text(s.N) + ", " + Text(s.t) + ", " + Text(s.s) + ", " + Text(s.a4) + ", [" + Text(s.x) + ", " +
           Text(s.y) + "]]";
  }
  return out + "]\n";
}

namespace {

class TReader {
public:
  explicit TReader(const std::string& text) : text_(text) {}
  void Skip() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Peek(char c) {
    Skip();
    return pos_ < text_.size() && text_[pos_] == c;
  }
  bool Expect(char c) {
    if (!Peek(c)) return Fail(std::string("expected '") + c + "'");
    ++pos_;
    return true;
  }
  bool Integer(Big& out) {
    Skip();
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    const std::size_t digits = pos_;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    if (pos_ == digits) return Fail("expected an integer");
    out = BigIntFromDecimal(text_.substr(digits, pos_ - digits));
    if (text_[start] == '-' && !out.IsZero()) NegateBigInt(out);
    return true;
  }
  bool AtEnd() {
    Skip();
    // gp may end a statement with a semicolon.
    if (pos_ < text_.size() && text_[pos_] == ';') ++pos_;
    Skip();
    return pos_ == text_.size();
  }
  bool Fail(const std::string& what) {
    if (error_.empty()) error_ = what + " at character " + std::to_string(pos_ + 1);
    return false;
  }
  const std::string& Error() const { return error_; }

private:
  const std::string& text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

bool ParseCertificate(const std::string& text, TCertificate& c, std::string& error) {
  TReader r(text);
  c = TCertificate();
  bool ok = true;
  if (!r.Peek('[')) {
    ok = r.Integer(c.n);
  } else {
    ok = r.Expect('[');
    while (ok) {
      TEcppStep s;
      ok = r.Expect('[') && r.Integer(s.N) && r.Expect(',') && r.Integer(s.t) && r.Expect(',') && r.Integer(s.s) &&
           r.Expect(',') && r.Integer(s.a4) && r.Expect(',') && r.Expect('[') && r.Integer(s.x) && r.Expect(',') &&
           r.Integer(s.y) && r.Expect(']') && r.Expect(']');
      if (!ok) break;
      c.steps.push_back(s);
      if (r.Peek(',')) {
        r.Expect(',');
        continue;
      }
      ok = r.Expect(']');
      break;
    }
    if (ok) c.n = c.steps.front().N;
  }
  if (ok && !r.AtEnd()) ok = r.Fail("unexpected text after the certificate");
  if (!ok) error = "not a certificate: " + r.Error();
  return ok;
}

}  // namespace ecpp
