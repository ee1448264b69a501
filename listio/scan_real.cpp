// Interim real scanner (grammar plus a standard conversion); to be replaced
// by the exact integer-based conversion.
#include <charconv>
#include <cmath>
#include <cstring>

#include "convert.h"

namespace lio {

RealResult scan_real(const char* text, int length) {
  int i = 0;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  char digits[32];
  int ndigits = 0;
  int dropped = 0;      // integer digits beyond the 24 kept
  int after_point = 0;  // kept digits after the point
  bool any = false, point = false, round_up = false;
  for (; i < length; ++i) {
    char c = text[i];
    if (c == '.') {
      if (point) return {0, kErrInvalidReal};
      point = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    any = true;
    if (ndigits == 0 && c == '0') {
      if (point) ++after_point;
      continue;
    }
    if (ndigits < 24) {
      digits[ndigits++] = c;
      if (point) ++after_point;
    } else {
      if (ndigits == 24 && dropped == 0 && !round_up && c >= '5' &&
          (point ? after_point : 0) >= 0) {
      }
      if (!point) ++dropped;
    }
  }
  if (!any) return {0, kErrInvalidReal};
  long exponent = 0;
  if (i < length) {
    char c = text[i];
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D')
      ++i;
    else if (c != '+' && c != '-')
      return {0, kErrInvalidReal};
    bool eneg = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
      eneg = text[i] == '-';
      ++i;
    }
    if (i >= length) return {0, kErrInvalidReal};
    for (; i < length; ++i) {
      if (text[i] < '0' || text[i] > '9') return {0, kErrInvalidReal};
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (eneg) exponent = -exponent;
  }
  (void)round_up;
  if (ndigits == 0) return {negative ? -0.0f : 0.0f, 0};
  exponent += dropped - after_point;
  char buf[64];
  std::memcpy(buf, digits, ndigits);
  int n = ndigits;
  buf[n++] = 'e';
  auto r = std::to_chars(buf + n, buf + sizeof buf, exponent);
  double d = 0;
  auto fr = std::from_chars(buf, r.ptr, d);
  if (fr.ec == std::errc::result_out_of_range) {
    if (exponent > 0) return {0, kErrRealIndefinite};
    d = 0;
  }
  if (negative) d = -d;
  if (d > 3.402823466385289E+38 || d < -3.402823466385289E+38)
    return {0, kErrRealOverflow};
  return {static_cast<float>(d), 0};
}

}  // namespace lio
