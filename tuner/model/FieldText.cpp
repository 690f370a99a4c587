#include "tuner/model/FieldText.h"

#include <algorithm>
#include <cstring>

#include "tuner/model/Notifier.h"

namespace fields {

bool WriteStrict(uint8_t* field, size_t n, const std::string& text) {
  if (text.size() >= n) {
    ShowMessage("字符长度错误!", "char Len error!");
    return false;
  }
  std::memset(field, 0, n);
  std::memcpy(field, text.data(), text.size());
  return true;
}

void WriteCut(uint8_t* field, size_t n, const std::string& text) {
  if (n == 0) return;
  std::memset(field, 0, n);
  std::memcpy(field, text.data(), std::min(text.size(), n - 1));
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

std::string ReadFieldWhole(const uint8_t* field, size_t n) {
  const char* chars = reinterpret_cast<const char*>(field);
  return Trim(std::string(chars, strnlen(chars, n)));
}

std::string ReadField(const uint8_t* field, size_t n) { return ReadFieldWhole(field, n == 0 ? 0 : n - 1); }

bool IsBlank(const std::string& text) { return Trim(text).empty(); }

}  // namespace fields
