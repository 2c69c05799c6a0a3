#include "tools/ErrorText.h"

std::string WithFullStop(std::string text) {
  if (text.empty() || static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}
