#pragma once
// Names between strings and the fixed-width byte fields of the image.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fields {

// Copies text into a field of n bytes, zero-filling the rest, when it is
// shorter than n; otherwise shows "char Len error!" and leaves the field.
// Returns whether the field was written.
bool WriteStrict(uint8_t* field, size_t n, const std::string& text);

// Copies at most n - 1 bytes of text, zero-fills the rest (last byte zero).
void WriteCut(uint8_t* field, size_t n, const std::string& text);

// The first n - 1 bytes (ReadField) or all n bytes (ReadFieldWhole) as a
// string up to the first zero byte, without leading and trailing blanks.
std::string ReadField(const uint8_t* field, size_t n);
std::string ReadFieldWhole(const uint8_t* field, size_t n);

// Text without leading and trailing blanks.
std::string Trim(const std::string& text);
// True when nothing but blanks is left.
bool IsBlank(const std::string& text);

}  // namespace fields
