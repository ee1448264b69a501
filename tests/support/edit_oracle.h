// A reference for real editing, built independently of lio::edit_real: the
// significant digits come from the standard library's correctly rounded
// conversion, and every later step works on those digits as characters.
//
// The standard conversion rounds the 17th digit half to even where the
// editor rounds half up; the two differ only on an exact tie in the 18th
// digit, and then only in the 17th digit, which cannot reach the 8th digit
// that the 7-digit rounding looks at (a carry into it needs d9 to d17 all
// nines, an odd d17 that rounds up either way).
#ifndef LISTIO_TESTS_EDIT_ORACLE_H
#define LISTIO_TESTS_EDIT_ORACLE_H

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace lio::testing {

// Room for the longest reference text (sign, 8 digits, point, 6 digits).
inline constexpr int kReferenceTextMax = 16;

inline constexpr uint32_t kSignBit = 0x80000000u;

// True for the bit patterns of finite floats.
inline bool is_finite_pattern(uint32_t bits) {
  return (bits & 0x7f800000u) != 0x7f800000u;
}

// Writes the text of the finite, non-negative float whose bits are
// `magnitude_bits` (sign bit clear) into `out`; returns its length.
inline int reference_magnitude_text(uint32_t magnitude_bits, char* out) {
  if (magnitude_bits == 0) {
    std::memcpy(out, "0.000000E+00", 12);
    return 12;
  }
  const double wide = std::bit_cast<float>(magnitude_bits);

  // "d.dddddddddddddddde±XX": 17 significant digits and exponent P - 1.
  char scientific[32];
  const auto converted =
      std::to_chars(scientific, scientific + sizeof scientific, wide,
                    std::chars_format::scientific, 16);
  const char* cursor = scientific + 18;  // the 'e'
  const bool negative_exponent = cursor[1] == '-';
  int exponent = 0;
  for (cursor += 2; cursor < converted.ptr; ++cursor) {
    exponent = exponent * 10 + (*cursor - '0');
  }
  int p = (negative_exponent ? -exponent : exponent) + 1;
  const bool fixed = p >= 1 && p <= 7;  // chosen before the 7-digit rounding

  char digits[7] = {scientific[0]};
  std::memcpy(digits + 1, scientific + 2, 6);
  const char eighth = scientific[8];
  if (eighth >= '5') {
    int i = 6;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      digits[0] = '1';
      ++p;
    }
  }

  int length = 0;
  if (fixed) {
    for (int i = 0; i < p; ++i) out[length++] = i < 7 ? digits[i] : '0';
    out[length++] = '.';
    for (int i = p; i < p + 6; ++i) out[length++] = i < 7 ? digits[i] : '0';
    return length;
  }
  out[length++] = digits[0];
  out[length++] = '.';
  for (int i = 1; i < 7; ++i) out[length++] = digits[i];
  out[length++] = 'E';
  const int shown = p - 1;
  out[length++] = shown < 0 ? '-' : '+';
  const int size = shown < 0 ? -shown : shown;
  out[length++] = static_cast<char>('0' + size / 10);
  out[length++] = static_cast<char>('0' + size % 10);
  return length;
}

// Writes the text of the finite float whose bits are `bits`; zero of either
// sign shows no sign.
inline int reference_text(uint32_t bits, char* out) {
  const uint32_t magnitude_bits = bits & ~kSignBit;
  if (bits == magnitude_bits || magnitude_bits == 0) {
    return reference_magnitude_text(magnitude_bits, out);
  }
  out[0] = '-';
  return 1 + reference_magnitude_text(magnitude_bits, out + 1);
}

}  // namespace lio::testing

#endif
