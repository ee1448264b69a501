// Integer value texts: optional sign, decimal digits, or the radix form
// "radix#digits". Also used for repeat counts.
#include <cstring>

#include "convert.h"

namespace lio {
namespace {

constexpr uint32_t kMaxInt = 2147483647u;
constexpr uint32_t kMaxUnsigned = 4294967295u;

// Digit value of a radix-form character, or 36 when it is none.
uint32_t digit_value(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 36;
}

}  // namespace

IntResult scan_int(const char* text, int length) {
  static constexpr char kMin[] = "-2147483648";
  if (length == sizeof kMin - 1 && std::memcmp(text, kMin, length) == 0) {
    return {-2147483647 - 1, 0};
  }
  int i = 0;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  uint32_t value = 0;
  bool any_digit = false;
  for (; i < length; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0 || c == 0x1a) {
      i = length;  // a NUL or Ctrl-Z ends the number
      break;
    }
    if (c == '#') break;
    if (c < '0' || c > '9') return {0, kErrInvalidInt};
    uint32_t d = c - '0';
    if (value > (kMaxInt - d) / 10) return {0, kErrIntOverflow};
    value = value * 10 + d;
    any_digit = true;
  }

  if (i < length) {  // text[i] == '#'
    uint32_t radix = any_digit && value != 0 ? value : 16;
    if (radix == 1 || radix > 36) return {0, kErrIllegalRadix};
    uint32_t limit = radix == 10 ? kMaxInt : kMaxUnsigned;
    value = 0;
    for (++i; i < length; ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      if (c == '#') return {0, kErrMultipleRadix};
      uint32_t d = digit_value(c);
      if (d >= radix) return {0, kErrInvalidInt};
      if (value > (limit - d) / radix) return {0, kErrIntOverflow};
      value = value * radix + d;
    }
  }

  if (negative) value = 0u - value;
  return {static_cast<int32_t>(value), 0};
}

}  // namespace lio
